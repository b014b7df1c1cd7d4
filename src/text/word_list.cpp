// Word lists.
#include "text/word_list.h"

#include "text/name_fold.h"

#include <string>

namespace zelvora {

std::int32_t WordListPosition(std::string_view list, std::string_view word, tWordMatch match)
{
    if (match == tWordMatch::Prefix && word.empty())
        return 0;
    const std::string folded = match == tWordMatch::Folded ? NameFold(word) : std::string();
    std::int32_t position = 1;
    std::size_t start = 0;
    while (start <= list.size()) {
        const std::size_t end = std::min(list.find(';', start), list.size());
        const std::string_view item = list.substr(start, end - start);
        switch (match) {
        case tWordMatch::Exact:
            if (item == word)
                return position;
            break;
        case tWordMatch::Folded:
            if (item.size() == folded.size() && NameFold(item) == folded)
                return position;
            break;
        case tWordMatch::Prefix:
            if (item.starts_with(word))
                return position;
            break;
        }
        ++position;
        start = end + 1;
    }
    return 0;
}

} // namespace zelvora
