// Parsing and processing the start parameters.
#include "ui/start_parameters.h"

#include "lexicon/scanner.h"
#include "text/data_directory.h"
#include "ui/statement_lines.h"

#include <filesystem>

namespace zelvora {
namespace {

constexpr std::string_view HelpWords[] = { "?", "/?", "-?", "/H", "-H" };

// clang-format off
    constexpr std::string_view UsageLines[] = {
        "Zelvora starten mit Datei-Parametern",
        "",
        "zelvora ",
        "zelvora scriptdatei=dateiname          (wird ge\xF6" "ffnet)",
        "zelvora batchdatei=dateiname           (wird ausgef\xFChrt)",
        "zelvora demodatei=dateiname            (wird ausgef\xFChrt)",
        "zelvora scriptdateiname",
        "zelvora ,batchdateiname",
        "zelvora , , demodateiname",
        "zelvora scriptdateiname [, [batchdateiname] , demodateiname]",
        "",
        "Wenn Dateinamen Leerzeichen enthalten, geben Sie sie bitte in \"dateiname\" eingeschlossen an",
    };
// clang-format on

// The first declared parameter whose name begins with prefix (upper-cased), or -1.
int ParameterOfPrefix(std::string_view prefix)
{
    const std::string folded = NameFold(prefix);
    for (std::size_t i = 0; i < StartParameters.size(); ++i) {
        if (NameFold(StartParameters[i].Name).starts_with(folded))
            return static_cast<int>(i);
    }
    return -1;
}

// A value the shell passed with its quotes still on (scriptdatei="a b.rts", as the usage text
// asks names with blanks to be written) is the text between them.
std::string_view WithoutEnclosingQuotes(std::string_view value)
{
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        return value.substr(1, value.size() - 2);
    return value;
}

// Length of a leading "name=" (ASCII letters, digits and '_', beginning with a letter), or 0.
std::size_t NamePrefixLength(std::string_view argument)
{
    std::size_t i = 0;
    while (i < argument.size()
        && ((argument[i] >= 'A' && argument[i] <= 'Z') || (argument[i] >= 'a' && argument[i] <= 'z')
            || (i > 0 && ((argument[i] >= '0' && argument[i] <= '9') || argument[i] == '_'))))
        ++i;
    return i > 0 && i < argument.size() && argument[i] == '=' ? i + 1 : 0;
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i)
        text += (i ? "\n" : "") + lines[i];
    return text;
}

} // namespace

tParameterParse ParseStartParameters(std::string_view commandLine)
{
    tParameterParse parse;
    parse.Values.assign(StartParameters.size(), std::string());
    tAnsiTokens tokens = Tokenize(commandLine, '"');
    bool obligatory = false;
    for (const tStartParameter& parameter : StartParameters)
        obligatory = obligatory || parameter.Obligatory;

    if (tokens.size() <= 1) {
        parse.Messages.push_back(" Startparameter erforderlich");
        parse.Failed = obligatory;
        return parse;
    }
    parse.AnyGiven = true;
    const std::string programPath = tokens.front().Text;
    std::size_t position = 0;
    const auto setValue = [&](const std::string& text, std::string_view marks) {
        if (position < parse.Values.size()) {
            parse.Values[position] = text;
        } else {
            parse.Messages.push_back(std::string(marks) + " =" + text + " (zuviele Parameter)");
            parse.Failed = true;
        }
    };

    for (std::size_t i = 1; i < tokens.size(); ++i) {
        const t_ansitoken& token = tokens[i];
        if (token.Kind == tkInteger || token.Kind == tkReal || token.Kind == tkString) {
            setValue(token.Text, "????");
        } else if (token.Kind == tkName && i + 1 < tokens.size()
            && IsSignToken(tokens[i + 1], '=')) {
            const int parameter = ParameterOfPrefix(token.Text);
            if (parameter >= 0) {
                position = static_cast<std::size_t>(parameter);
            } else {
                parse.Messages.push_back(
                    programPath + "=" + token.Text + " (unbekannter Parametername)");
                parse.Failed = true;
            }
            ++i; // the '=' belongs to the name
        } else if (token.Kind == tkName) {
            setValue(token.Text, "?????");
        } else if (IsSignToken(token, ',')) {
            ++position;
        }
    }
    for (std::size_t i = 0; i < StartParameters.size(); ++i) {
        if (StartParameters[i].Obligatory && parse.Values[i].empty()) {
            parse.Messages.push_back(
                "obligater parameter fehlt:" + std::string(StartParameters[i].Name));
            parse.Failed = true;
        }
    }
    return parse;
}

