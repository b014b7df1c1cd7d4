// Words one slip of the finger apart.
#include "text/close_words.h"

#include "text/name_fold.h"

#include <string>

namespace zelvora {

bool CloseWords(std::string_view a, std::string_view b)
{
    const std::string x = NameFold(a);
    const std::string y = NameFold(b);
    if (x == y || x.empty() || y.empty())
        return false;
    const std::string& longer = x.size() >= y.size() ? x : y;
    const std::string& shorter = x.size() >= y.size() ? y : x;
    if (longer.size() - shorter.size() > 1)
        return false;
    std::size_t i = 0;
    while (i < shorter.size() && longer[i] == shorter[i])
        ++i;
    if (longer.size() != shorter.size()) // one letter added or left out
        return longer.compare(i + 1, std::string::npos, shorter, i) == 0;
    if (longer.compare(i + 1, std::string::npos, shorter, i + 1) == 0) // one letter changed
        return true;
    // two neighbouring letters swapped
    return i + 1 < longer.size() && longer[i] == shorter[i + 1] && longer[i + 1] == shorter[i]
        && longer.compare(i + 2, std::string::npos, shorter, i + 2) == 0;
}

} // namespace zelvora
