#include "runtime/values/run_time_error.h"

namespace runtime {

std::string_view describe(ErrorNumber number) noexcept
{
    switch (number) {
    case ErrorNumber::InvalidProcedureCall:
        return "Невалидно извикване на процедура или аргумент";
    case ErrorNumber::Overflow:
        return "Препълване";
    case ErrorNumber::DivisionByZero:
        return "Деление на нула";
    case ErrorNumber::NoSuchControlArrayElement:
        return "Елементът на масива от контроли не съществува";
    }
    return "Грешка, определена от приложението";
}

const char* RunTimeError::what() const noexcept
{
    return describe(number_).data();
}

void raise(ErrorNumber number)
{
    throw RunTimeError(number);
}

std::string reportText(const RunTimeError& error)
{
    std::string text = "Грешка при изпълнение '";
    text += std::to_string(static_cast<int>(error.number()));
    text += "':\n\n";
    text += describe(error.number());
    return text;
}

} // namespace runtime
