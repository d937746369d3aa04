#include "runtime/values/arithmetic.h"
#include "runtime/values/run_time_error.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <functional>
#include <optional>
#include <ostream>
#include <string>

using runtime::ErrorNumber;
using runtime::RunTimeError;

namespace {

struct Operation {
    std::string name;
    std::function<double()> run;
    std::optional<double> result; // none when it must raise
    ErrorNumber error = ErrorNumber::Overflow;
};

void PrintTo(const Operation& op, std::ostream* out)
{
    *out << op.name;
}

class Arithmetic : public testing::TestWithParam<Operation> {};

TEST_P(Arithmetic, RaisesExactlyWhenTheResultLeavesTheRange)
{
    const Operation& op = GetParam();
    try {
        const double value = op.run();
        ASSERT_TRUE(op.result.has_value()) << op.name << " gave " << value;
        EXPECT_EQ(value, *op.result) << op.name;
    } catch (const RunTimeError& error) {
        EXPECT_FALSE(op.result.has_value()) << op.name << " raised " << static_cast<int>(error.number());
        EXPECT_EQ(error.number(), op.error) << op.name;
    }
}

using namespace runtime;

INSTANTIATE_TEST_SUITE_P(Checked, Arithmetic, testing::Values(
    Operation{"6*6", [] { return multiply(6, 6); }, 36},
    Operation{"1e154*1e154", [] { return multiply(1e154, 1e154); }, 1e154 * 1e154},
    Operation{"1e200*1e200", [] { return multiply(1e200, 1e200); }, {}},
    Operation{"-1e200*1e200", [] { return multiply(-1e200, 1e200); }, {}},
    Operation{"max*4", [] { return multiply(DBL_MAX / 3, 4); }, {}},
    Operation{"1e-200*1e-200", [] { return multiply(1e-200, 1e-200); }, 0},
    Operation{"36+64", [] { return add(36, 64); }, 100},
    Operation{"max+max", [] { return add(DBL_MAX, DBL_MAX); }, {}},
    Operation{"-max-max", [] { return add(-DBL_MAX, -DBL_MAX); }, {}},
    Operation{"max-max", [] { return add(DBL_MAX, -DBL_MAX); }, 0},
    Operation{"4/2", [] { return divide(4, 2); }, 2},
    Operation{"max/0.5", [] { return divide(DBL_MAX, 0.5); }, {}},
    Operation{"1e-300/1e300", [] { return divide(1e-300, 1e300); }, 0},
    Operation{"1/0", [] { return divide(1, 0); }, {}, ErrorNumber::DivisionByZero},
    Operation{"-1/0", [] { return divide(-1, 0); }, {}, ErrorNumber::DivisionByZero},
    Operation{"0/0", [] { return divide(0, 0); }, {}, ErrorNumber::Overflow},
    Operation{"-max", [] { return negate(DBL_MAX); }, -DBL_MAX},
    Operation{"sqrt 100", [] { return squareRoot(100); }, 10},
    Operation{"sqrt max", [] { return squareRoot(DBL_MAX); }, 1.3407807929942596e154},
    Operation{"sqrt -1", [] { return squareRoot(-1); }, {}, ErrorNumber::InvalidProcedureCall}));

TEST(Arithmetic, LessThan)
{
    EXPECT_TRUE(isLess(-3, 0));
    EXPECT_FALSE(isLess(0, 0));
    EXPECT_FALSE(isLess(-0.0, 0));
    EXPECT_TRUE(isLess(-DBL_MAX, DBL_MAX));
}

TEST(RunTimeErrors, ReportText)
{
    EXPECT_EQ(reportText(RunTimeError(ErrorNumber::Overflow)), "Грешка при изпълнение '6':\n\nПрепълване");
    EXPECT_EQ(reportText(RunTimeError(ErrorNumber::DivisionByZero)),
              "Грешка при изпълнение '11':\n\nДеление на нула");
    EXPECT_STREQ(RunTimeError(ErrorNumber::Overflow).what(), "Препълване");
}

} // namespace
