// Starting outside programs from the desktop: detached, with an argument vector, never a shell.
#pragma once

#include "ports/process_port.h"

namespace zelvora::gui {

class tQtProcesses : public tProcessPort {
public:
    // program and arguments are program texts (Windows-1252).
    bool Start(const std::string& program, const std::vector<std::string>& arguments) override;
};

} // namespace zelvora::gui
