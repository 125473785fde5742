#include "random_inputs.hpp"

#include "dist/field_number.hpp"
#include "specfun/arithmetic.hpp"

#include <QByteArray>

#include <array>
#include <cmath>
#include <string_view>

namespace kelvora::properties {

namespace {

using Id = DistributionId;

constexpr double kAwkwardShare = 0.12;

// What a user may leave in a field: nothing, half a number, a number beyond the double range,
// words, other locales' separators, blanks.
constexpr std::array<const char*, 18> kAwkwardTexts = {
    "",      "-", "1e400", "-1e400", "0",      "-0",  "abc", "1,5", " 2 ",
    "1.2.3", "+", ".",     "e5",     "1e-400", "nan", "inf", "-3",  "99999999999"};

// The field number of a text, or `fallback` where the text has none the program could use.
double NumberOr(const QString& text, double fallback) {
    const QByteArray bytes = text.toUtf8();
    try {
        const double v = ParseFieldNumber(std::string_view(bytes.constData(), bytes.size()));
        return std::isfinite(v) ? v : fallback;
    } catch (const ArithmeticFault&) {
        return fallback;
    }
}

// Points far outside every support, and beyond the 16-bit range of discrete points.
constexpr std::array<double, 6> kFar = {1e300, -1e300, 40000, -40000, 1e6, -1e6};

} // namespace

QString NumberText(double v) {
    return QString::number(v, 'g', 17);
}

double RandomInputs::Unit() {
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int RandomInputs::Below(int n) {
    return static_cast<int>(Unit() * n);
}

bool RandomInputs::Chance(double p) {
    return Unit() < p;
}

double RandomInputs::LogUniform(double lowExponent, double highExponent) {
    return std::pow(10.0, lowExponent + (highExponent - lowExponent) * Unit());
}

QString RandomInputs::Awkward() {
    return QString::fromLatin1(kAwkwardTexts[Below(static_cast<int>(kAwkwardTexts.size()))]);
}

QString RandomInputs::OrAwkward(QString text) {
    return Chance(kAwkwardShare) ? Awkward() : text;
}

QString RandomInputs::Positive() {
    switch (Below(10)) {
    case 0:
        return NumberText(-LogUniform(-3, 3));
    case 1:
        return NumberText(LogUniform(-12, 12));
    default:
        return NumberText(LogUniform(-2, 2.5));
    }
}

QString RandomInputs::Location() {
    const double magnitude = Chance(0.1) ? LogUniform(3, 12) : 10.0 * Unit();
    return NumberText(Chance(0.5) ? -magnitude : magnitude);
}

QString RandomInputs::Count() {
    switch (Below(12)) {
    case 0:
        return NumberText(-std::floor(LogUniform(0, 3)));
    case 1:
        // Across the 16-bit limit of counts.
        return NumberText(32767.0 + Below(3) - 1);
    case 2:
        return NumberText(LogUniform(0, 4.6)); // fractional: floored or rounded by the reader
    default:
        return NumberText(std::floor(LogUniform(0, 2.7)));
    }
}

QString RandomInputs::Probability() {
    switch (Below(10)) {
    case 0:
        return NumberText(static_cast<double>(Below(2))); // 0 or 1: rejected
    case 1:
        return NumberText(Chance(0.5) ? -0.1 * Unit() : 1.0 + Unit());
    case 2:
        return NumberText(Chance(0.5) ? LogUniform(-12, -3) : 1.0 - LogUniform(-12, -3));
    default:
        return NumberText(Unit());
    }
}

QString RandomInputs::Level() {
    switch (Below(12)) {
    case 0:
        return NumberText(static_cast<double>(Below(2)));
    case 1:
        return NumberText(Chance(0.5) ? -Unit() : 1.0 + Unit());
    case 2:
        return NumberText(Chance(0.5) ? LogUniform(-12, -2) : 1.0 - LogUniform(-12, -2));
    case 3:
        return Awkward();
    default:
        return NumberText(Unit());
    }
}

// x near where the distribution has its mass, judged from the parameter texts, or far away.
QString RandomInputs::Point(DistributionId id, const QString& param1, const QString& param2) {
    if (Chance(0.1)) {
        return Chance(0.5) ? Awkward() : NumberText(kFar[Below(static_cast<int>(kFar.size()))]);
    }
    const double p1 = NumberOr(param1, 1.0);
    const double p2 = NumberOr(param2, 1.0);
    const double u = Unit();
    switch (id) {
    case Id::Beta:
        return NumberText(Chance(0.1) ? static_cast<double>(Below(2)) : 1.4 * u - 0.2);
    case Id::Uniform:
        return NumberText(p1 + (p2 - p1) * (1.4 * u - 0.2));
    case Id::Normal:
    case Id::Cauchy:
        return NumberText(p1 + std::abs(p2) * (20.0 * u - 10.0));
    case Id::Lognormal:
        return NumberText(std::exp(p1 + std::abs(p2) * (12.0 * u - 6.0)));
    case Id::Exponential:
        return NumberText((12.0 * u - 1.0) / (p1 != 0.0 ? std::abs(p1) : 1.0));
    case Id::Gamma:
        return NumberText(std::abs(p1) * (std::abs(p2) + 3.0) * (3.0 * u - 0.2));
    case Id::Weibull:
    case Id::Rayleigh:
        return NumberText(std::abs(p1) * (4.0 * u - 0.2));
    case Id::ChiSquare:
        return NumberText((std::abs(p1) + 5.0) * (3.0 * u - 0.1));
    case Id::F:
    case Id::StudentT:
        return NumberText(Chance(0.1) ? 0.0 : LogUniform(-3, 2) * (Chance(0.3) ? -1.0 : 1.0));
    case Id::Binomial:
    case Id::Hypergeometric: {
        // Up to a little beyond the largest count (n trials; K marked), sometimes between two
        // whole numbers.
        const double top = std::abs(id == Id::Binomial ? p1 : p2) + 4.0;
        return NumberText(std::floor(top * (1.3 * u - 0.1)) + (Chance(0.2) ? 0.5 : 0.0));
    }
    case Id::Poisson:
        return NumberText(std::floor((std::abs(p1) + 4.0) * (2.5 * u - 0.1)));
    case Id::Geometric:
        return NumberText(std::floor((4.0 / (std::abs(p1) + 0.01)) * (1.2 * u - 0.1)));
    }
    return NumberText(u);
}

RandomCase RandomInputs::Next() {
    return Next(static_cast<Id>(Below(kDistributionCount)));
}

RandomCase RandomInputs::Next(DistributionId id) {
    RandomCase c;
    c.id = id;
    InputTexts& in = c.inputs;
    switch (id) {
    case Id::Beta:
    case Id::Gamma:
    case Id::Weibull:
        in.param1 = Positive();
        in.param2 = Positive();
        break;
    case Id::Cauchy:
    case Id::Normal:
        in.param1 = Location();
        in.param2 = Positive();
        break;
    case Id::Lognormal:
        in.param1 = NumberText(8.0 * Unit() - 4.0);
        in.param2 = Chance(0.8) ? NumberText(LogUniform(-2, 0.7)) : Positive();
        break;
    case Id::Binomial:
        in.param1 = Count();
        in.param2 = Probability();
        break;
    case Id::ChiSquare:
    case Id::StudentT:
        in.param1 = Count();
        break;
    case Id::F:
        in.param1 = Count();
        in.param2 = Count();
        break;
    case Id::Exponential:
    case Id::Poisson:
    case Id::Rayleigh:
        in.param1 = Positive();
        break;
    case Id::Geometric:
        in.param1 = Probability();
        break;
    case Id::Hypergeometric: {
        // Mostly a valid set (n <= K <= M), so that the sums are exercised.
        const double population = std::floor(LogUniform(0, 3.5));
        const double marked = std::ceil(population * Unit());
        const double drawn = std::floor((marked + 1.0) * Unit());
        in.param1 = Chance(0.15) ? Count() : NumberText(population);
        in.param2 = Chance(0.15) ? Count() : NumberText(marked);
        in.param3 = Chance(0.15) ? Count() : NumberText(drawn);
        break;
    }
    case Id::Uniform: {
        const double a = 10.0 * Unit() - 5.0;
        in.param1 = NumberText(a);
        in.param2 = Chance(0.85) ? NumberText(a + LogUniform(-6, 3)) : Location();
        break;
    }
    }
    in.param1 = OrAwkward(in.param1);
    in.param2 = OrAwkward(in.param2);
    // The third field is unused by all but the Hypergeometric: any text must leave them alone.
    if (id != Id::Hypergeometric) {
        in.param3 = Awkward();
    } else {
        in.param3 = OrAwkward(in.param3);
    }
    in.x = OrAwkward(Point(id, in.param1, in.param2));
    in.q = Level();
    return c;
}

} // namespace kelvora::properties
