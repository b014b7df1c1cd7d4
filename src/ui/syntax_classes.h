// The command editor's view of a script line: where its comment starts, and which stretches are
// names, catalogue words, command words, numbers and strings, for the syntax colouring.
#pragma once

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

namespace zelvora {

class tStmtList;

enum class tSyntaxClass : std::int32_t {
    Name = 1, // a variable or any other name
    CatalogueWord = 2, // a function, constant or word operator of the catalogue
    CommandWord = 3, // the command word that begins a statement
    Number = 4,
    String = 5, // a string literal with its quotes
    Comment = 6, // from the comment start to the end of the line
    Variable = 7, // a name the store holds, where the formula reads it as a variable
};

// One classified stretch of a line; characters in no stretch are signs and blanks.
struct tSyntaxSpan {
    std::int32_t Start = 0;
    std::int32_t Length = 0;
    tSyntaxClass Class = tSyntaxClass::Name;
    bool operator==(const tSyntaxSpan&) const = default;
};

// Answers whether an upper-cased word is one of its words.
using tWordTest = std::function<bool(std::string_view upperWord)>;

struct tSyntaxWords {
    tWordTest IsCommandWord;
    tWordTest IsCatalogueWord;
    tWordTest IsOperatorWord; // a word operator of the catalogue ("und", "mod", "falls")
    tWordTest IsVariable; // a name of the store
};

// Where the comment of a line begins, or -1: the line's characters but the last are scanned with a
// flag for being inside double quotes; a ';' counts when only blanks and tabs precede it, and "//"
// counts outside quotes.
std::int32_t CommentStart(std::string_view line);

// The stretches of a line (Windows-1252, one byte per character) in order. The first name of a
// line that is not followed by '=', ',' or '[' is a command word when the test says so. Other
// names are coloured as the formula reads them: a catalogue word when it is called ("Inv(" or
// "Inv ("), follows '#' (a constant) or is a word operator that names no variable; otherwise a
// variable when the store holds it, else a plain name. So a variable E, V or T is a variable even
// though the catalogue has entries of those names.
std::vector<tSyntaxSpan> ClassifyLine(std::string_view line, const tSyntaxWords& words);

// True when the word (any case) is a unique prefix of a command in the table, as a typed command
// word is looked up; reads the table only.
bool IsCommandWordOf(const tStmtList& table, std::string_view word);

// True when the word (any case) is a name or alias of the catalogue.
bool IsCatalogueWord(std::string_view word);
// True when the word (any case) names an operator of the catalogue.
bool IsOperatorWord(std::string_view word);

} // namespace zelvora
