// A text view kept in memory: the journal and the listing until their windows exist.
#pragma once

#include "ports/text_view_port.h"

#include <string>

namespace zelvora::gui {

class tMemoryTextView : public tTextViewPort {
public:
    void AppendLines(std::string_view text, tTextStyle) override
    {
        if (!m_text.empty())
            m_text += TextLineBreak;
        m_text += text;
    }
    void Clear() override { m_text.clear(); }
    std::string PlainText() const override { return m_text; }

private:
    std::string m_text;
};

} // namespace zelvora::gui
