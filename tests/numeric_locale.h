#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <string>

// Runs each test under the C library's numeric locale given as the
// parameter: "C", and "bg_BG.UTF-8", whose decimal mark is ',' and which Qt
// sets at start for a Bulgarian user. Skips a locale the system lacks.
class NumericLocale : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override
    {
        before_ = std::setlocale(LC_NUMERIC, nullptr);
        if (!std::setlocale(LC_NUMERIC, GetParam()))
            GTEST_SKIP() << "no locale " << GetParam() << " on this system";
    }
    void TearDown() override { std::setlocale(LC_NUMERIC, before_.c_str()); }

private:
    std::string before_;
};

#define INSTANTIATE_WITH_NUMERIC_LOCALES(Fixture)                                                     \
    INSTANTIATE_TEST_SUITE_P(Locales, Fixture, testing::Values("C", "bg_BG.UTF-8"),                   \
                             [](const testing::TestParamInfo<const char*>& info) {                    \
                                 return info.index == 0 ? std::string("C") : std::string("Bulgarian"); \
                             })
