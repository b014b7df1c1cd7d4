// System variables: bindings that read and write the settings themselves, and the table's lookups.
#include "interpreter/options.h"
#include "interpreter/system_variables.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

tVariable StringValue(std::string text)
{
    tVariable value;
    VarSetString(value, std::move(text));
    return value;
}

tVariable IntegerValue(std::int32_t n)
{
    tVariable value;
    VarSetInteger(value, n);
    return value;
}

TEST(SystemVariables, AssignmentsWriteTheSettingsThemselves)
{
    tSettings settings;
    bool journalOn = true;
    bool listingOn = false;
    tRandomGenerator random;
    tSystemVariables variables(settings, { journalOn, listingOn }, random);
    tInterpreter interpreter;
    std::unique_ptr<tVisibleVarsList> store;
    tOptions options(settings, interpreter, store.get(), random);

    EXPECT_EQ(variables.SystemVariableType("DATENPFAD"), tSysVarType::String);
    EXPECT_EQ(variables.SystemVariableType("listing"), tSysVarType::Boolean);
    EXPECT_EQ(variables.SystemVariableType("CCFeldweite"), tSysVarType::None);
    EXPECT_FALSE(variables.IsSystemVariable("datenpfa"));

    variables.SetSystemVariable("datenpfad", StringValue("D:\\Arbeit\\"));
    EXPECT_EQ(settings.DataDir, "D:/Arbeit/");
    EXPECT_EQ(options.ShowOption("BasisDatenVerz"), "BasisDatenVerz=\"D:/Arbeit/\"");

    variables.SetSystemVariable("Journalling", IntegerValue(0));
    EXPECT_FALSE(journalOn);
    variables.SetSystemVariable("Listing", StringValue("x")); // a string reads as false
    EXPECT_FALSE(listingOn);
    variables.SetSystemVariable("Listing", IntegerValue(2));
    EXPECT_TRUE(listingOn);

    settings.ProgramDir = "/opt/zelvora/";
    const auto program = variables.SystemVariableValue("EXEPFAD");
    ASSERT_TRUE(program.has_value());
    EXPECT_EQ(program->shape, shScalar);
    EXPECT_EQ(program->datatype, dtString);
    EXPECT_EQ(program->strvalue, "/opt/zelvora/");
    const auto journal = variables.SystemVariableValue("journalling");
    ASSERT_TRUE(journal.has_value());
    EXPECT_EQ(journal->datatype, dtBoolean);
    EXPECT_EQ(journal->boolvalue, 0);
    EXPECT_FALSE(variables.SystemVariableValue("A").has_value());
}

TEST(SystemVariables, AssignableOptions)
{
    tSettings settings;
    bool journalOn = true;
    bool listingOn = false;
    tRandomGenerator random;
    tSystemVariables variables(settings, { journalOn, listingOn }, random);

    EXPECT_TRUE(variables.IsOptionName("beispieleverz"));
    EXPECT_FALSE(variables.IsOptionName("datenpfad"));
    variables.SetDirectorySetting("JOURNALDATEINAME", "j\\x.zvj");
    EXPECT_EQ(settings.JournalFileName, "j/x.zvj");
    variables.SetDirectorySetting("CCFeldweite", "egal");
    variables.SetRandomStart(12345);
    EXPECT_EQ(random.Seed(), 12345u);
    variables.SetFirstTimeUsed(false);
    EXPECT_FALSE(settings.FirstTimeUsed);
}

TEST(SystemVariables, TableBindingsAndCurrentRecord)
{
    tsysvars1 table;
    std::int32_t number = 4;
    std::string text = "a";
    bool flag = true;
    table.BindInteger("Zahl", number);
    table.BindString("Text", text);
    EXPECT_EQ(table.CurrentIndex(), 1);
    EXPECT_TRUE(table.Find("zahl"));
    EXPECT_EQ(table.CurrentKind(), tSysVarType::Integer);
    EXPECT_EQ(table.ReadInteger(), 4);
    EXPECT_TRUE(table.ReadBoolean());
    table.WriteString("nichts"); // another kind: no effect
    table.WriteInteger(9);
    EXPECT_EQ(number, 9);

    // Binding an existing name reuses its record with the new kind.
    table.BindBoolean("ZAHL", flag);
    EXPECT_EQ(table.Count(), 2u);
    EXPECT_TRUE(table.Find("Zahl"));
    EXPECT_EQ(table.CurrentKind(), tSysVarType::Boolean);
    EXPECT_EQ(table.ReadInteger(), 1);
    table.WriteInteger(0);
    EXPECT_EQ(number, 9);
    EXPECT_TRUE(flag);

    table.SetStringByName("text", "b");
    EXPECT_EQ(text, "b");
    EXPECT_EQ(table.GetStringByName("Text"), "b");
    table.SetStringByName("Zahl", "c"); // a boolean binding takes no text
    table.SetStringByName("fehlt", "c");
    EXPECT_EQ(table.Count(), 2u);
    EXPECT_FALSE(table.Find("fehlt"));
    EXPECT_EQ(table.CurrentIndex(), -1);
    EXPECT_EQ(table.CurrentKind(), tSysVarType::None);
    EXPECT_EQ(table.ReadString(), "");
    table.WriteBoolean(false);
    EXPECT_TRUE(flag);
}

} // namespace
} // namespace zelvora
