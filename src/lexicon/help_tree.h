// The help tree of the catalogue: headings, help lines and entry nodes, written by a cursor and
// read by the command window (insert menu, function lists).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zelvora {

// Node kinds: a node created by the cursor but never set, headings and help lines, the heading
// "Vergleichen", and the node of a catalogue entry.
inline constexpr std::int32_t UnsetNodeKind = -1;
inline constexpr std::int32_t HeadingNodeKind = 1;
inline constexpr std::int32_t ComparisonHeadingNodeKind = 2;
inline constexpr std::int32_t EntryNodeKind = 9;

// Separates the fields of a node text (syntax, description, extra): the character 254.
inline constexpr char NodeFieldSeparator = '\xFE';

class tTokenNodelist;

struct tTokenNode {
    std::int32_t Kind = UnsetNodeKind;
    std::string Text;
    std::unique_ptr<tTokenNodelist> Children; // none for lines and entries
};

using tTokenNodes = std::vector<tTokenNode>;

// The children of one node, or the root level. Lists are neither copied nor moved, so that the
// Parent links of their child lists stay valid; they live behind unique_ptr.
class tTokenNodelist {
public:
    explicit tTokenNodelist(tTokenNodelist* parent)
        : m_parent(parent)
    {
    }
    tTokenNodelist(const tTokenNodelist&) = delete;
    tTokenNodelist& operator=(const tTokenNodelist&) = delete;

    // The list one level up; null for the root.
    tTokenNodelist* Parent() const { return m_parent; }
    std::int32_t Count() const { return static_cast<std::int32_t>(m_nodes.size()); }
    // Index of the last node, -1 when empty.
    std::int32_t LastIndex() const { return Count() - 1; }
    // Index of the cursor's node in this list, -1 before the first.
    std::int32_t Position() const { return m_position; }
    // Node 0..LastIndex; outside: tRangeError.
    const tTokenNode& Node(std::int32_t index) const;
    const tTokenNodes& Nodes() const { return m_nodes; }

private:
    friend class tTokentree;

    tTokenNode& MutableNode(std::int32_t index);
    // Appends an unset node, growing the storage in steps of 16 nodes.
    void AppendNode();

    tTokenNodelist* m_parent;
    tTokenNodes m_nodes;
    std::int32_t m_position = -1;
};

// The tree and its writing cursor (a list and that list's Position).
class tTokentree {
public:
    tTokentree();

    const tTokenNodelist& Root() const { return *m_root; }
    const tTokenNodelist& CurrentList() const { return *m_current; }
    // The cursor's node; null while the cursor stands before the first node of its list.
    const tTokenNode* CurrentNode() const;

    // Moves the cursor once per character: 'v' or 'V' to the next node (appending an unset node
    // at the end of the list), '>' down to the first node of the current node's children (creating
    // the child list with one unset node when there is none), '<' up to the node whose children it
    // leaves, '^' to the previous node. A move that has nowhere to go, and any other character,
    // leaves the cursor where it is.
    void Move(std::string_view moves);

    // One tree step: the before-moves, then the current node (if any) gets kind and text, then the
    // after-moves.
    void Step(
        std::string_view before, std::int32_t kind, std::string_view text, std::string_view after);

private:
    tTokenNode* MutableCurrentNode();

    std::unique_ptr<tTokenNodelist> m_root;
    tTokenNodelist* m_current;
};

// The fields of a node text, split at every separator: "abs(G)þhelpþ" gives "abs(G)", "help", "".
std::vector<std::string> SplitNodeFields(std::string_view text);

// Depth-first walk over the nodes that have text (nodes with empty text are left out together with
// their children). depth is 0 on the root level; groupPath holds the texts of the headings above
// the node, each followed by a backslash. A group node is one that has a child list.
struct tNodeVisit {
    const tTokenNode& Node;
    std::int32_t Depth;
    std::string_view GroupPath;
    bool IsGroup;
};
void ForEachNode(const tTokenNodelist& list, const std::function<void(const tNodeVisit&)>& visit);

// The structured function list, one line per node: a group gives "; " + path + name + "\t\t   \t",
// any other node "  \t" + syntax + "\t// " + description + "\t" + the remaining fields.
std::vector<std::string> StructuredFunctionList(const tTokentree& tree);

// The tree listing, one line per node: depth, then the quoted path and name of a group (two double
// quotes for any other node), then the first three fields, each quoted and after a tab.
std::vector<std::string> TreeListing(const tTokentree& tree);

} // namespace zelvora
