// The welcome text.
#include "interpreter/welcome_text.h"

#include <string_view>

namespace zelvora {
namespace {

constexpr std::string_view VersionLine
    = ";******  Zelvora Version 0.160821 Beta *****************************";

// clang-format off
    constexpr std::string_view IntroductionLines[] = {
        ";   Geben Sie Zelvora-Code ein (siehe Beispiel unten)",
        ";   Um eine Zeile auszuf\xFChren, setzen Sie den Cursor in diese Zeile",
        ";   und dr\xFC" "cken Sie (Tasten) ALT-R oder (Maus) den Startknopf(Dreieck)",
        ";   Um mehrere Zeilen auszuf\xFChren, markieren Sie diese erst im Windowsstil",
        ";   und verfahren Sie wie vor.",
        ";   --------------------------------------------------------",
        ";   Liste aller Funktionen erh\xE4ltlich unter rechter Maustaste",
        ";   oder \xFC" "ber das Hilfemen\xFC (ausf\xFChrlicher)",
        ";   Eine einf\xFChrende Demo erhalten Sie wenn Sie den folgenden ",
        ";   Befehl ausf\xFChren (Markierung hineinsetzen und ALT-R dr\xFC" "cken)",
        "    demo \"Basisinfo.zvd\"   ",
        ";   --------------------------------------------------------",
        ";   Beispiel: ",
        " A = {1,2}  ",
        " B ={ {1,2,3,4},{3,4,6,1} }  ",
        " C = A* B  ",
    };
// clang-format on

} // namespace

std::string WelcomeText(bool firstStart)
{
    std::string text(VersionLine);
    text += "\r\n";
    if (firstStart) {
        for (std::string_view line : IntroductionLines) {
            text += line;
            text += "\r\n";
        }
    }
    return text;
}

void BuildWelcomeText(tSettings& settings)
{
    settings.WelcomeText = WelcomeText(settings.FirstTimeUsed);
    settings.FirstTimeUsed = false;
}

} // namespace zelvora
