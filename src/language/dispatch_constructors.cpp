// Matrix constructors (opcodes 264 to 272).
#include "language/builtin_dispatch.h"

namespace zelvora {
namespace {

    tCallOutcome EmptyCall(const tCallArgs&) { return call::Empty(); }

    // clang-format off
    constexpr tDispatchRow Rows[] = {
        { 264, EmptyCall },
        { 272, EmptyCall },
    };
    // clang-format on

} // namespace

std::span<const tDispatchRow> ConstructorRows()
{
    return Rows;
}

} // namespace zelvora
