// The function menus and lists as the desktop's menus read them from the catalogue.
#include "ui/function_catalogue.h"

#include <algorithm>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

const tFunctionMenuEntry* FindFunction(
    const std::vector<tFunctionMenuEntry>& entries, std::string_view prefix, int& depth)
{
    for (const tFunctionMenuEntry& entry : entries) {
        if (!entry.Heading && entry.Text.starts_with(prefix))
            return &entry;
        if (entry.Heading) {
            ++depth;
            if (const tFunctionMenuEntry* found = FindFunction(entry.Entries, prefix, depth))
                return found;
            --depth;
        }
    }
    return nullptr;
}

// Headings are named and hold entries; functions hold none (a separator line of the tree is a
// function entry with a description only).
bool WellFormed(const std::vector<tFunctionMenuEntry>& entries)
{
    return std::all_of(entries.begin(), entries.end(), [](const tFunctionMenuEntry& entry) {
        return entry.Heading
            ? !entry.Text.empty() && entry.Description.empty() && WellFormed(entry.Entries)
            : entry.Entries.empty() && !(entry.Text + entry.Description).empty();
    });
}

TEST(FunctionCatalogue, AFunctionSitsUnderAHeadingWithItsSyntaxAndDescription)
{
    const std::vector<tFunctionMenuEntry> entries = FunctionMenuEntries();
    ASSERT_FALSE(entries.empty());
    EXPECT_TRUE(WellFormed(entries));
    int depth = 0;
    const tFunctionMenuEntry* abs = FindFunction(entries, "abs(", depth);
    ASSERT_NE(abs, nullptr);
    EXPECT_GE(depth, 1);
    EXPECT_EQ(abs->Text, "abs(G)");
    EXPECT_EQ(abs->Description, "Absolutwert des Arguments");
}

TEST(FunctionCatalogue, TheListsNameTheFunctions)
{
    for (const std::vector<std::string>& lines :
        { StructuredFunctionListLines(), LinearFunctionListLines(), CommandListLines() }) {
        ASSERT_FALSE(lines.empty());
        EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
            return line.find("Absolutwert des Arguments") != std::string::npos;
        }));
    }
}

} // namespace
} // namespace zelvora
