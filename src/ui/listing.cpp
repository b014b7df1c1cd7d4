// The listing's rules for what text goes in and in which style.
#include "ui/listing.h"

#include "ui/journal.h"

namespace zelvora {
namespace {

std::string_view DropLastTwo(std::string_view text)
{
    return text.substr(0, text.size() >= 2 ? text.size() - 2 : 0);
}

} // namespace

tListing::tListing(tTextViewPort& view)
    : m_view(view)
{
}

void tListing::Start(std::string_view dateTime)
{
    m_view.Clear();
    m_view.AppendLines(";===========================================", tTextStyle::Normal);
    m_view.AppendLines(";Zelvora-Listing vom:" + std::string(dateTime), tTextStyle::Normal);
    m_view.AppendLines(";============================================", tTextStyle::Normal);
    m_appendMode = false;
    m_modified = false;
}

void tListing::Append(std::string_view text, tTextStyle style)
{
    m_view.AppendLines(text, style);
    m_modified = true;
}

void tListing::addline(std::string_view text)
{
    if (text.size() > 1)
        Append(WithoutFinalLineBreak(text), tTextStyle::Normal);
}

void tListing::addCommand(std::string_view text)
{
    if (text.size() > 1)
        Append(DropLastTwo(text), tTextStyle::Command);
}

void tListing::addText(std::string_view text)
{
    if (text.size() <= 1)
        return;
    if (text[0] == ';') {
        switch (text[1]) {
        case 'H':
        case 'h':
            Append(DropLastTwo(text.substr(2)), tTextStyle::Heading);
            return;
        case 'I':
        case 'i':
            Append(DropLastTwo(text.substr(2)), tTextStyle::Italic);
            return;
        case 'T':
        case 't':
            Append(DropLastTwo(text.substr(2)), tTextStyle::Comment);
            return;
        default:
            break;
        }
    }
    Append(DropLastTwo(text), tTextStyle::Comment);
}

void tListing::addTable(std::string_view text)
{
    if (text.size() > 1)
        Append(text, tTextStyle::Table);
}

void tListing::Clear()
{
    m_view.Clear();
    m_modified = false;
}

} // namespace zelvora
