// The variable store: lookup by folded name, assignment, growth and shrinking, the display hooks.
#include "variable_test_support.h"
#include "variables/operator_handlers.h"
#include "variables/variable_store.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace zelvora {
namespace {
using namespace zelvora::testing;

// A store whose observer records what it is told.
class tRecordingStore : public tVarClass, private tStoreObserver {
public:
    tRecordingStore() { SetObserver(this); }
    std::vector<std::string> Calls;

private:
    void ShowNew(int32_t index) override { Calls.push_back("show " + std::to_string(index)); }
    void Refresh(int32_t index) override { Calls.push_back("refresh " + std::to_string(index)); }
    void RemoveShown(int32_t index) override { Calls.push_back("remove " + std::to_string(index)); }
    void ResizeShown(int32_t slots) override { Calls.push_back("slots " + std::to_string(slots)); }
    void Renamed(int32_t index) override { Calls.push_back("renamed " + std::to_string(index)); }
    void Clearing() override { Calls.push_back("clearing"); }
};

using tCalls = std::vector<std::string>;

TEST(VariableStore, LookupFoldsNamesAndCutsLongOnes)
{
    tVarClass store;
    EXPECT_EQ(store.SlotCount(), 33);
    ASSERT_TRUE(store.Store(Named(Int(1), "X")));
    ASSERT_TRUE(store.Store(Named(Int(2),
        "\xDC"
        "BER")));
    ASSERT_TRUE(store.Store(Named(Int(3), "STRA\xDF")));
    ASSERT_TRUE(store.Find("x"));
    EXPECT_EQ(store.Find("x")->intvalue, 1);
    EXPECT_EQ(store.Find("\xFC"
                         "ber"),
        &store.Variable(2));
    EXPECT_EQ(store.IndexOf("\xFC"
                            "ber"),
        2);
    EXPECT_EQ(store.IndexOf("stra\xDF"), 3);
    EXPECT_FALSE(store.Find("STRASS"));
    EXPECT_EQ(store.IndexOf("STRASS"), 0);

    const std::string longName(40, 'A');
    ASSERT_TRUE(store.Store(Named(Int(4), longName)));
    EXPECT_EQ(store.Variable(4).name, std::string(32, 'A'));
    EXPECT_FALSE(store.Find(longName));
    EXPECT_TRUE(store.Find(std::string(32, 'a')));
    // Storing under the long name again reaches the same variable instead of adding a twin.
    ASSERT_TRUE(store.Store(Named(Int(5), longName)));
    EXPECT_EQ(store.Count(), 4);
    EXPECT_EQ(store.Variable(4).intvalue, 5);
    EXPECT_EQ(store.NameList(),
        (std::vector<std::string> { "X",
            "\xDC"
            "BER",
            "STRA\xDF", std::string(32, 'A') }));
}

TEST(VariableStore, AssignmentKeepsOrReplacesTheVariable)
{
    tRecordingStore store;
    store.Store(Named(Int(1), "A"));
    store.Store(Named(Int(2), "B"));
    store.Store(Named(Int(3), "C"));
    EXPECT_EQ(store.Calls,
        (tCalls { "show 1", "refresh 1", "show 2", "refresh 2", "show 3", "refresh 3" }));

    store.Calls.clear();
    store.Store(Named(Real(2.5L), "b"));
    EXPECT_EQ(store.Calls, (tCalls { "refresh 2" })) << "same shape: overwritten in place";
    EXPECT_EQ(store.Variable(2).name, "b");
    EXPECT_EQ(store.Variable(2).datatype, dtReal);

    store.Calls.clear();
    store.Store(Named(RealMat({ { 1, 2 } }), "A"));
    // Count 2 after the delete: 2 + 19 is below the highest index 32, so the array shrinks.
    EXPECT_EQ(store.Calls, (tCalls { "remove 1", "slots 17", "show 3", "refresh 3" }));
    EXPECT_EQ(store.SlotCount(), 17);
    EXPECT_EQ(store.NameList(), (std::vector<std::string> { "b", "C", "A" }));

    store.Calls.clear();
    EXPECT_TRUE(store.Store(Named(tVariable(), "C")));
    EXPECT_EQ(store.Calls, (tCalls { "remove 2" })) << "an empty value removes the variable";
    EXPECT_EQ(store.NameList(), (std::vector<std::string> { "b", "A" }));
    EXPECT_FALSE(store.Find("C"));

    store.Calls.clear();
    EXPECT_TRUE(store.Store(Named(tVariable(), "NEW")));
    tVariable handle = Named(tVariable(), "H");
    handle.shape = shHandle;
    EXPECT_FALSE(store.Store(handle));
    EXPECT_TRUE(store.Calls.empty());
    EXPECT_EQ(store.Count(), 2);
}

TEST(VariableStore, StoringIntoTheFoundSlotActsAsAnAssignment)
{
    tRecordingStore store;
    store.Store(Named(Int(1), "A"));
    store.Store(Named(Int(2), "B"));
    store.Calls.clear();
    EXPECT_TRUE(store.StoreFound(store.Find("b"), Named(Int(7), "b")));
    EXPECT_EQ(store.Calls, (tCalls { "refresh 2" }));
    EXPECT_EQ(store.Variable(2).intvalue, 7);

    // Another shape: deleted and added anew, as by an assignment.
    store.Calls.clear();
    EXPECT_TRUE(store.StoreFound(store.Find("A"), Named(RealMat({ { 1, 2 } }), "A")));
    EXPECT_EQ(store.Calls, (tCalls { "remove 1", "slots 17", "show 2", "refresh 2" }));
    EXPECT_EQ(store.NameList(), (std::vector<std::string> { "b", "A" }));

    // A pointer beyond the variables (the slot of one deleted since) or into another array is
    // not trusted: the name is looked up.
    const tVariable* stale = store.Find("A");
    store.Delete("A");
    store.Calls.clear();
    EXPECT_TRUE(store.StoreFound(stale, Named(Int(3), "A")));
    EXPECT_EQ(store.Calls, (tCalls { "show 2", "refresh 2" }));
    const tVariable elsewhere = Named(Int(0), "B");
    EXPECT_TRUE(store.StoreFound(&elsewhere, Named(Int(4), "B")));
    EXPECT_EQ(store.Count(), 2);
    EXPECT_EQ(store.Find("b")->intvalue, 4);
    EXPECT_EQ(store.Find("a")->intvalue, 3);
}

TEST(VariableStore, ArrayGrowsAndShrinksInStepsOfSixteen)
{
    tRecordingStore store;
    for (int i = 1; i <= 29; ++i)
        store.Add(Named(Int(i), "V" + std::to_string(i)));
    EXPECT_EQ(store.SlotCount(), 33);
    store.Add(Named(Int(30), "V30"));
    EXPECT_EQ(store.SlotCount(), 49);
    EXPECT_EQ(store.Calls.back(), "show 30");
    EXPECT_EQ(store.Calls[store.Calls.size() - 2], "slots 49");

    store.Delete(30);
    EXPECT_EQ(store.SlotCount(), 49) << "count 29: 29 + 19 is not below 48";
    store.Delete(std::string_view("V1"));
    EXPECT_EQ(store.SlotCount(), 33);
    EXPECT_EQ(store.Count(), 28);
    EXPECT_EQ(store.Variable(1).name, "V2");
    EXPECT_EQ(store.Variable(29).shape, shEmpty);

    EXPECT_FALSE(store.Delete(0));
    EXPECT_FALSE(store.Delete(29));
    EXPECT_FALSE(store.Delete(std::string_view("nothing")));
    store.Calls.clear();
    EXPECT_TRUE(store.DeleteAll());
    EXPECT_EQ(store.Count(), 0);
    EXPECT_EQ(store.Calls.front(), "remove 28");
    EXPECT_EQ(store.SlotCount(), 17);
}

TEST(VariableStore, LookupsFollowADeletion)
{
    tVarClass store;
    for (const char* name : { "A", "B", "C", "D" })
        store.Store(Named(Int(0), name));
    ASSERT_EQ(store.IndexOf("D"), 4);
    store.Delete(2);
    EXPECT_EQ(store.IndexOf("D"), 3);
    ASSERT_TRUE(store.Find("d"));
    EXPECT_EQ(store.Find("d")->name, "D");
    EXPECT_FALSE(store.Find("B"));
}

// A remembered lookup answers as a fresh one after every change of where the names stand: the
// same slot while values are only overwritten, a new one after a deletion below it, a shape change,
// a rename, an addition or a clearing, and never another store's slot.
TEST(VariableStore, RememberedLookupsFollowEveryChangeOfTheLayout)
{
    tVarClass store;
    for (const char* name : { "A", "B", "C" })
        store.Store(Named(Int(0), name));
    // One memo per name, as each token of a formula keeps its own.
    tStoreSlotMemo memoB;
    tStoreSlotMemo memoC;
    const auto remembered = [&](std::string_view name, tStoreSlotMemo& memo) {
        const tVariable* found = store.Find(name, memo);
        EXPECT_EQ(found, store.Find(name)) << name;
        return found ? found->name + "=" + std::to_string(found->intvalue) : std::string("-");
    };
    EXPECT_EQ(remembered("c", memoC), "C=0");
    EXPECT_EQ(remembered("b", memoB), "B=0");
    store.Store(Named(Int(5), "c"));
    EXPECT_EQ(remembered("c", memoC), "c=5");
    store.Delete("A");
    EXPECT_EQ(remembered("c", memoC), "c=5");
    store.Store(Named(RealMat({ { 1, 2 } }), "B")); // another shape: deleted and added at the end
    store.Store(Named(Int(6), "B"));
    EXPECT_EQ(remembered("b", memoB), "B=6");
    EXPECT_EQ(remembered("c", memoC), "c=5");
    store.Rename("B", "D");
    EXPECT_EQ(remembered("b", memoB), "-");
    store.Store(Named(Int(7), "b"));
    EXPECT_EQ(remembered("b", memoB), "b=7");

    tVarClass other;
    other.Store(Named(Int(8), "X"));
    other.Store(Named(Int(9), "B"));
    EXPECT_EQ(other.Find("b", memoB)->intvalue, 9);
    store.ClearStore();
    EXPECT_EQ(remembered("b", memoB), "-");
}

// The observer hears a rename with the variable's index and the clearing before the variables go;
// a failed rename and a plain lookup tell it nothing.
TEST(VariableStore, ObserverHearsRenamesAndTheClearing)
{
    tRecordingStore store;
    store.Store(Named(Int(1), "A"));
    store.Store(Named(Int(2), "B"));
    store.Calls.clear();
    EXPECT_TRUE(store.Rename("b", "C"));
    EXPECT_FALSE(store.Rename("B", "D"));
    EXPECT_TRUE(store.Find("c"));
    EXPECT_EQ(store.Calls, (tCalls { "renamed 2" }));
    store.Calls.clear();
    store.ClearStore();
    EXPECT_EQ(store.Calls, (tCalls { "clearing" }));
    EXPECT_EQ(store.Count(), 0);
}

TEST(VariableStore, RenameAndAddRules)
{
    tVarClass store;
    store.Store(Named(Int(1), "OLD"));
    EXPECT_TRUE(store.Rename("old", std::string(40, 'N')));
    EXPECT_EQ(store.Variable(1).name, std::string(32, 'N'));
    EXPECT_FALSE(store.Rename("OLD", "X"));

    EXPECT_TRUE(store.Add(tVariable()));
    tVariable odd = Named(Int(1), "Z");
    odd.shape = 6;
    EXPECT_FALSE(store.Add(odd));
    EXPECT_EQ(store.Count(), 1);

    store.SetCell(1, 1, 1, 5);
    store.Store(Named(IntMat({ { 1, 2 } }), "M"));
    store.SetCell(2, 1, 2, 7);
    EXPECT_EQ(store.Variable(2).matrix(1, 2), 7);
}

TEST(OperatorHandlers, GiveExactlyOneRecord)
{
    using H = tOperatorHandler;
    const tVariableArray operands { tVariable(), Int(2), Int(3), Int(4) };
    const tVariableArray sum = ApplyOperatorHandler(H::Addition, operands, 1, 2, 0);
    ASSERT_EQ(sum.size(), 1u);
    EXPECT_EQ(sum[0].intvalue, 5);
    const tVariableArray product = ApplyOperatorHandler(H::Multiplication, operands, 2, 3, 0);
    ASSERT_EQ(product.size(), 1u);
    EXPECT_EQ(product[0].intvalue, 12);

    for (const auto& [first, last] : { std::pair { 1, 3 }, { 1, 1 }, { 3, 4 }, { -1, 0 } }) {
        const tVariableArray result
            = ApplyOperatorHandler(H::Subtraction, operands, first, last, 0);
        ASSERT_EQ(result.size(), 1u);
        EXPECT_EQ(result[0].shape, shEmpty) << first << ".." << last;
    }
    const tVariableArray none = ApplyOperatorHandler(H::EmptyResult, operands, 1, 2, 0);
    ASSERT_EQ(none.size(), 1u);
    EXPECT_EQ(none[0].shape, shEmpty);
    EXPECT_EQ(ApplyOperatorHandler(H::Comparison, operands, 1, 2, 4)[0].boolvalue, 1);
    EXPECT_EQ(ApplyOperatorHandler(H::Condition, operands, 0, 1, 2)[0].intvalue, 2);
}

} // namespace
} // namespace zelvora
