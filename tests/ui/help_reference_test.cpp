// The formula reference written from the catalogue: every group and every entry of the help tree
// appears in it, readable by the program's own RTF reader.
#include "lexicon/catalogue.h"
#include "lexicon/help_tree.h"
#include "text/rich_text.h"
#include "text/rtf_reader.h"
#include "ui/help_reference.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(FormulaReference, NamesEveryGroupAndEntryOfTheCatalogue)
{
    const tTokentree& tree = Catalogue().Tree();
    const std::string text = PlainText(ReadRtf(FormulaReferenceRtf(tree)));
    ASSERT_TRUE(text.starts_with("Zelvora - Formel-Referenz"));
    std::size_t entries = 0;
    std::size_t searchFrom = 0;
    ForEachNode(tree.Root(), [&](const tNodeVisit& visit) {
        const std::vector<std::string> fields = SplitNodeFields(visit.Node.Text);
        // In the tree's order: each node's first field after the previous one.
        const std::size_t at = text.find(fields.front(), searchFrom);
        EXPECT_NE(at, std::string::npos) << fields.front();
        if (at != std::string::npos)
            searchFrom = at;
        if (!visit.IsGroup && fields.size() > 1 && !fields[1].empty()) {
            EXPECT_NE(text.find(fields[1]), std::string::npos) << fields[1];
        }
        entries += visit.IsGroup ? 0 : 1;
    });
    EXPECT_GT(entries, 200u);
}

} // namespace
} // namespace zelvora
