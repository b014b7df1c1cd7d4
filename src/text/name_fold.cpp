// The upper-case table.
#include "text/name_fold.h"

#include <array>

namespace zelvora {
namespace {

constexpr std::array<char, 256> MakeUpperCaseTable()
{
    std::array<char, 256> table {};
    for (int i = 0; i < 256; ++i)
        table[static_cast<std::size_t>(i)] = static_cast<char>(i);
    for (int c = 'a'; c <= 'z'; ++c)
        table[static_cast<std::size_t>(c)] = static_cast<char>(c - 'a' + 'A');
    table[228] = static_cast<char>(196); // ä -> Ä
    table[246] = static_cast<char>(214); // ö -> Ö
    table[252] = static_cast<char>(220); // ü -> Ü
    return table;
}

constexpr std::array<char, 256> UpperCaseTable = MakeUpperCaseTable();

} // namespace

char UpperCaseChar(char c)
{
    return UpperCaseTable[static_cast<unsigned char>(c)];
}

std::string NameFold(std::string_view text)
{
    std::string folded(text);
    for (char& c : folded)
        c = UpperCaseChar(c);
    return folded;
}

bool FoldedEqual(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (UpperCaseChar(a[i]) != UpperCaseChar(b[i]))
            return false;
    }
    return true;
}

} // namespace zelvora
