// Where a name was last found in a variable store, kept with a formula's token so that a statement
// run again in a loop does not compare the name with every stored one.
#pragma once

#include <cstdint>

namespace zelvora {

class tVarClass;

// Valid while the store that wrote it has the same layout: no variable added, deleted or renamed
// and no slot moved since. Index 0: the name was not stored then.
struct tStoreSlotMemo {
    const tVarClass* Store = nullptr;
    std::uint64_t Layout = 0;
    std::int32_t Index = 0;
};

} // namespace zelvora
