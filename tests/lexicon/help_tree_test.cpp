// The help tree: cursor moves, the catalogue's headings and nodes, and the text forms.
#include "lexicon/catalogue.h"
#include "lexicon/help_tree.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

std::vector<std::string> TextsOf(const tTokenNodelist& list)
{
    std::vector<std::string> texts;
    for (const tTokenNode& node : list.Nodes()) {
        if (!node.Text.empty())
            texts.push_back(node.Text);
    }
    return texts;
}

// The child list of the heading with this text in list.
const tTokenNodelist& ChildrenOf(const tTokenNodelist& list, const std::string& heading)
{
    for (const tTokenNode& node : list.Nodes()) {
        if (node.Text == heading && node.Children)
            return *node.Children;
    }
    ADD_FAILURE() << "no heading " << heading;
    return list;
}

TEST(HelpTree, CursorMoves)
{
    tTokentree tree;
    EXPECT_EQ(tree.CurrentNode(), nullptr);
    tree.Move(">^<"); // nowhere to go on an empty root
    EXPECT_EQ(tree.Root().Count(), 0);

    tree.Step("v", 1, "A", ">");
    // Going down created the child list with one unset node and stands on it.
    ASSERT_NE(tree.CurrentNode(), nullptr);
    EXPECT_EQ(tree.CurrentNode()->Kind, UnsetNodeKind);
    EXPECT_EQ(tree.CurrentList().Parent(), &tree.Root());
    tree.Step("V", 9, "a1", "");
    tree.Step("v", 9, "a2", "<");
    EXPECT_EQ(tree.CurrentNode()->Text, "A");
    tree.Step("v", 1, "B", "");

    const tTokenNodelist& a = *tree.Root().Node(0).Children;
    EXPECT_EQ(a.Count(), 3);
    EXPECT_EQ(a.LastIndex(), 2);
    EXPECT_EQ(a.Node(0).Text, "");
    EXPECT_EQ(a.Node(2).Kind, 9);
    EXPECT_EQ(tree.Root().Count(), 2);
    EXPECT_EQ(tree.Root().Position(), 1);

    // '^' steps back but not before the first node; '<' at the root stays; re-entering a child
    // list stands on its first node and moving on within it does not append.
    tree.Move("^^^<<");
    EXPECT_EQ(tree.CurrentNode()->Text, "A");
    tree.Move(">vv");
    EXPECT_EQ(tree.CurrentNode()->Text, "a2");
    EXPECT_EQ(a.Count(), 3);
    tree.Move("v?");
    EXPECT_EQ(a.Count(), 4);
    EXPECT_THROW(a.Node(4), tRangeError);
    EXPECT_THROW(a.Node(-1), tRangeError);
}

TEST(HelpTree, CatalogueHeadings)
{
    const tTokentree& tree = Catalogue().Tree();
    const tTokenNodelist& root = tree.Root();
    ASSERT_GT(root.Count(), 0);
    EXPECT_EQ(root.Node(0).Text, "Beispiele");
    EXPECT_EQ(TextsOf(root),
        (std::vector<std::string> {
            "Beispiele", "Befehle", "Konstanten", "Operatoren", "Funktionen" }));

    const tTokenNodelist& operators = ChildrenOf(root, "Operatoren");
    EXPECT_EQ(TextsOf(operators),
        (std::vector<std::string> { "Klammern", "Listen", "Rechnen", "Vergleichen",
            "Logik/Boolesch", "Bedingte Berechnung in Operatorform", "Matrizen" }));
    EXPECT_EQ(operators.Node(4).Text, "Vergleichen");
    EXPECT_EQ(operators.Node(4).Kind, ComparisonHeadingNodeKind);
    EXPECT_EQ(operators.Node(3).Kind, HeadingNodeKind);

    const tTokenNodelist& matrix = ChildrenOf(ChildrenOf(root, "Funktionen"), "Matrix");
    EXPECT_EQ(TextsOf(matrix),
        (std::vector<std::string> { "Erzeugen", "Allg", "Submatrizen",
            "Ergebnisse \xFC"
            "ber Zl/Sp/Mat ausrechnen",
            "vorh. Matrixwerte umrechnen", "Quadratisch", "Distanz", "Kovarianz",
            "Raum-2, Raum-3-Operationen" }));
}

TEST(HelpTree, EveryChildListBeginsWithAnUnsetNode)
{
    int lists = 0;
    int entryNodes = 0;
    const std::function<void(const tTokenNodelist&)> check = [&](const tTokenNodelist& list) {
        for (const tTokenNode& node : list.Nodes()) {
            entryNodes += node.Kind == EntryNodeKind ? 1 : 0;
            if (!node.Children)
                continue;
            ++lists;
            ASSERT_GT(node.Children->Count(), 0);
            EXPECT_EQ(node.Children->Node(0).Kind, UnsetNodeKind) << node.Text;
            EXPECT_EQ(node.Children->Node(0).Text, "") << node.Text;
            EXPECT_EQ(node.Children->Parent(), &list);
            check(*node.Children);
        }
    };
    check(Catalogue().Tree().Root());
    // The inherited tree and the factor-analysis group with its entries.
    constexpr int factorAnalysisEntries = 8;
    EXPECT_EQ(lists, 32 + 1);
    // Every entry but the two internal ones has its node.
    EXPECT_EQ(entryNodes, 305 + factorAnalysisEntries);
}

