// Writes the editors' syntax definition of the language from the catalogue and the command table:
// run by the build, so that the installed definition knows the words of the program it ships with.
#include "ui/front_end_text.h"
#include "ui/syntax_definition.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Aufruf: zelvora-syntax-definition ZIELDATEI\n";
        return 64;
    }
    // Written whole or not at all, so a failed build leaves no half file for the next one.
    if (zelvora::ReplaceFileContents(argv[1], zelvora::ProgramKateSyntaxDefinition()) != 0) {
        std::cerr << "Die Syntaxdefinition " << argv[1] << " konnte nicht geschrieben werden\n";
        return 1;
    }
    return 0;
}
