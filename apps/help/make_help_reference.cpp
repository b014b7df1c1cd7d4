// Writes the formula reference of the help menu from the catalogue: run by the build, so that the
// shipped reference always describes the catalogue the program was built with.
#include "language/catalogue.h"
#include "ui/help_reference.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "Aufruf: zelvora-help-reference ZIELDATEI\n";
        return 64;
    }
    zelvora::tTocINFO& catalogue = zelvora::Catalogue();
    catalogue.Build();
    std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
    file << zelvora::FormulaReferenceRtf(catalogue.Tree());
    file.close();
    if (!file) {
        std::cerr << "Die Referenz " << argv[1] << " konnte nicht geschrieben werden\n";
        return 1;
    }
    return 0;
}
