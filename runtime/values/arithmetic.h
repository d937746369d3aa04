#pragma once

// Arithmetic on doubles that refuses to leave the range: a result too large
// for a double raises ErrorNumber::Overflow instead of becoming infinite.
// Each operation rounds to a double before the next one sees its result.
namespace runtime {

double multiply(double left, double right);
double add(double left, double right);
// Raises ErrorNumber::DivisionByZero for x / 0, and Overflow for 0 / 0.
double divide(double left, double right);
double negate(double value);
bool isLess(double left, double right) noexcept;
// Raises ErrorNumber::InvalidProcedureCall for a negative value.
double squareRoot(double value);

} // namespace runtime
