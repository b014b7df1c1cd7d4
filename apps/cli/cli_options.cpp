// Command-line arguments of the console program.
#include "cli_options.h"

namespace zelvora::cli {

const char* const UsageText = R"(Aufruf: zelvora-cli [Optionen] [SKRIPT]

Ohne SKRIPT liest zelvora-cli Anweisungen an einer Eingabeaufforderung (auf einem Terminal)
oder das Skript von der Standardeingabe.

Optionen:
  --journal DATEI   das Journal am Ende in DATEI schreiben
  --listing DATEI   das Listing am Ende als Text in DATEI schreiben
  --quiet           nur Fehler ausgeben
  --demo DATEI      die Demo DATEI abspielen (auf einem Terminal Schritt für Schritt)
  --batch           Demos ohne Warten auf die Eingabetaste durchlaufen lassen
  --help            diese Hilfe zeigen

Rückgabewerte: 0 alle Anweisungen erfolgreich, 1 eine Anweisung ist fehlgeschlagen,
2 ein Laufzeitfehler hat den Lauf beendet, 64 falscher Aufruf.
)";

std::optional<tCliOptions> ParseCliOptions(
    const std::vector<std::string>& arguments, std::string& error)
{
    tCliOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        auto value = [&](std::optional<std::string>& target) {
            if (i + 1 >= arguments.size()) {
                error = "Option " + argument + " braucht einen Dateinamen";
                return false;
            }
            target = arguments[++i];
            return true;
        };
        if (argument == "--help" || argument == "-h") {
            options.Help = true;
        } else if (argument == "--quiet" || argument == "-q") {
            options.Quiet = true;
        } else if (argument == "--journal") {
            if (!value(options.JournalFile))
                return std::nullopt;
        } else if (argument == "--listing") {
            if (!value(options.ListingFile))
                return std::nullopt;
        } else if (argument == "--demo") {
            if (!value(options.DemoFile))
                return std::nullopt;
        } else if (argument == "--batch") {
            options.Batch = true;
        } else if (argument.size() > 1 && argument[0] == '-') {
            error = "Unbekannte Option " + argument;
            return std::nullopt;
        } else if (options.Script) {
            error = "Nur ein Skript kann angegeben werden";
            return std::nullopt;
        } else {
            options.Script = argument;
        }
    }
    if (options.Script && options.DemoFile) {
        error = "Ein Skript und eine Demo können nicht zusammen angegeben werden";
        return std::nullopt;
    }
    return options;
}

} // namespace zelvora::cli
