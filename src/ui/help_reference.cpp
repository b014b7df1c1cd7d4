// Writing the formula reference from the catalogue's help tree.
#include "ui/help_reference.h"

#include "lexicon/catalogue.h"
#include "lexicon/help_tree.h"
#include "text/rtf_writer.h"

#include <algorithm>
#include <vector>

namespace zelvora {
namespace {

constexpr std::int32_t TextFont = 0;
constexpr std::int32_t CodeFont = 1;
constexpr std::int32_t HeadingColour = 1;
constexpr std::int32_t CodeColour = 2;
constexpr std::int32_t NoteColour = 3;

} // namespace

std::string FormulaReferenceRtf(const tTokentree& tree)
{
    tRtfWriter writer({ { "Tahoma", false }, { "Lucida Console", true } },
        { { 0, 0, 128 }, { 128, 0, 0 }, { 80, 80, 80 } });
    writer.Text("Zelvora - Formel-Referenz", { TextFont, HeadingColour, 36, true, false });
    writer.EndParagraph();
    writer.Text("Alle Funktionen, Operatoren und Konstanten der Formelsprache, nach Gruppen, wie "
                "sie das Men\xFC \"Funktionen\" zeigt. Konstanten werden mit # geschrieben "
                "(#pi), Funktionen mit ihren Argumenten in Klammern.",
        { TextFont, 0, 20, false, false });
    writer.EndParagraph();
    ForEachNode(tree.Root(), [&writer](const tNodeVisit& visit) {
        if (visit.IsGroup) {
            writer.EndParagraph();
            const std::int32_t size = std::max(22, 30 - 4 * visit.Depth);
            writer.Text(visit.Node.Text, { TextFont, HeadingColour, size, true, false });
            writer.EndParagraph();
            return;
        }
        const std::vector<std::string> fields = SplitNodeFields(visit.Node.Text);
        writer.Text(
            fields.empty() ? std::string() : fields[0], { CodeFont, CodeColour, 20, true, false });
        if (fields.size() > 1 && !fields[1].empty())
            writer.Text("   " + fields[1], { TextFont, 0, 20, false, false });
        for (std::size_t i = 2; i < fields.size(); ++i) {
            if (!fields[i].empty())
                writer.Text("   " + fields[i], { TextFont, NoteColour, 18, false, true });
        }
        writer.EndParagraph();
    });
    return writer.Document();
}

std::string ProgramFormulaReferenceRtf()
{
    tTocINFO& catalogue = Catalogue();
    catalogue.Build();
    return FormulaReferenceRtf(catalogue.Tree());
}

} // namespace zelvora
