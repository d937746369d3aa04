#pragma once

// The system x - y = a, x * y = b. With x = y + a it becomes the quadratic
// y*y + a*y - b = 0, whose discriminant is a*a + 4*b.
namespace form {

// a*a + b*4, in that order. Raises runtime::ErrorNumber::Overflow when it
// leaves the range of a double.
double discriminant(double a, double b);

struct Solution {
    double x;
    double y;
};

// The solution with y = (-a + sqrt(D)) / 2 and x = a + y, for a discriminant
// that is not below zero. Computed so that no subtraction of nearly equal
// values throws the digits away.
Solution solution(double a, double b, double discriminant);

} // namespace form
