// Starting an outside program: the program file and its arguments, never through a shell.
#pragma once

#include <string>
#include <vector>

namespace zelvora {

class tProcessPort {
public:
    virtual ~tProcessPort() = default;
    // Starts program with the arguments, without waiting for it; false when it could not start.
    virtual bool Start(const std::string& program, const std::vector<std::string>& arguments) = 0;
};

} // namespace zelvora
