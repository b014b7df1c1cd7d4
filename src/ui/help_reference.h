// The formula reference of the help menu, written from the catalogue's help tree, so that it names
// every function, operator and constant the program knows, with the catalogue's own texts.
#pragma once

#include <string>

namespace zelvora {

class tTokentree;

// An RTF document: a title, one heading per group of the help tree (smaller below the top level)
// and one paragraph per entry with its call form in a fixed font, its description and, in italics,
// its further notes.
std::string FormulaReferenceRtf(const tTokentree& tree);

// The formula reference of the program's own catalogue (built first when it is not yet).
std::string ProgramFormulaReferenceRtf();

} // namespace zelvora
