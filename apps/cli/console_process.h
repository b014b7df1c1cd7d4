// Starting outside programs on Linux: posix_spawn with an argument vector, never a shell.
#pragma once

#include "ports/process_port.h"

namespace zelvora::cli {

class tPosixProcesses : public tProcessPort {
public:
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

} // namespace zelvora::cli
