// The catalogue of functions, operators and constants as the front ends' menus read it: the
// function menus of its help tree and the function and command lists of the help menu.
#pragma once

#include <string>
#include <vector>

namespace zelvora {

// One entry of the function menus: a heading with the entries below it, or a function with its
// syntax (which the menu inserts) and description.
struct tFunctionMenuEntry {
    bool Heading = false;
    std::string Text; // a heading's text, or a function's syntax
    std::string Description; // empty for a heading
    std::vector<tFunctionMenuEntry> Entries; // a heading's entries
};

// The function menus, in the help tree's order; nodes without text are left out.
std::vector<tFunctionMenuEntry> FunctionMenuEntries();
// The lines of the structured and of the linear function list.
std::vector<std::string> StructuredFunctionListLines();
std::vector<std::string> LinearFunctionListLines();
// The lines of the command list the menu copies (the whole help tree).
std::vector<std::string> CommandListLines();

} // namespace zelvora
