// The numbers a plan keeps: read once, and left in place by later ones when room was asked for.
#include "language/formula_plan.h"
#include "lexicon/scanner.h"

#include <gtest/gtest.h>

namespace zelvora {
namespace {

TEST(FormulaPlan, ReservedNumbersStayWhereTheyWereRead)
{
    tFormulaPlan plan;
    plan.FitTo(3);
    plan.ReserveNumbers(2);
    const tVariable& first = plan.NumberValue(0, tkInteger, "2");
    const tVariable& second = plan.NumberValue(2, tkReal, "0.5");
    // The first reference must still be the kept value after the second number was read.
    EXPECT_EQ(&plan.NumberValue(0, tkInteger, "2"), &first);
    EXPECT_EQ(first.datatype, dtInteger);
    EXPECT_EQ(first.intvalue, 2);
    EXPECT_EQ(second.datatype, dtReal);
    EXPECT_EQ(second.realvalue, 0.5L);
    // Read once: a later text for the same token is not read again.
    EXPECT_EQ(plan.NumberValue(2, tkReal, "7").realvalue, 0.5L);
}

} // namespace
} // namespace zelvora
