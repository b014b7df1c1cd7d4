// A large matrix block asks for transparent huge pages: the kernel records the advice in the flags
// of the memory area that holds the block. (A small block may share an area that a large block
// marked earlier, so only the large one is checked.)
#include "numerics/matrix_types.h"

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

bool KernelOffersHugePages()
{
    std::ifstream mode("/sys/kernel/mm/transparent_hugepage/enabled");
    std::string text;
    std::getline(mode, text);
    return !text.empty() && text.find("[never]") == std::string::npos;
}

// The "VmFlags" line of the memory area of this process that holds `address`.
std::string AreaFlags(const void* address)
{
    const auto where = reinterpret_cast<std::uintptr_t>(address);
    std::ifstream maps("/proc/self/smaps");
    std::string line;
    bool inArea = false;
    while (std::getline(maps, line)) {
        std::uintptr_t start = 0;
        std::uintptr_t end = 0;
        char dash = 0;
        std::istringstream head(line);
        if (head >> std::hex >> start >> dash >> end && dash == '-' && line.find(':') > 20) {
            inArea = start <= where && where < end;
        } else if (inArea && line.rfind("VmFlags:", 0) == 0) {
            return line + " ";
        }
    }
    return {};
}

TEST(HugePages, LargeMatrixBlocksAskForThem)
{
    if (!KernelOffersHugePages())
        GTEST_SKIP() << "this kernel offers no transparent huge pages";
    const trealmatrix large(1000, 1000);
    EXPECT_NE(AreaFlags(large.Data()).find(" hg "), std::string::npos) << AreaFlags(large.Data());
}

} // namespace
} // namespace zelvora
