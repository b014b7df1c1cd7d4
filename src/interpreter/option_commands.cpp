// SETOPTIONS and SHOWOPTIONS.
#include "interpreter/option_commands.h"

namespace zelvora {
namespace {

bool IsEqualsSign(const t_ansitoken& token)
{
    return token.Kind == tkSign && token.Text == "=";
}

} // namespace

bool SetOptionsCommand(tOptions& options, tStmtList& statements, tAnsiTokens& arguments)
{
    bool result = true;
    for (std::size_t group = 0; group + 2 < arguments.size(); group += 3) {
        if (!IsEqualsSign(arguments[group + 1]))
            continue;
        // A value the option cannot take fails the command, saying what it takes.
        const std::string refusal = options.Refusal(arguments[group].Text, arguments[group + 2]);
        if (!refusal.empty()) {
            statements.Fail(1, refusal);
            return false;
        }
        result = options.SetOption(arguments[group].Text, arguments[group + 2]);
        if (!result) {
            statements.Reported.reset();
        }
    }
    return result;
}

std::vector<std::string> ShowOptionsLines(const tOptions& options)
{
    std::vector<std::string> lines { "//   Verf\xFCgbare Optionen:" };
    for (const tOptionDescriptor& option : OptionTable())
        lines.push_back("//     " + options.ShowOption(option.Name));
    lines.push_back("//     ");
    return lines;
}

bool ShowOptionsCommand(tOptions& options, tJournalPort* journal, tStmtList&, tAnsiTokens&)
{
    if (journal) {
        for (const std::string& line : ShowOptionsLines(options))
            journal->addline(line);
    }
    return true;
}

namespace {

// The options as the command window's output shows them: one per line, without the journal's
// comment marks.
std::string ShowOptionsOutput(const tOptions& options)
{
    std::string text = "Verf\xFCgbare Optionen:\n";
    for (const tOptionDescriptor& option : OptionTable())
        text += "  " + options.ShowOption(option.Name) + "\n";
    return text;
}

} // namespace

void RegisterOptionCommands(tInterpreter& interpreter, tOptions& options)
{
    interpreter.Statements().SetHandler(
        "SETOPTIONS", [&options](tStmtList& statements, tAnsiTokens& arguments) {
            return SetOptionsCommand(options, statements, arguments);
        });
    interpreter.Statements().SetHandler(
        "SHOWOPTIONS", [&options, &interpreter](tStmtList& statements, tAnsiTokens& arguments) {
            interpreter.ShowOutput(ShowOptionsOutput(options));
            return ShowOptionsCommand(options, interpreter.Ports().Journal, statements, arguments);
        });
}

} // namespace zelvora
