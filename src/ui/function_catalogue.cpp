// The catalogue's help tree and lists in the form the menus take.
#include "ui/function_catalogue.h"

#include "lexicon/catalogue.h"
#include "lexicon/help_tree.h"

namespace zelvora {

namespace {

std::vector<tFunctionMenuEntry> EntriesOf(const tTokenNodelist& list)
{
    std::vector<tFunctionMenuEntry> entries;
    for (const tTokenNode& node : list.Nodes()) {
        if (node.Text.empty())
            continue;
        tFunctionMenuEntry entry;
        if (node.Children && node.Children->Count() > 0) {
            entry.Heading = true;
            entry.Text = node.Text;
            entry.Entries = EntriesOf(*node.Children);
        } else {
            // A function node holds its syntax and description as fields.
            const std::vector<std::string> fields = SplitNodeFields(node.Text);
            entry.Text = fields.empty() ? node.Text : fields[0];
            entry.Description = fields.size() > 1 ? fields[1] : std::string();
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

} // namespace

std::vector<tFunctionMenuEntry> FunctionMenuEntries()
{
    return EntriesOf(Catalogue().Tree().Root());
}

std::vector<std::string> StructuredFunctionListLines()
{
    return StructuredFunctionList(Catalogue().Tree());
}

std::vector<std::string> LinearFunctionListLines()
{
    return LinearFunctionList(Catalogue());
}

std::vector<std::string> CommandListLines()
{
    return TreeListing(Catalogue().Tree());
}

} // namespace zelvora
