// The listing: numbered statements, comments as headings or text, matrices as tables.
#pragma once

#include "ports/listing_port.h"
#include "ports/text_view_port.h"

#include <string>

namespace zelvora {

class tListing : public tListingPort {
public:
    explicit tListing(tTextViewPort& view);

    // Writes the three opening lines with the start date and time; not modified afterwards.
    void Start(std::string_view dateTime);
    // Each ignores a text of one character or less.
    void addline(std::string_view text) override; // as the journal's addline
    void addCommand(std::string_view text) override; // without its last two characters
    // ";H", ";I", ";T" (either case) make a heading, an italic or a plain comment of the text
    // between the first two and the last two characters; any other text is written without its
    // last two characters in the plain comment style.
    void addText(std::string_view text) override;
    void addTable(std::string_view text) override; // the whole text, in the table style
    void Clear();

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    bool AppendMode() const { return m_appendMode; }
    void SetAppendMode(bool on) { m_appendMode = on; }
    std::string PlainText() const { return m_view.PlainText(); }

private:
    void Append(std::string_view text, tTextStyle style);

    tTextViewPort& m_view;
    bool m_modified = false;
    bool m_appendMode = false;
};

} // namespace zelvora
