// The listing as the run loop, LIST and the display list write to it.
#pragma once

#include <string_view>

namespace zelvora {

class tListingPort {
public:
    virtual ~tListingPort() = default;
    virtual void addline(std::string_view text) = 0;
    virtual void addCommand(std::string_view text) = 0;
    virtual void addText(std::string_view text) = 0;
    virtual void addTable(std::string_view text) = 0;
};

} // namespace zelvora
