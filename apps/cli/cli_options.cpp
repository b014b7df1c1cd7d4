// Command-line arguments of the console program.
#include "cli_options.h"

namespace zelvora::cli {
namespace {

constexpr std::int32_t MaxFrames = 360;

// The number of frames, 1..MaxFrames; 0 for any other text.
std::int32_t FrameCount(const std::string& text)
{
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos)
        return 0;
    const std::int32_t count = std::stoi(text);
    return count <= MaxFrames ? count : 0;
}

} // namespace

const char* const UsageText = R"(Aufruf: zelvora-cli [Optionen] [SKRIPT]

Ohne SKRIPT liest zelvora-cli Anweisungen an einer Eingabeaufforderung (auf einem Terminal)
oder das Skript von der Standardeingabe. Hilfe zu den Funktionen gibt dort die Anweisung ?,
?Name oder ?? Text.

Optionen:
  --journal DATEI   das Journal Anweisung für Anweisung in DATEI schreiben
  --listing DATEI   das Listing am Ende als Text in DATEI schreiben
  --pictures ORDNER Zeichnungen (ZEICHNE, LIST GRAPH) als SVG und PNG in ORDNER schreiben
                    (sonst im Arbeitsverzeichnis)
  --frames N        N Bilder je Animation schreiben, je 10 Grad weitergedreht (1 bis 360)
  --quiet           nur Fehler ausgeben
  --demo DATEI      die Demo DATEI abspielen (auf einem Terminal Schritt für Schritt)
  --batch           Demos ohne Warten auf die Eingabetaste durchlaufen lassen
  --kernel          allein: als Kernel eines Notebooks arbeiten, Anfragen als JSON-Zeilen
                    auf der Standardeingabe, Antworten als JSON-Zeilen auf der Standardausgabe
  --help            diese Hilfe zeigen

Rückgabewerte: 0 alle Anweisungen erfolgreich, 1 eine Anweisung ist fehlgeschlagen,
2 ein Laufzeitfehler hat den Lauf beendet, 64 falscher Aufruf, 128 + Signalnummer nach
SIGTERM oder SIGHUP.
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
        } else if (argument == "--kernel") {
            options.Kernel = true;
        } else if (argument == "--batch") {
            options.Batch = true;
        } else if (argument == "--pictures") {
            std::optional<std::string> directory;
            if (!value(directory))
                return std::nullopt;
            options.PicturesDirectory = *directory;
        } else if (argument == "--frames") {
            std::optional<std::string> count;
            if (!value(count))
                return std::nullopt;
            options.Frames = FrameCount(*count);
            if (options.Frames == 0) {
                error = "Option --frames braucht eine Zahl von 1 bis " + std::to_string(MaxFrames)
                    + ", nicht " + *count;
                return std::nullopt;
            }
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
    if (options.Kernel && arguments.size() > 1) {
        error = "Die Option --kernel steht allein: der Kernel liest weder Skript noch Demo und "
                "schreibt keine Dateien";
        return std::nullopt;
    }
    if (options.Script && options.DemoFile) {
        error = "Ein Skript und eine Demo können nicht zusammen angegeben werden";
        return std::nullopt;
    }
    return options;
}

} // namespace zelvora::cli
