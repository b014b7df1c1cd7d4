// The journal as the run loop writes to it.
#pragma once

#include <string_view>

namespace zelvora {

class tJournalPort {
public:
    virtual ~tJournalPort() = default;
    virtual void addline(std::string_view text) = 0;
};

} // namespace zelvora
