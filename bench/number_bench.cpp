// Reading and writing numbers against the standard library's conversions,
// on the same mixed inputs.
#include "ratio_reporter.h"
#include "runtime/values/number_text.h"

#include <array>
#include <charconv>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Short integers, long decimals, exponents and the edges of the range, in
// the syntax both readers accept.
const std::vector<std::string> texts = {
    "6", "16", "-42", "100", "65535", "1000000000",
    "3.14159265358979", "0.333333333333333", "123456.789", "-0.5", "0.000000000056789",
    "1e-5", "6.02214076e23", "-2.76393202250021e-06", "7.23606797749979e-06", "1e15",
    "999999999999999", "1.7976931348623157e308", "4.9406564584124654e-324", "2.2250738585072014e-308",
};

std::vector<double> values()
{
    std::vector<double> result;
    for (const std::string& text : texts) {
        double value = 0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        result.push_back(value);
    }
    for (double extra : {1.0 / 3, 2.0 / 3, 1.0 / 30, 1.4142135623730951, 1e16 + 4, 0.1 + 0.2})
        result.push_back(extra);
    return result;
}

const std::vector<std::u16string> wideTexts = [] {
    std::vector<std::u16string> result;
    for (const std::string& text : texts)
        result.emplace_back(text.begin(), text.end());
    return result;
}();

void readNumber(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::string& text : texts)
            benchmark::DoNotOptimize(runtime::readNumber(std::string_view(text)));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

void readNumberUtf16(benchmark::State& state)
{
    for (auto _ : state)
        for (const std::u16string& text : wideTexts)
            benchmark::DoNotOptimize(runtime::readNumber(std::u16string_view(text)));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

void fromChars(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::string& text : texts) {
            double value;
            std::from_chars(text.data(), text.data() + text.size(), value);
            benchmark::DoNotOptimize(value);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(texts.size()));
}

void writeNumber(benchmark::State& state)
{
    const std::vector<double> numbers = values();
    for (auto _ : state)
        for (double value : numbers)
            benchmark::DoNotOptimize(runtime::writeNumber(value));
    state.SetItemsProcessed(state.iterations() * static_cast<long>(numbers.size()));
}

void toChars15(benchmark::State& state)
{
    const std::vector<double> numbers = values();
    for (auto _ : state) {
        for (double value : numbers) {
            std::array<char, 32> text;
            benchmark::DoNotOptimize(
                std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::general, 15));
            benchmark::DoNotOptimize(text);
        }
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(numbers.size()));
}

BENCHMARK(readNumber);
BENCHMARK(readNumberUtf16);
BENCHMARK(fromChars);
BENCHMARK(writeNumber);
BENCHMARK(toChars15);

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({
        {"readNumber / std::from_chars", "readNumber", "fromChars", 1.5},
        {"readNumber (UTF-16) / std::from_chars", "readNumberUtf16", "fromChars", 1.5},
        {"writeNumber / std::to_chars, 15 digits", "writeNumber", "toChars15", 1.5},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.printRatios();
}
