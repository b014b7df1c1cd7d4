// Starting outside programs on Linux.
#include "console_process.h"

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace zelvora::cli {

bool tPosixProcesses::Start(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<std::string> texts;
    texts.reserve(arguments.size() + 1);
    texts.push_back(program);
    texts.insert(texts.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& text : texts)
        argv.push_back(text.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    return posix_spawn(&child, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0;
}

} // namespace zelvora::cli
