// The warnings of the running statement: values the language defines on purpose that the user
// probably did not mean. The statement still succeeds; the run loop reports them with its place.
#pragma once

#include <algorithm>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zelvora {

class tStatementWarnings {
public:
    // Notes a warning; a text already noted for this statement is not repeated (one warning per
    // kind, however many elements gave it).
    void Add(std::string_view text)
    {
        if (std::ranges::find(m_texts, text) == m_texts.end())
            m_texts.emplace_back(text);
    }
    bool Empty() const { return m_texts.empty(); }
    // The warnings noted so far, in order; leaves none.
    std::vector<std::string> Take() { return std::exchange(m_texts, {}); }

private:
    std::vector<std::string> m_texts;
};

} // namespace zelvora
