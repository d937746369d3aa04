#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace runtime {

// The run-time errors the program can meet, numbered as users of the old
// form runtime know them from its error reports.
enum class ErrorNumber : int {
    InvalidProcedureCall = 5,
    Overflow = 6,
    DivisionByZero = 11,
    NoSuchControlArrayElement = 340,
};

// The Bulgarian description of an error, UTF-8.
std::string_view describe(ErrorNumber number) noexcept;

// A run-time error leaves the handler that raised it and is reported to the
// user by the event delivery (see events.h).
class RunTimeError : public std::exception {
public:
    explicit RunTimeError(ErrorNumber number) noexcept : number_(number) {}

    ErrorNumber number() const noexcept { return number_; }
    const char* what() const noexcept override;

private:
    ErrorNumber number_;
};

[[noreturn]] void raise(ErrorNumber number);

// "Грешка при изпълнение '6':", blank line, description: the text of the report.
std::string reportText(const RunTimeError& error);

} // namespace runtime
