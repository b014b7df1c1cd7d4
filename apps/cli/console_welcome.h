// The welcome text of the console: what works at the prompt.
#pragma once

#include <string>
#include <string_view>

namespace zelvora::cli {

// The version line of the program's welcome text, then, on a first start, a short tour of the
// prompt; later only a line on help and ending. Windows-1252, lines ending in '\n'.
std::string ConsoleWelcomeText(std::string_view programWelcome, bool firstStart);

} // namespace zelvora::cli
