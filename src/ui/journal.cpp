// The journal's rules for what text goes in.
#include "ui/journal.h"

namespace zelvora {

std::string_view WithoutFinalLineBreak(std::string_view text)
{
    if (text.size() > 1 && (text.back() == '\n' || text.back() == '\r'))
        return text.substr(0, text.size() - 2);
    return text;
}

tJournal::tJournal(tTextViewPort& view)
    : m_view(view)
{
}

void tJournal::Start(std::string_view dateTime)
{
    m_view.Clear();
    m_view.AppendLines(";*****======================================", tTextStyle::Normal);
    m_view.AppendLines(";Zelvora-Protokoll vom:" + std::string(dateTime), tTextStyle::Normal);
    m_view.AppendLines(";============================================", tTextStyle::Normal);
    m_appendMode = true;
    m_modified = false;
}

void tJournal::addline(std::string_view text)
{
    if (text.empty())
        return;
    // Modified first: a view that writes the text through to its file at once clears it again.
    m_modified = true;
    m_view.AppendLines(WithoutFinalLineBreak(text), tTextStyle::Normal);
}

void tJournal::Clear()
{
    m_view.Clear();
    m_modified = false;
}

} // namespace zelvora