TEST(HelpTree, NodeTexts)
{
    const tTokenNodelist& root = Catalogue().Tree().Root();
    EXPECT_EQ(TextsOf(ChildrenOf(root, "Beispiele")),
        (std::vector<std::string> { " X = 25*3+20\xFE"
                                    "Eine normale (\"skalare\") Operation",
            " myMatrix=inv(T'*M*M*T)\xFE"
            "Eine Matrixoperation" }));

    const std::vector<std::string> constants = TextsOf(ChildrenOf(root, "Konstanten"));
    ASSERT_EQ(constants.size(), 7u);
    EXPECT_EQ(constants[0],
        "#e\xFE"
        "eulersche Zahl (2.718...)\xFE");
    EXPECT_EQ(constants[3], "#wahr\xFElogisches WAHR\xFE");

    const tTokenNodelist& arithmetic = ChildrenOf(ChildrenOf(root, "Operatoren"), "Rechnen");
    const std::vector<std::string> operators = TextsOf(arithmetic);
    EXPECT_EQ(operators[0], " \xFE==== bin\xE4re Operatoren ====");
    EXPECT_EQ(operators[1], "+\xFEPlus Addition\xFE");
    EXPECT_EQ(operators[13],
        "\xFC"
        "ber\xFE"
        "binomischer Operator (a+b)!/a!b!\xFE");

    const tTokenNodelist& general = ChildrenOf(ChildrenOf(root, "Funktionen"), "Allgemein");
    EXPECT_EQ(general.Node(3).Text,
        "abs(G)\xFE"
        "Absolutwert des Arguments\xFE");
    EXPECT_EQ(general.Node(3).Kind, EntryNodeKind);

    const tTokenNodelist& scalars
        = ChildrenOf(ChildrenOf(ChildrenOf(root, "Funktionen"), "Matrix"), "Allg");
    EXPECT_EQ(scalars.Node(4).Text, "   Skalare Ergebnisse");
    EXPECT_EQ(scalars.Node(4).Kind, HeadingNodeKind);
}

TEST(HelpTree, NestedSelectionLists)
{
    const tTokenNodelist& root = Catalogue().Tree().Root();
    const tTokenNodelist& rotations
        = ChildrenOf(ChildrenOf(ChildrenOf(ChildrenOf(root, "Funktionen"), "Matrix"), "Kovarianz"),
            "Rotationen");
    const std::vector<std::string> texts = TextsOf(rotations);
    ASSERT_EQ(texts.size(), 18u);
    EXPECT_EQ(texts[2], "Auswahl f\xFCr Rotationen");
    EXPECT_EQ(texts[3],
        "Similar(Mat,Srottyp [,<zeilenauswahl>[,<spaltenauswahl>]])\xFE"
        "Similarityrotationen einer Matrix (S=Typauswahl)\xFE");
    EXPECT_EQ(texts[17], "Interpolate(M <data>,iSchritte)\xFEInterpolate\xFE");

    const std::vector<std::string> selections
        = TextsOf(ChildrenOf(rotations, "Auswahl f\xFCr Rotationen"));
    // The inherited selection lines and the one for the Kaiser normalisation.
    ASSERT_EQ(selections.size(), 19u + 1);
    EXPECT_EQ(selections.front(), "\"Tri\"\xFE Dreiecksrotation");
    EXPECT_EQ(selections.back(), "-\xFE-");
}

TEST(HelpTree, FieldsAndTextForms)
{
    EXPECT_EQ(
        SplitNodeFields("abs(G)\xFEhelp\xFE"), (std::vector<std::string> { "abs(G)", "help", "" }));
    EXPECT_EQ(SplitNodeFields("Beispiele"), (std::vector<std::string> { "Beispiele" }));
    EXPECT_EQ(SplitNodeFields(""), (std::vector<std::string> { "" }));

    const tTokentree& tree = Catalogue().Tree();
    const std::vector<std::string> structured = StructuredFunctionList(tree);
    ASSERT_GE(structured.size(), 3u);
    EXPECT_EQ(structured[0], "; Beispiele\t\t   \t");
    EXPECT_EQ(structured[1], "  \t X = 25*3+20\t// Eine normale (\"skalare\") Operation\t");
    EXPECT_NE(std::find(structured.begin(), structured.end(), "; Operatoren\\Klammern\t\t   \t"),
        structured.end());
    EXPECT_NE(std::find(structured.begin(), structured.end(),
                  "  \tabs(G)\t// Absolutwert des Arguments\t"),
        structured.end());

    const std::vector<std::string> listing = TreeListing(tree);
    ASSERT_EQ(listing.size(), structured.size());
    EXPECT_EQ(listing[0], "0\t\"Beispiele\"\t\"Beispiele\"\t\"\"\t\"\"");
    EXPECT_EQ(
        listing[1], "1\t\"\"\t\" X = 25*3+20\"\t\"Eine normale (\"skalare\") Operation\"\t\"\"");
    EXPECT_NE(std::find(listing.begin(), listing.end(), "2\t\"\"\t\"+\"\t\"Plus Addition\"\t\"\""),
        listing.end());
}

} // namespace
} // namespace zelvora
