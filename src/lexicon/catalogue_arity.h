// How many arguments a built-in function takes, read from the parameter signature it shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace zelvora {

// The argument counts a signature allows: Least .. Most, any number from Least on when Most is
// Unbounded.
struct tArgumentCount {
    static constexpr std::int32_t Unbounded = -1;
    std::int32_t Least = 0;
    std::int32_t Most = 0;

    bool Allows(std::int32_t count) const
    {
        return count >= Least && (Most == Unbounded || count <= Most);
    }
};

// Reads a parameter signature as the help shows it, without its round brackets: parameters are
// separated by commas, "[...]" holds optional ones (also after a blank, "M [zl,sp]"), "{...}" and
// "<...>" are one parameter, "..." or a trailing comma ("M,") allows any number of further ones;
// forms separated by " | " are alternatives.
tArgumentCount ArgumentCountOfSignature(std::string_view signature);

// "erwartet 1 Argument", "erwartet 2 bis 4 Argumente", "erwartet mindestens 1 Argument".
std::string ExpectedArgumentsText(const tArgumentCount& count);

} // namespace zelvora
