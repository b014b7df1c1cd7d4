// Writes the formula reference of the help menu from the catalogue: run by the build, so that the
// shipped reference always describes the catalogue the program was built with.
#include "ui/front_end_text.h"
#include "ui/help_reference.h"

#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Aufruf: zelvora-help-reference ZIELDATEI\n";
        return 64;
    }
    // Written whole or not at all, so a failed build leaves no half file for the next one.
    if (zelvora::ReplaceFileContents(argv[1], zelvora::ProgramFormulaReferenceRtf()) != 0) {
        std::cerr << "Die Referenz " << argv[1] << " konnte nicht geschrieben werden\n";
        return 1;
    }
    return 0;
}
