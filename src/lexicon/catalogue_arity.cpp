// Argument counts of built-in functions, read from their parameter signatures.
#include "lexicon/catalogue_arity.h"

#include <algorithm>

namespace zelvora {

namespace {

// One form of a signature (no top-level '|').
tArgumentCount ArgumentCountOfForm(std::string_view signature)
{
    tArgumentCount count;
    int optionalDepth = 0;
    int groupDepth = 0;
    bool hasContent = false; // the parameter being read has a name (or a group)
    bool optional = false; // ... and it began inside square brackets
    bool anyMore = false;
    const auto finishParameter = [&] {
        if (!hasContent)
            return;
        if (!optional)
            ++count.Least;
        ++count.Most;
        hasContent = false;
    };
    for (std::size_t i = 0; i < signature.size(); ++i) {
        const char c = signature[i];
        if (groupDepth > 0) {
            if (c == '{' || c == '<')
                ++groupDepth;
            else if (c == '}' || c == '>')
                --groupDepth;
            continue;
        }
        if (signature.substr(i, 3) == "...") {
            anyMore = true;
            i += 2;
            continue;
        }
        switch (c) {
        case '[':
            finishParameter(); // "M [zl,sp]": an optional part after a blank
            ++optionalDepth;
            continue;
        case ']':
            if (optionalDepth > 0)
                --optionalDepth;
            continue;
        case ',':
            finishParameter();
            // A comma with nothing after it ("M,") leaves room for further arguments.
            if (signature.find_first_not_of(" ]", i + 1) == std::string_view::npos)
                anyMore = true;
            continue;
        case ' ':
            continue;
        case '{':
        case '<':
            ++groupDepth;
            break;
        default:
            break;
        }
        if (!hasContent) {
            hasContent = true;
            optional = optionalDepth > 0;
        }
    }
    finishParameter();
    if (anyMore)
        count.Most = tArgumentCount::Unbounded;
    return count;
}

} // namespace

tArgumentCount ArgumentCountOfSignature(std::string_view signature)
{
    // Forms separated by '|' outside all brackets allow any count one of them allows.
    int groupDepth = 0;
    for (std::size_t i = 0; i < signature.size(); ++i) {
        const char c = signature[i];
        groupDepth += c == '{' || c == '<' || c == '[' ? 1
            : c == '}' || c == '>' || c == ']'         ? -1
                                                       : 0;
        if (c != '|' || groupDepth != 0)
            continue;
        const tArgumentCount first = ArgumentCountOfForm(signature.substr(0, i));
        const tArgumentCount rest = ArgumentCountOfSignature(signature.substr(i + 1));
        const bool unbounded
            = first.Most == tArgumentCount::Unbounded || rest.Most == tArgumentCount::Unbounded;
        return { std::min(first.Least, rest.Least),
            unbounded ? tArgumentCount::Unbounded : std::max(first.Most, rest.Most) };
    }
    return ArgumentCountOfForm(signature);
}

std::string ExpectedArgumentsText(const tArgumentCount& count)
{
    const auto arguments
        = [](std::int32_t n) { return std::to_string(n) + (n == 1 ? " Argument" : " Argumente"); };
    if (count.Most == tArgumentCount::Unbounded)
        return "erwartet mindestens " + arguments(count.Least);
    if (count.Most == count.Least)
        return "erwartet " + arguments(count.Least);
    return "erwartet " + std::to_string(count.Least) + " bis " + arguments(count.Most);
}

} // namespace zelvora
