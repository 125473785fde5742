// The signed log-gamma and the normal quantile of the gamma quantile solver
// (src/quantile/gamma_quantile.cpp), after Cephes lgam and ndtri, with the constants of those
// routines written to the precision used here.
#include "specfun/cephes_gamma.hpp"

#include "specfun/arithmetic.hpp"
#include "specfun/constants.hpp"

#include <array>
#include <cmath>
#include <cstddef>

namespace kelvora {

namespace {

// Horner's rule, coefficients highest power first: ((c1 v + c2) v + ...) v + ck.
template <std::size_t N> double Polynomial(double v, const std::array<double, N>& c) {
    double sum = c[0];
    for (std::size_t i = 1; i < N; ++i) {
        sum = sum * v + c[i];
    }
    return sum;
}

// A monic polynomial with the leading 1 left out: ((v + c1) v + c2) v + ... + ck.
template <std::size_t N> double MonicPolynomial(double v, const std::array<double, N>& c) {
    double sum = v + c[0];
    for (std::size_t i = 1; i < N; ++i) {
        sum = sum * v + c[i];
    }
    return sum;
}

// --- log-gamma (Cephes lgam) ---

constexpr double kReflectionLimit = -34;
constexpr double kRecurrenceLimit = 13;
constexpr double kShortSeriesLimit = 1000;
constexpr double kStirlingOnlyLimit = 1e8;
constexpr double kLogPi = 1.1447298858494;
constexpr double kHalfLog2Pi = 0.918938533204673;

// ln Gamma(2 + v) = v B(v) / C(v) for 0 <= v < 1.
constexpr std::array<double, 6> kLgamB = {-1378.25152569121, -38801.6315134638, -331612.992738871,
                                          -1162370.97492762, -1721737.0082084,  -853555.664245765};
constexpr std::array<double, 6> kLgamC = {-351.815701436523, -17064.2106651881, -220528.590553854,
                                          -1139334.44367983, -2532523.07177583, -2018891.41433533};
// Stirling's series in 1/x^2.
constexpr std::array<double, 5> kLgamA = {0.0008116141674705081, -0.000595061904284301,
                                          0.000793650340457717, -0.002777777777301,
                                          0.0833333333333332};
constexpr double kShortA0 = 0.0007936507936507941;
constexpr double kShortA1 = -0.00277777777777778;
constexpr double kShortA2 = 0.0833333333333333;

// --- normal quantile (Cephes ndtri) ---

constexpr double kBelowRange = -999999999999;
constexpr double kAboveRange = 999999999999;
constexpr double kExpMinus2 = 0.135335283236613;
constexpr double kOneMinusExpMinus2 = 0.864664716763387;
constexpr double kSqrt2Pi = 2.506628274631;
constexpr double kFarTailSwitch = 8;

// Central range |y - 0.5| <= 0.5 - exp(-2).
constexpr std::array<double, 5> kNdtriP0 = {-59.9633501014108, 98.0010754186, -56.676285746907,
                                            13.931260938728, -1.23916583867381};
constexpr std::array<double, 8> kNdtriQ0 = {1.95448858338142,  4.67627912898882, 86.3602421390891,
                                            -225.462687854119, 200.260212380061, -82.0372256168333,
                                            15.9056225126212,  -1.1833162112133};
// Tails with sqrt(-2 ln y) < 8, i.e. y > exp(-32).
constexpr std::array<double, 9> kNdtriP1 = {
    4.05544892305962,     31.5251094599894,      57.1628192246421,
    44.0805073893201,     14.6849561928858,      2.1866330685079,
    -0.14025607917135402, -0.035042462682784804, -0.0008574567851546851};
constexpr std::array<double, 8> kNdtriQ1 = {
    15.7799883256467, 45.3907635128879,   41.3172038254672,    15.0425385692908,
    2.50464946208309, -0.142182922854788, -0.0380806407691578, -0.000933259480895457};
// Far tails, y <= exp(-32).
constexpr std::array<double, 9> kNdtriP2 = {
    3.23774891776946,     6.91522889068984,    3.93881025292474,
    1.33303460815808,     0.20148538954917902, 0.012371663481782001,
    0.000301581553508235, 2.65806974686738e-6, 6.239745391849831e-9};
constexpr std::array<double, 8> kNdtriQ2 = {
    6.02427039364742,   3.67983563856161,     1.37702099489081,      0.216236993594497,
    0.0134204006088543, 0.000328014464682128, 2.8924786474538097e-6, 6.79019408009981e-9};

SignedLogGamma Checked(double value, double sign) {
    return {Finite(value, "LogGammaSigned"), sign};
}

} // namespace

SignedLogGamma LogGammaSigned(double x) {
    if (x < kReflectionLimit) {
        // Reflection: Gamma(x) Gamma(1 - x) = pi / sin(pi x). At a pole z is 0 and ln z faults.
        const double q = -x;
        const double w = LogGammaSigned(q).value;
        double p = std::floor(q);
        const double sign = std::fmod(p, 2.0) == 1 ? 1 : -1;
        double z = q - p;
        if (z > 0.5) {
            p = p + 1;
            z = p - q;
        }
        z = q * std::sin(kPi * z);
        return Checked(kLogPi - std::log(z) - w, sign);
    }
    if (x < kRecurrenceLimit) {
        // Shift into [2, 3) by the recurrence Gamma(x + 1) = x Gamma(x), keeping the product.
        double z = 1;
        double p = 0;
        double u = x;
        while (u >= 3) {
            p = p - 1;
            u = x + p;
            z = z * u;
        }
        while (u < 2) {
            z = z / u;
            p = p + 1;
            u = x + p;
        }
        double sign = 1;
        if (z < 0) {
            sign = -1;
            z = -z;
        }
        if (u == 2) {
            return Checked(std::log(z), sign);
        }
        p = p - 2;
        const double v = x + p;
        return Checked(std::log(z) + v * Polynomial(v, kLgamB) / MonicPolynomial(v, kLgamC), sign);
    }
    double value = (x - 0.5) * std::log(x) - x + kHalfLog2Pi;
    if (x > kStirlingOnlyLimit) {
        return Checked(value, 1);
    }
    const double s = 1 / (x * x);
    if (x >= kShortSeriesLimit) {
        value += ((kShortA0 * s + kShortA1) * s + kShortA2) / x;
    } else {
        value += Polynomial(s, kLgamA) / x;
    }
    return Checked(value, 1);
}

double StandardNormalQuantile(double y) {
    if (y <= 0) {
        return kBelowRange;
    }
    if (y >= 1) {
        return kAboveRange;
    }
    bool flip = true;
    if (y > kOneMinusExpMinus2) {
        y = 1 - y;
        flip = false;
    }
    if (y > kExpMinus2) {
        const double v = y - 0.5;
        const double w = v * v;
        const double x = v + v * (w * Polynomial(w, kNdtriP0) / MonicPolynomial(w, kNdtriQ0));
        return Finite(x * kSqrt2Pi, "StandardNormalQuantile");
    }
    const double t = std::sqrt(-2 * std::log(y));
    const double x0 = t - std::log(t) / t;
    const double z = 1 / t;
    const double x1 = t < kFarTailSwitch
                          ? z * Polynomial(z, kNdtriP1) / MonicPolynomial(z, kNdtriQ1)
                          : z * Polynomial(z, kNdtriP2) / MonicPolynomial(z, kNdtriQ2);
    const double x = x0 - x1;
    return Finite(flip ? -x : x, "StandardNormalQuantile");
}

} // namespace kelvora
