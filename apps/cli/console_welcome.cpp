// The welcome text of the console.
#include "console_welcome.h"

namespace zelvora::cli {
namespace {

// clang-format off
constexpr std::string_view TourLines[] = {
    ";   Geben Sie eine Anweisung ein und dr\xFC" "cken Sie die Eingabetaste:",
    ";     A = {{4,1},{2,3}}       eine Matrix speichern",
    ";     Inv(A) * {1,2}'         eine Formel ohne Ziel wird nur angezeigt",
    ";   ?                         die Gruppen der Funktionen",
    ";   ?Inv   ?SETOPTIONS        Hilfe zu einer Funktion oder einem Befehl",
    ";   ?? Mittelwert             Funktionen suchen",
    ";   BATCH \"willkommen.rts\"    ein Beispiel ausf\xFChren (weitere in ~/Zelvora/Beispiele/)",
    ";   Tab erg\xE4nzt Namen, Pfeil hoch holt fr\xFChere Zeilen, \" _\" am Zeilenende setzt fort.",
    ";   Strg-C verwirft die Zeile oder bricht eine Rechnung ab; Ende mit QUIT oder Strg-D.",
};
// clang-format on

constexpr std::string_view ShortHint
    = ";   Hilfe mit ?, ?Name und ?? Text; Strg-C bricht ab; Ende mit QUIT oder Strg-D.";

} // namespace

std::string ConsoleWelcomeText(std::string_view programWelcome, bool firstStart)
{
    std::string text(programWelcome.substr(0, programWelcome.find_first_of("\r\n")));
    text += "\n";
    if (!firstStart) {
        text += std::string(ShortHint) + "\n";
        return text;
    }
    for (std::string_view line : TourLines) {
        text += line;
        text += "\n";
    }
    return text;
}

} // namespace zelvora::cli
