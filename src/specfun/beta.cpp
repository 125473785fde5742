// The complete beta function and the regularised incomplete beta ratio I_x(a, b) by Applied
// Statistics algorithm AS 63 (Majumder and Bhattacharjee, 1973): Soper's reduction formula.
//
// The accuracy is 1e-7 rather than AS 63's 1e-14. The reduction count and the term index are
// wide integers; the series is cut off after kMaxTerms terms (a fault), where it converges too
// slowly to be of use (the callers then take an accurate evaluation).
#include "specfun/gamma_family.hpp"
#include "specfun/normal_beta.hpp"

#include <cfloat>
#include <cmath>

namespace kelvora {

namespace {

constexpr double kAccuracy = 1e-7;
constexpr long kMaxTerms = 32767;

// For large shapes the partial sums of the series pass the double range before the factor
// x^pp (1-x)^(qq-1) / B(a, b) brings them back. The sum and the term are then rescaled by this
// power of two, which is exact, and the scale is carried as an exponent.
constexpr double kRescaleAbove = 0x1p600;
constexpr int kRescaleExponent = 600;

} // namespace

double LogBetaFunction(double a, double b) {
    return Finite(LogGamma(a) + LogGamma(b) - LogGamma(a + b), "LogBetaFunction");
}

double BetaFunction(double a, double b) {
    return Finite(std::exp(LogBetaFunction(a, b)), "BetaFunction");
}

double IncompleteBetaRatio(double a, double b, double x) {
    return IncompleteBetaRatios(a, b).Lower(x);
}

double IncompleteBetaRatioComplement(double a, double b, double x) {
    return IncompleteBetaRatios(a, b).Upper(x);
}

double IncompleteBetaRatios::Beta() const {
    return beta_.Get([this] { return BetaFunction(a_, b_); });
}

IncompleteBetaRatios::Series IncompleteBetaRatios::SeriesAt(double x) const {
    return series_.Get(x, [this, x] { return Sum(x); });
}

double IncompleteBetaRatios::Lower(double x) const {
    if (x <= 0.0) {
        return 0.0;
    }
    if (x >= 1.0) {
        return 1.0;
    }
    const Series v = SeriesAt(x);
    return Finite(v.flipped ? 1.0 - v.r : v.r, "IncompleteBetaRatio");
}

double IncompleteBetaRatios::Upper(double x) const {
    if (x <= 0.0) {
        return 1.0;
    }
    if (x >= 1.0) {
        return 0.0;
    }
    const Series v = SeriesAt(x);
    return Finite(v.flipped ? v.r : 1.0 - v.r, "IncompleteBetaRatioComplement");
}

IncompleteBetaRatios::Series IncompleteBetaRatios::Sum(double x) const {
    const double a = a_;
    const double b = b_;
    // Work in the tail where the series converges faster.
    double psq = a + b;
    double xx = x;
    double cx = 1.0 - x;
    double pp = a;
    double qq = b;
    bool flipped = false;
    if (psq * x > a) {
        xx = 1.0 - x;
        cx = x;
        pp = b;
        qq = a;
        flipped = true;
    }

    double term = 1.0;
    double sum = 1.0;
    long ai = 1;
    // NaN or an infinite parameter faults here, before the loop.
    const double reductions = std::floor(qq + cx * psq);
    if (!(std::fabs(reductions) < 1e15)) {
        throw ArithmeticFault("IncompleteBetaRatio: shapes out of range");
    }
    long ns = static_cast<long>(reductions);

    double rx = xx / cx;
    double temp = qq - ai;
    if (ns == 0) {
        rx = xx;
    }
    int scale = 0; // the true sum and term are these times 2^scale
    // The loop is bounded by the term index: more than kMaxTerms terms fault.
    for (;;) {
        term = term * temp * rx / (pp + ai);
        sum = sum + term;
        const double t = std::abs(term);
        // ldexp(t, 0) is t itself: the call is made only once the sum has been rescaled.
        if ((scale == 0 ? t : std::ldexp(t, scale)) <= kAccuracy && t <= kAccuracy * sum) {
            break;
        }
        if (std::abs(sum) > kRescaleAbove) {
            sum = std::ldexp(sum, -kRescaleExponent);
            term = std::ldexp(term, -kRescaleExponent);
            scale += kRescaleExponent;
        }
        if (ai == kMaxTerms) {
            throw ArithmeticFault("IncompleteBetaRatio: series too slow");
        }
        ++ai;
        --ns;
        if (ns >= 0) {
            temp = qq - ai;
            if (ns == 0) {
                rx = xx;
            }
        } else {
            temp = psq;
            psq = psq + 1.0;
        }
    }

    const double beta = Beta();
    const double factor = std::exp(pp * std::log(xx) + (qq - 1.0) * std::log(cx));
    const double r = factor * sum / (beta * pp);
    if (scale == 0 && beta >= DBL_MIN && factor >= DBL_MIN && std::isfinite(r)) {
        return {r, flipped};
    }
    // Large shapes: B(a, b) or x^pp (1-x)^(qq-1) underflows, or the sum was rescaled. The same
    // quotient in logarithms.
    if (!(sum > 0.0)) {
        return {r, flipped};
    }
    const double logR = pp * std::log(xx) + (qq - 1.0) * std::log(cx) + std::log(sum) +
                        scale * std::log(2.0) -
                        logBeta_.Get([&] { return LogBetaFunction(a, b); }) - std::log(pp);
    return {std::exp(logR), flipped};
}

} // namespace kelvora
