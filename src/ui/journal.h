// The journal: a plain-text log of every statement run, with markers around multi-statement runs.
#pragma once

#include "ports/journal_port.h"
#include "ports/text_view_port.h"

#include <string>

namespace zelvora {

class tJournal : public tJournalPort {
public:
    explicit tJournal(tTextViewPort& view);

    // Writes the three opening lines with the start date and time; not modified afterwards.
    void Start(std::string_view dateTime);
    // Ignores an empty text; a text longer than one character that ends in a line break loses its
    // last two characters; the rest is appended as one or more lines.
    void addline(std::string_view text) override;
    void Clear();

    bool Modified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    bool AppendMode() const { return m_appendMode; }
    void SetAppendMode(bool on) { m_appendMode = on; }
    std::string PlainText() const { return m_view.PlainText(); }

private:
    tTextViewPort& m_view;
    bool m_modified = false;
    bool m_appendMode = true;
};

// A text without its final line break as addline and the listing treat it: a text longer than one
// character whose last character is a line feed or carriage return loses its last two characters.
std::string_view WithoutFinalLineBreak(std::string_view text);

} // namespace zelvora
