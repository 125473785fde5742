#include "dist/calculate_results.hpp"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

namespace kelvora {
namespace {

struct FormatCase {
    const char* locale;
    double value;
    const char* expected; // UTF-8
};

void PrintTo(const FormatCase& c, std::ostream* os) {
    *os << c.locale << ' ' << c.value;
}

class FormatResultCases : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatResultCases, ShowsFourDecimalsInTheLocalesFormat) {
    const FormatCase& c = GetParam();
    EXPECT_EQ(FormatResult(c.value, QLocale(QString::fromLatin1(c.locale))).toStdString(),
              c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    NoIntegerZeroBelowOne, FormatResultCases,
    ::testing::Values(FormatCase{"en_US", 0.25, ".2500"}, FormatCase{"en_US", -0.5, "-.5000"},
                      FormatCase{"en_US", 0.0, ".0000"}, FormatCase{"en_US", 0.00004, ".0000"},
                      FormatCase{"en_US", 0.99994, ".9999"},
                      // The rule applies to the rounded text: these round up to one.
                      FormatCase{"en_US", 0.99996, "1.0000"},
                      FormatCase{"en_US", -0.99996, "-1.0000"}, FormatCase{"en_US", 1.0, "1.0000"},
                      FormatCase{"en_US", 10.5, "10.5000"}));

// QLocale keeps the sign of a negative value that rounds to zero, and drops it for -0.0.
INSTANTIATE_TEST_SUITE_P(NegativeZero, FormatResultCases,
                         ::testing::Values(FormatCase{"en_US", -0.00004, "-.0000"},
                                           FormatCase{"en_US", -0.0, ".0000"},
                                           FormatCase{"de_DE", -0.00004, "-,0000"}));

INSTANTIATE_TEST_SUITE_P(
    SeparatorsFromTheLocale, FormatResultCases,
    ::testing::Values(FormatCase{"en_US", 1234.5, "1,234.5000"},
                      FormatCase{"en_US", -1234.5, "-1,234.5000"},
                      FormatCase{"en_US", 1234567.25, "1,234,567.2500"},
                      FormatCase{"en_US", 1e20, "100,000,000,000,000,000,000.0000"},
                      FormatCase{"de_DE", 1234.5, "1.234,5000"}, FormatCase{"de_DE", 0.25, ",2500"},
                      FormatCase{"de_DE", -0.5, "-,5000"}, FormatCase{"C", 1234.5, "1234.5000"},
                      FormatCase{"C", 0.25, ".2500"},
                      FormatCase{"hi_IN", 1234567.25, "12,34,567.2500"},
                      // Arabic-Indic digits, the Arabic decimal separator and a minus sign that
                      // is two characters long.
                      FormatCase{"ar_EG", -0.5, "\u061c-\u066b\u0665\u0660\u0660\u0660"},
                      FormatCase{"ar_EG", 2.5, "\u0662\u066b\u0665\u0660\u0660\u0660"}));

TEST(FormatResult, NonFiniteValuesShowNotAvailable) {
    const QLocale locale(QLocale::English, QLocale::UnitedStates);
    EXPECT_EQ(FormatResult(std::numeric_limits<double>::infinity(), locale), kNotAvailable);
    EXPECT_EQ(FormatResult(-std::numeric_limits<double>::infinity(), locale), kNotAvailable);
    EXPECT_EQ(FormatResult(std::numeric_limits<double>::quiet_NaN(), locale), kNotAvailable);
}

TEST(FormatResult, LargestDoubleIsShownInFull) {
    const QString text = FormatResult(std::numeric_limits<double>::max(), QLocale(QLocale::C));
    EXPECT_EQ(text.size(), 309 + 5);
    EXPECT_TRUE(text.startsWith(QStringLiteral("17976931348623157")));
    EXPECT_TRUE(text.endsWith(QStringLiteral(".0000")));
}

TEST(FormatResult, GroupingCanBeSwitchedOffInTheLocale) {
    QLocale locale(QLocale::English, QLocale::UnitedStates);
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    EXPECT_EQ(FormatResult(1234.5, locale), QStringLiteral("1234.5000"));
}

} // namespace
} // namespace kelvora
