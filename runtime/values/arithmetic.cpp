#include "runtime/values/arithmetic.h"

#include "runtime/values/run_time_error.h"

#include <cmath>

namespace runtime {
namespace {

double checked(double result)
{
    if (!std::isfinite(result))
        raise(ErrorNumber::Overflow);
    return result;
}

} // namespace

double multiply(double left, double right)
{
    return checked(left * right);
}

double add(double left, double right)
{
    return checked(left + right);
}

double divide(double left, double right)
{
    if (right == 0.0)
        raise(left == 0.0 ? ErrorNumber::Overflow : ErrorNumber::DivisionByZero);
    return checked(left / right);
}

double negate(double value)
{
    return -value;
}

bool isLess(double left, double right) noexcept
{
    return left < right;
}

double squareRoot(double value)
{
    if (value < 0.0)
        raise(ErrorNumber::InvalidProcedureCall);
    return std::sqrt(value);
}

} // namespace runtime
