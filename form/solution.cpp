#include "form/solution.h"

#include "runtime/values/arithmetic.h"

namespace form {

using namespace runtime;

double discriminant(double a, double b)
{
    return add(multiply(a, a), multiply(b, 4));
}

Solution solution(double a, double b, double discriminant)
{
    const double root = squareRoot(discriminant);
    // -a + root cancels when a > 0 and root is close to a; the same y is
    // 2b / (a + root), a sum of two positive values. Likewise a + y cancels
    // when a < 0, and x = b / y there, unless y underflowed to zero.
    const double y = isLess(0, a) ? divide(multiply(b, 2), add(a, root))
                                  : divide(add(negate(a), root), 2);
    const double x = isLess(a, 0) && isLess(0, y) ? divide(b, y) : add(a, y);
    return {x, y};
}

} // namespace form
