// Bare formulas in a session: their values are shown through the command window and not stored.
#include "support/recording_session.h"
#include "ui/formula_values.h"
#include "ui/session.h"
#include "variables/display_list.h"
#include "variables/number_format.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using namespace zelvora::testing;

class BareFormula : public ::testing::Test, protected tRecordingSession { };

TEST_F(BareFormula, ValuesAreShownAndNothingIsStored)
{
    ASSERT_TRUE(session.RunText("M = {{4,1},{2,3}}\n2+3\nM[2,*]\n1, {7}", "").Success);
    ASSERT_EQ(commandWindow.Outputs.size(), 3u);
    EXPECT_EQ(commandWindow.Outputs[0], "2+3 = 5\n");
    EXPECT_EQ(commandWindow.Outputs[1],
        "M[2,*] 1x2\n"
        "1x2        1        2\n"
        "1          2        3\n\n");
    EXPECT_EQ(commandWindow.Outputs[2],
        "1, {7} [1] = 1\n"
        "1, {7} [2] 1x1\n"
        "1x1        1\n"
        "1          7\n\n");
    EXPECT_EQ(session.StoreView().NameList(), (std::vector<std::string> { "M" }));
}

TEST_F(BareFormula, FailingFormulaGivesTheFormulasMessage)
{
    const tRunOutcome result = session.RunText("Invv(2)", "");
    EXPECT_FALSE(result.Success);
    EXPECT_EQ(result.Message, "Unbekannter Name \"Invv\" an Stelle 1 der Formel");
    EXPECT_TRUE(commandWindow.Outputs.empty());
}

TEST(FormulaValuesText, LongFormulasAreNamedPlainly)
{
    tVariableArray values(2);
    VarSetReal(values[1], 1e-20L);
    const tTextLayout layout = DefaultCopyLayout();
    EXPECT_EQ(FormulaValuesText(std::string(41, 'x'), values, { layout, true }), "Wert = 1E-20\n");
    EXPECT_EQ(FormulaValuesText("  y ", values, { layout, false }), "y = 1E-20\n");
}

} // namespace
} // namespace zelvora
