// The roots against the exact roots of the same a and b, computed in a type
// with twice the digits of a double; and the written roots put back into
// the system.
#include "form/solution.h"
#include "runtime/values/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <random>

namespace {

#ifdef __SIZEOF_FLOAT128__
using Wide = __float128; // 113-bit significand: a*a and 4*b are exact in it
#else
using Wide = long double;
#endif

constexpr double epsilon = 0x1p-53;
// A root whose relative change is at most ten times that of a and b.
constexpr double maxWellConditioned = 10;

Wide wideSqrt(Wide value)
{
    if (value <= 0)
        return 0;
    Wide root = std::sqrt(static_cast<double>(value));
    for (int i = 0; i < 3; ++i) // Newton: 53 good bits, then 106, then all
        root = (root + value / root) / 2;
    return root;
}

Wide wideAbs(Wide value)
{
    return value < 0 ? -value : value;
}

struct Exact {
    double x, y;
    double conditionX, conditionY; // how much relative changes of a and b grow in the root
};

Exact exactSolution(double a, double b)
{
    const Wide wa = a, wb = b;
    const Wide root = wideSqrt(wa * wa + 4 * wb);
    const Wide y = wa > 0 ? 2 * wb / (wa + root) : (root - wa) / 2;
    const Wide x = (wa < 0 && y != 0) ? wb / y : wa + y;
    auto condition = [&](Wide r) {
        return r == 0 || root == 0 ? INFINITY
                                   : static_cast<double>((wideAbs(wa * r) + wideAbs(wb)) / (wideAbs(r) * root));
    };
    return {static_cast<double>(x), static_cast<double>(y), condition(x), condition(y)};
}

// One unit in the 15th significant digit of the value.
double unitIn15thDigit(double value)
{
    return std::pow(10.0, std::floor(std::log10(std::fabs(value))) - 14);
}

// Pseudo-random systems with real roots over many magnitudes; some close to
// a double root (D near 0), some with b tiny next to a*a, where the
// textbook formula cancels.
struct SystemGenerator {
    std::mt19937_64 random{20261208};

    std::pair<double, double> next()
    {
        std::uniform_real_distribution<double> mantissa(1, 10);
        std::uniform_int_distribution<int> power(-60, 60);
        std::uniform_int_distribution<int> shape(0, 4);
        std::uniform_int_distribution<int> small(0, 20);
        std::bernoulli_distribution negative;
        const double a = (negative(random) ? -1 : 1) * mantissa(random) * std::pow(10.0, power(random));
        const double square = a * a;
        switch (shape(random)) {
        case 0: // b of its own size
            return {a, (negative(random) ? -1 : 1) * mantissa(random) * std::pow(10.0, 2 * power(random))};
        case 1: // b tiny next to a*a, either sign
            return {a, (negative(random) ? -0.25 : 1) * square * std::pow(10.0, -small(random))
                           * std::uniform_real_distribution<double>(0.1, 1)(random)};
        case 2: // D near 0: b just above -a*a/4
            return {a, -square / 4 * (1 - std::pow(10.0, -small(random)))};
        default: // b negative, D anywhere in [0, a*a]
            return {a, -square / 4 * std::uniform_real_distribution<double>(0, 1)(random)};
        }
    }
};

TEST(SolutionAccuracy, RootsWithinOneUnitInThe15thDigit)
{
    SystemGenerator systems;
    int solved = 0, illConditioned = 0, beyondOneUnit = 0;
    double worstWellConditioned = 0;
    for (int i = 0; i < 1'000'000; ++i) {
        const auto [a, b] = systems.next();
        const double d = form::discriminant(a, b);
        if (d < 0)
            continue; // the exact D is so close to 0 that rounding made it negative
        ++solved;
        const form::Solution computed = form::solution(a, b, d);
        const Exact exact = exactSolution(a, b);

        for (const auto& [value, truth, condition] :
             {std::tuple{computed.x, exact.x, exact.conditionX}, std::tuple{computed.y, exact.y, exact.conditionY}}) {
            if (truth == 0) {
                ASSERT_EQ(value, 0) << "a = " << a << ", b = " << b;
                continue;
            }
            const double error = std::fabs(value - truth);
            const double unit = unitIn15thDigit(truth);
            if (condition > maxWellConditioned) {
                // Near a double root the problem itself magnifies each rounding;
                // the error may pass one unit, but no more than that allows.
                ++illConditioned;
                beyondOneUnit += error > unit;
                ASSERT_LE(error, unit + 4 * epsilon * condition * std::fabs(truth)) << "a = " << a << ", b = " << b;
            } else {
                worstWellConditioned = std::max(worstWellConditioned, error / unit);
                ASSERT_LE(error, unit) << "a = " << a << ", b = " << b << ": " << value << " against " << truth;
            }
        }
    }
    std::printf("%d systems with D >= 0; %d roots ill-conditioned, %d of them beyond one unit; "
                "worst well-conditioned error %.3f units\n",
                solved, illConditioned, beyondOneUnit, worstWellConditioned);
    EXPECT_GT(solved, 950'000);
    // A fifth of the systems are built near a double root; few others are.
    EXPECT_LT(illConditioned, 2 * solved * 3 / 10);
}

Wide wideRead(const runtime::NumberText& text)
{
    return runtime::readNumber(text.view());
}

TEST(SolutionAccuracy, WrittenRootsSatisfyTheSystem)
{
    SystemGenerator systems;
    for (int i = 0; i < 200'000; ++i) {
        const auto [a, b] = systems.next();
        const double d = form::discriminant(a, b);
        if (d < 0)
            continue;
        const form::Solution roots = form::solution(a, b, d);
        // The roots as the window shows them: 15 significant digits.
        const Wide x = wideRead(runtime::writeNumber(roots.x));
        const Wide y = wideRead(runtime::writeNumber(roots.y));
        const Wide wa = a, wb = b;
        const double difference = static_cast<double>(wideAbs(x - y - wa));
        const double product = static_cast<double>(wideAbs(x * y - wb));
        const double sizes1 = static_cast<double>(wideAbs(x) + wideAbs(y) + wideAbs(wa));
        const double sizes2 = static_cast<double>(wideAbs(x * y) + wideAbs(wb) + wideAbs(wa * y));
        ASSERT_LE(difference, 2e-14 * sizes1) << "a = " << a << ", b = " << b;
        ASSERT_LE(product, 2e-14 * sizes2) << "a = " << a << ", b = " << b;
    }
}

} // namespace