std::string CommandLineOfArguments(const std::vector<std::string>& arguments)
{
    std::string line;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        std::string_view argument = arguments[index];
        std::vector<std::string> pieces;
        std::size_t trailingCommas = 0;
        if (index > 0) {
            while (!argument.empty() && argument.front() == ',') {
                pieces.push_back(",");
                argument.remove_prefix(1);
            }
            while (!argument.empty() && argument.back() == ',') {
                ++trailingCommas;
                argument.remove_suffix(1);
            }
        }
        const std::size_t name = index > 0 ? NamePrefixLength(argument) : 0;
        if (name > 0) {
            const std::string_view value = WithoutEnclosingQuotes(argument.substr(name));
            pieces.push_back(std::string(argument.substr(0, name))
                + (value.empty() ? "" : StringLiteral(value)));
        } else if (!argument.empty() || pieces.empty()) {
            pieces.push_back(
                StringLiteral(index > 0 ? WithoutEnclosingQuotes(argument) : argument));
        }
        pieces.insert(pieces.end(), trailingCommas, ",");
        for (const std::string& piece : pieces)
            line += (line.empty() ? "" : " ") + piece;
    }
    return line;
}

std::string StartUsageText()
{
    std::string text;
    for (std::size_t i = 0; i < std::size(UsageLines); ++i)
        text += std::string(i ? "\n" : "") + std::string(UsageLines[i]);
    return text;
}

bool StartFileExists(const std::string& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(FileSystemPath(path), error);
}

tStartRequests ProcessStartParameters(const std::vector<std::string>& arguments,
    const tSettingsView& settings, const std::function<bool(const std::string&)>& fileExists)
{
    tStartRequests requests;
    if (arguments.size() > 1) {
        const std::string first = NameFold(arguments[1]);
        for (std::string_view word : HelpWords) {
            if (first == word) {
                requests.Messages.push_back({ "Zelvora-Info", StartUsageText() });
                return requests;
            }
        }
    }

    const std::string commandLine = CommandLineOfArguments(arguments);
    const tParameterParse parse = ParseStartParameters(commandLine);
    if (parse.Failed) {
        requests.Messages.push_back({ "Start-parameter Fehler",
            JoinLines(parse.Messages) + "\nStarten Sie \nzelvora ?\n um Syntaxhilfe zu bekommen" });
        return requests;
    }
    if (!parse.AnyGiven)
        return requests;

    struct tRequestKind {
        std::string_view Prefix;
        std::string_view Label;
        std::string tStartRequests::*File;
        bool Demo;
    };
    constexpr tRequestKind kinds[] = {
        { "script", "Scriptdatei ", &tStartRequests::ScriptFile, false },
        { "batch", "Batchdatei ", &tStartRequests::BatchFile, false },
        { "demo", "Demo-Datei ", &tStartRequests::DemoFile, true },
    };
    for (const tRequestKind& kind : kinds) {
        const int parameter = ParameterOfPrefix(kind.Prefix);
        if (parameter < 0 || parse.Values[static_cast<std::size_t>(parameter)].empty())
            continue;
        const std::string& value = parse.Values[static_cast<std::size_t>(parameter)];
        // A relative name is looked for in the current folder first, as a shell user expects,
        // then in the data directory.
        std::error_code error;
        const std::filesystem::path current = std::filesystem::current_path(error);
        const std::string here = error || IsAbsolutePath(value)
            ? ""
            : JoinPath(ProgramPathText(current.string()), value);
        std::string file
            = JoinPath(kind.Demo ? settings.DemoDirectory() : settings.ExamplesDirectory(), value);
        if (!here.empty() && fileExists && fileExists(here))
            file = here;
        if (fileExists && fileExists(file)) {
            requests.*kind.File = file;
        } else {
            requests.Messages.push_back({ "Startparameter-Fehler",
                std::string(kind.Label) + "\n\"" + file
                    + "\"\nkonnte beim Startaufruf nicht ge\xF6"
                      "ffnet werden.\n"
                    + commandLine });
            requests.Error = true;
        }
    }
    return requests;
}

} // namespace zelvora
