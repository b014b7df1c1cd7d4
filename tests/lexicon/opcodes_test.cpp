// The opcode list: the priority of every operator as the language defines it, and the groups that
// the parser and the machine take from it.
#include "lexicon/catalogue.h"
#include "lexicon/opcodes.h"

#include <set>

#include <gtest/gtest.h>

namespace zelvora {
namespace {

using O = tOpcode;

// The whole priority table of the formula language, highest first.
// clang-format off
    const std::pair<std::uint8_t, std::set<O>> PriorityTable[] = {
        { 49, { O::OpenIndex } },
        { 29, { O::Like, O::Transpose, O::AsArray, O::TimesTransposed, O::Factorial, O::PowerZero,
                O::Squared, O::Cubed } },
        { 25, { O::Range } },
        { 24, { O::RangeJoin } },
        { 23, { O::Block } },
        { 22, { O::Power, O::PowerElementwise } },
        { 21, { O::Times, O::Divide, O::TimesElementwise, O::DivideElementwise, O::Mod, O::Div,
                O::Choose, O::ChooseMod } },
        { 20, { O::Plus, O::Minus, O::MatrixPlus } },
        { 19, { O::ConcatColumns } },
        { 18, { O::Less, O::Greater, O::Equal, O::LessEqual, O::GreaterEqual, O::NotEqual } },
        { 17, { O::In } },
        { 16, { O::And, O::Nor, O::Xor, O::Nand } },
        { 15, { O::Or } },
        { 14, { O::Falls, O::Sonst } },
        { 3,  { O::Comma } },
        { 2,  { O::CloseParen, O::CloseBrace, O::CloseBracket } },
        { 0,  { O::EndOfFormula } },
    };
// clang-format on

TEST(Opcodes, EveryOperatorHasThePriorityOfTheTable)
{
    for (const auto& [priority, opcodes] : PriorityTable) {
        for (const O opcode : opcodes)
            EXPECT_EQ(OpcodePriority(opcode), priority) << OpcodeName(opcode);
    }
}

TEST(Opcodes, EntriesOutsideTheTableGetTheIndexPriority)
{
    Catalogue().Build();
    std::set<O> listed;
    for (const auto& [priority, opcodes] : PriorityTable)
        listed.insert(opcodes.begin(), opcodes.end());
    for (std::int32_t i = 1; i <= Catalogue().EntryCount(); ++i) {
        const tTOC& entry = Catalogue().Entry(i);
        if (!listed.contains(entry.Opcode)) {
            EXPECT_EQ(OpcodePriority(entry.Opcode), 49) << entry.Name;
        }
    }
    EXPECT_GT(FunctionCallPriority, OpcodePriority(O::OpenIndex));
}

TEST(Opcodes, NamesAndNumbersStayAsTheLanguageDocumentsThem)
{
    EXPECT_EQ(OpcodeNumber(O::Plus), 24);
    EXPECT_EQ(OpcodeNumber(O::Inv), 205);
    EXPECT_EQ(OpcodeNumber(O::OpenParen), 334);
    EXPECT_STREQ(OpcodeName(O::Rot), "Rot");
    EXPECT_STREQ(OpcodeName(tOpcode { 1 }), "");
}

TEST(Opcodes, GroupsOfTheParserAndTheMachine)
{
    EXPECT_TRUE(IsClosingBracket(O::CloseBracket));
    EXPECT_FALSE(IsClosingBracket(O::OpenIndex));
    EXPECT_TRUE(IsPostfixOperator(O::Factorial));
    EXPECT_FALSE(IsPostfixOperator(O::OpenIndex));
    EXPECT_TRUE(IsBinaryOperator(O::RangeJoin));
    EXPECT_TRUE(IsBinaryOperator(O::MatrixPlus));
    EXPECT_FALSE(IsBinaryOperator(O::ConcatColumns));
    EXPECT_TRUE(IsFunctionOpcode(O::Format));
    EXPECT_TRUE(IsFunctionOpcode(O::Interpolate));
    EXPECT_FALSE(IsFunctionOpcode(O::Factorial));
    EXPECT_FALSE(IsFunctionOpcode(O::OpenBrace));
}

} // namespace
} // namespace zelvora
