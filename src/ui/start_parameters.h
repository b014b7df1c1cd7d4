// Start parameters: a script to open, a batch file to run and a demo to play at start, given by
// name ("batchdatei=...") or by position, with the usage text and the error messages.
#pragma once

#include "ui/settings_view.h"

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

struct tStartParameter {
    std::string_view Name;
    std::string_view Description;
    std::string_view Default;
    bool Obligatory;
};

inline constexpr std::size_t MaxStartParameters = 20;

// clang-format off
inline constexpr std::array<tStartParameter, 3> StartParameters = { {
    { "scriptdatei", "Eine Scriptdatei angeben",                    "", false },
    { "batchdatei",  "Eine Batchdatei angeben  (wird ausgef\xFChrt)", "", false },
    { "demodatei",   "Eine Demodatei angeben  (wird ausgef\xFChrt)",  "", false },
} };
// clang-format on

// A message box the front end shows at start: title and text, lines separated by '\n'.
struct tStartMessage {
    std::string Title;
    std::string Text;
};

// The outcome of parsing the command line.
struct tParameterParse {
    std::vector<std::string> Values; // one per declared parameter, in declaration order
    std::vector<std::string> Messages; // recorded in order
    bool Failed = false;
    bool AnyGiven = false; // a token besides the program path
};

// Parses a command line (Windows-1252) with the scanner, the double quote delimiting literals;
// the first token, the program's path, is skipped. Literals and number tokens are values at the
// current position, "name =" chooses the parameter whose name begins with name, a comma moves on.
tParameterParse ParseStartParameters(std::string_view commandLine);

// The command line of an argument vector (arguments[0] the program path): every argument in
// double quotes, except commas at its ends, which stand on their own, and a "name=" in front of a
// value, which stays outside the quotes. A value that arrives enclosed in double quotes (the shell
// left them on) is taken without them.
std::string CommandLineOfArguments(const std::vector<std::string>& arguments);

// The usage text of the help request.
std::string StartUsageText();

// What the start-up is asked to do.
struct tStartRequests {
    std::string ScriptFile; // opened in a new editor tab
    std::string BatchFile; // opened in a new tab and run
    std::string DemoFile; // played as by DEMO
    bool Error = false; // a requested file is missing: the program closes after the messages
    std::vector<tStartMessage> Messages; // shown in order
};

// Processes the start parameters (arguments[0] the program path, Windows-1252). A first parameter
// ?, /?, -?, /H or -H shows the usage text and asks for nothing. A parse failure shows its
// messages and asks for nothing. Otherwise each given file name is completed (a relative name
// found in the current folder from there; else a script or batch name by the data directory joined
// with the examples directory, a demo name by the data directory joined with the demo directory,
// both as the settings stand now) and requested when fileExists says it is there; a missing one
// shows a message, stays unrequested and sets Error.
tStartRequests ProcessStartParameters(const std::vector<std::string>& arguments,
    const tSettingsView& settings, const std::function<bool(const std::string&)>& fileExists);

// True when the program path text names an existing regular file.
bool StartFileExists(const std::string& path);

} // namespace zelvora
