// The language as text editors see it: a syntax definition in the KSyntaxHighlighting XML format
// (Kate, KWrite, KDevelop and other Qt editors), written from the catalogue and the command table,
// so that the editors know exactly the words the program knows.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zelvora {

class tStmtList;

// A statement "A" or "B * x" shows the matrix A or computes a formula when A is a variable; only
// then is it the command ANIMATE or BATCH. An editor cannot know the variables, and one or two
// letters name matrices far more often than they abbreviate a command, so shorter prefixes are
// not coloured as command words.
inline constexpr std::size_t MinCommandPrefix = 3;

// The words of the definition, in UTF-8, each list sorted and without repeats.
struct tSyntaxDefinitionWords {
    std::vector<std::string> Functions; // names and aliases of the catalogue's functions
    std::vector<std::string> Constants; // written after '#': "#pi", "#wahr"
    std::vector<std::string> OperatorWords; // "und", "mod", "falls", "über"
    // Every command word as a statement may begin with it: each full name and each prefix of at
    // least MinCommandPrefix letters that names exactly one command ("SET" for SETOPTIONS).
    std::vector<std::string> CommandWords;
};

// Reads the catalogue's table and the commands registered in the table.
tSyntaxDefinitionWords SyntaxDefinitionWords(const tStmtList& commands);

// The XML document (UTF-8). Command words count only at the start of a statement and when no
// '=', ',' or '[' follows (then the name is an assignment's target); function names only when
// called; constants only after '#'; all words in any case, as the program reads them.
std::string KateSyntaxDefinition(const tSyntaxDefinitionWords& words);

// The definition for the program's own catalogue and command table.
std::string ProgramKateSyntaxDefinition();

} // namespace zelvora
