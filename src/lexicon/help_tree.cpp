// The help tree: node lists, the writing cursor and the text forms shown by the command window.
#include "lexicon/help_tree.h"

#include "numerics/run_time_error.h"

namespace zelvora {
namespace {

constexpr std::size_t NodeGrowthStep = 16;

// Everything after the n-th separator (n >= 1); empty when there are fewer separators.
std::string_view TextAfterSeparator(std::string_view text, int n)
{
    std::size_t pos = 0;
    for (int i = 0; i < n; ++i) {
        pos = text.find(NodeFieldSeparator, pos);
        if (pos == std::string_view::npos)
            return {};
        ++pos;
    }
    return text.substr(pos);
}

} // namespace

const tTokenNode& tTokenNodelist::Node(std::int32_t index) const
{
    if (index < 0 || index > LastIndex())
        throw tRangeError();
    return m_nodes[static_cast<std::size_t>(index)];
}

tTokenNode& tTokenNodelist::MutableNode(std::int32_t index)
{
    return const_cast<tTokenNode&>(Node(index));
}

void tTokenNodelist::AppendNode()
{
    if (m_nodes.size() == m_nodes.capacity())
        m_nodes.reserve(m_nodes.capacity() + NodeGrowthStep);
    m_nodes.emplace_back();
}

tTokentree::tTokentree()
    : m_root(std::make_unique<tTokenNodelist>(nullptr))
    , m_current(m_root.get())
{
}

const tTokenNode* tTokentree::CurrentNode() const
{
    const std::int32_t position = m_current->Position();
    return position < 0 ? nullptr : &m_current->Node(position);
}

tTokenNode* tTokentree::MutableCurrentNode()
{
    const std::int32_t position = m_current->Position();
    return position < 0 ? nullptr : &m_current->MutableNode(position);
}

void tTokentree::Move(std::string_view moves)
{
    for (const char move : moves) {
        switch (move) {
        case 'v':
        case 'V':
            if (m_current->m_position == m_current->LastIndex())
                m_current->AppendNode();
            ++m_current->m_position;
            break;
        case '>': {
            tTokenNode* node = MutableCurrentNode();
            if (node == nullptr)
                break;
            if (!node->Children) {
                node->Children = std::make_unique<tTokenNodelist>(m_current);
                node->Children->AppendNode();
            }
            m_current = node->Children.get();
            m_current->m_position = 0;
            break;
        }
        case '<':
            if (m_current->Parent() != nullptr)
                m_current = m_current->Parent();
            break;
        case '^':
            if (m_current->m_position > 0)
                --m_current->m_position;
            break;
        default:
            break;
        }
    }
}

void tTokentree::Step(
    std::string_view before, std::int32_t kind, std::string_view text, std::string_view after)
{
    Move(before);
    if (tTokenNode* node = MutableCurrentNode()) {
        node->Kind = kind;
        node->Text = text;
    }
    Move(after);
}

std::vector<std::string> SplitNodeFields(std::string_view text)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(NodeFieldSeparator, start);
        fields.emplace_back(text.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

namespace {

void WalkList(const tTokenNodelist& list, std::int32_t depth, std::string& path,
    const std::function<void(const tNodeVisit&)>& visit)
{
    for (const tTokenNode& node : list.Nodes()) {
        if (node.Text.empty())
            continue;
        const bool isGroup = node.Children != nullptr;
        visit(tNodeVisit { node, depth, path, isGroup });
        if (isGroup) {
            const std::size_t oldSize = path.size();
            path += node.Text;
            path += '\\';
            WalkList(*node.Children, depth + 1, path, visit);
            path.resize(oldSize);
        }
    }
}

} // namespace

void ForEachNode(const tTokenNodelist& list, const std::function<void(const tNodeVisit&)>& visit)
{
    std::string path;
    WalkList(list, 0, path, visit);
}

std::vector<std::string> StructuredFunctionList(const tTokentree& tree)
{
    std::vector<std::string> lines;
    ForEachNode(tree.Root(), [&lines](const tNodeVisit& visit) {
        if (visit.IsGroup) {
            lines.push_back("; " + std::string(visit.GroupPath) + visit.Node.Text + "\t\t   \t");
            return;
        }
        const std::vector<std::string> fields = SplitNodeFields(visit.Node.Text);
        const std::string description = fields.size() > 1 ? fields[1] : std::string();
        lines.push_back("  \t" + fields[0] + "\t// " + description + "\t"
            + std::string(TextAfterSeparator(visit.Node.Text, 2)));
    });
    return lines;
}

std::vector<std::string> TreeListing(const tTokentree& tree)
{
    std::vector<std::string> lines;
    ForEachNode(tree.Root(), [&lines](const tNodeVisit& visit) {
        std::string line = std::to_string(visit.Depth) + "\t\"";
        if (visit.IsGroup)
            line += std::string(visit.GroupPath) + visit.Node.Text;
        line += '"';
        std::vector<std::string> fields = SplitNodeFields(visit.Node.Text);
        fields.resize(3);
        for (const std::string& field : fields)
            line += "\t\"" + field + '"';
        lines.push_back(std::move(line));
    });
    return lines;
}

} // namespace zelvora
