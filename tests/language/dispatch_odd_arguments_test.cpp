// Every statistics, generator, constructor, selection and sum function called with odd argument
// lists: no rows, no columns, texts, booleans, range lists, blocks and missing arguments. A call
// may give any value or end the run with a run-time error, but must never read or write outside
// its matrices (run under the sanitizers), and a matrix value it gives must hold its matrix.
#include "dispatch_fixture.h"
#include "numerics/matrix_alloc.h"

namespace zelvora {
namespace {

class OddArguments : public testing::DispatchFixture {
protected:
    void SetUp() override
    {
        StoreMatrix("R0", NewMatrix(0, 3)); // no rows
        StoreMatrix("C0", NewMatrix(2, 0)); // no columns
        Store("E", "{7}");
        Store("M", "{{1,-999,3},{4,5,6}}");
        Store("S", "{{\"a\",\"b\"},{\"c\",\"d\"}}");
        Store("B", "{1,2,3} > 1");
    }
};

constexpr const char* Functions[] = { "Summe", "Produkt", "Wenn", "N", "NSp", "NZl", "Sum", "SumSp",
    "SumZl", "Sqsum", "Hypothenuse", "StddevZl", "Mean", "MeanZl", "Median", "Mediansp",
    "GMedianZl", "TabMedian", "TabMediansp", "TabMedianZl", "Min", "MaxSp", "iMin", "iMaxZl",
    "iMax", "iMinSp", "AMin", "Prod", "InRangeSp", "iInRangeZl", "iInRangeSp", "zvaluesp", "normZl",
    "Abw", "AbwSp", "KumulSp", "Erw", "ErwAbw", "ChiSq", "Perzentil", "PerzentilSp", "AnpassungZl",
    "St_ChiSq", "St_CramersV", "f\xFCllen", "Dreieck", "Seq", "RandomN", "RandomNZl", "RandomU",
    "RandomIndex", "Komb", "MkPerm", "Hilbert", "MkDiag", "MkSubDiag", "MkSp", "MkZl", "Mk",
    "MkCorr", "MkType", "Collect", "CollectSp", "CollectZl", "Minor", "reformatieren", "Rollv",
    "Sub", "Subsp", "Subzl", "MarkSp", "Miss2Mean", "Miss2MeanZl", "Miss2MeanSp", "Addzl", "Addsp",
    "MergeDiag", "Merge", "Insert", "InsertSp", "InsertZl", "ISortZl", "ISort", "Index", "IndexInv",
    "IMatching", "MergeIndexed", "MergeMatching", "Reorder", "ReorderZl", "ReorderSp",
    "Faktorisieren" };

constexpr const char* ArgumentLists[] = { "R0", "C0", "E", "S", "B", "1..3", "\"u\"", "-1",
    "R0, R0", "C0, C0", "M, R0", "M, C0", "R0, M", "C0, M", "E, E, E", "M, 0, 0", "M, -1, -1",
    "M, 3, 3", "M, 1..9", "M, S", "S, M", "S, 2", "B, B, B", "M, {2,9}:{0,4}", "C0, {1}:1",
    "M, E, C0", "M, -999, R0", "M, -999, C0", "\"udo\", M", "\"d\"", "2, -3, M", "-2, 2, M",
    "M, {{2},{1}}", "M, M, M", "M, 1 > 0", "3, 1, 1", "0, 0, 0", "-3, 2, 1" };

bool HoldsItsMatrix(const tVariable& v)
{
    if (v.shape != shMatrix && v.shape != shRange && v.shape != shVector)
        return true;
    return v.datatype == dtString ? !v.strmatrix.IsAbsent() : !v.matrix.IsAbsent();
}

TEST_F(OddArguments, NoCallReachesOutsideItsMatrices)
{
    for (const char* function : Functions) {
        for (const char* arguments : ArgumentLists) {
            const std::string formula = std::string(function) + "(" + arguments + ")";
            SCOPED_TRACE(formula);
            try {
                const tVariableArray results = Eval(formula);
                for (std::size_t i = 1; i < results.size(); ++i)
                    EXPECT_TRUE(HoldsItsMatrix(results[i]));
            } catch (const tRunTimeError&) {
                // a hard fault that ends the run is a specified outcome
            }
        }
    }
}

} // namespace
} // namespace zelvora
