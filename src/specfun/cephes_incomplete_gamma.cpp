// The regularised incomplete gamma pair of the gamma quantile solver
// (src/quantile/gamma_quantile.cpp), after Cephes igam and igamc: the power series of P below
// the mode, Legendre's continued fraction for Q above it.
#include "specfun/cephes_gamma.hpp"

#include "specfun/arithmetic.hpp"

#include <cmath>

namespace kelvora {

namespace {

constexpr double kAccuracy = 1e-15;
// Cephes MAXLOG, ln of the largest double: a log-factor below its negative counts as underflow.
constexpr double kUnderflowLog = 709.782712893384;
// The continued fraction's numerators and denominators are rescaled past this bound.
constexpr double kRescaleBound = 4503599627370500;
constexpr double kRescaleFactor = 2.2204460492503099e-16;
// Near x = a both expansions need about 8.3 sqrt(a) terms, so shapes up to about 1e8
// converge well inside this bound; beyond it the routine faults rather than stall.
constexpr int kMaxTerms = 100000;

void RequireFinite(double a, double x, const char* what) {
    Finite(a, what);
    Finite(x, what);
}

// ln(x^a e^-x / Gamma(a)), the common factor of both expansions.
double LogPrefactor(double a, double x) {
    return a * std::log(x) - x - LogGammaSigned(a).value;
}

} // namespace

double RegularizedGammaP(double a, double x) {
    if (x <= 0 || a <= 0) {
        return 0;
    }
    RequireFinite(a, x, "RegularizedGammaP");
    if (x > 1 && x > a) {
        return Finite(1 - RegularizedGammaQ(a, x), "RegularizedGammaP");
    }
    double ax = LogPrefactor(a, x);
    if (ax < -kUnderflowLog) {
        return 0;
    }
    ax = std::exp(ax);
    double r = a;
    double c = 1;
    double sum = 1;
    for (int term = 0;; ++term) {
        if (term == kMaxTerms) {
            throw ArithmeticFault("RegularizedGammaP: series did not converge");
        }
        r = r + 1;
        c = x * c / r;
        sum = sum + c;
        if (c / sum <= kAccuracy) {
            break;
        }
    }
    return Finite(sum * ax / a, "RegularizedGammaP");
}

double RegularizedGammaQ(double a, double x) {
    if (x <= 0 || a <= 0) {
        return 1;
    }
    RequireFinite(a, x, "RegularizedGammaQ");
    if (x < 1 || x < a) {
        return Finite(1 - RegularizedGammaP(a, x), "RegularizedGammaQ");
    }
    double ax = LogPrefactor(a, x);
    if (ax < -kUnderflowLog) {
        return 0;
    }
    ax = std::exp(ax);
    double y = 1 - a;
    double z = x + y + 1;
    double c = 0;
    double pkm2 = 1;
    double qkm2 = x;
    double pkm1 = x + 1;
    double qkm1 = z * x;
    double ans = pkm1 / qkm1;
    double t = 0;
    int terms = 0;
    do {
        if (terms++ == kMaxTerms) {
            throw ArithmeticFault("RegularizedGammaQ: continued fraction did not converge");
        }
        c = c + 1;
        y = y + 1;
        z = z + 2;
        const double yc = y * c;
        const double pk = pkm1 * z - pkm2 * yc;
        const double qk = qkm1 * z - qkm2 * yc;
        if (qk != 0) {
            const double r = pk / qk;
            t = std::fabs((ans - r) / r);
            ans = r;
        } else {
            t = 1;
        }
        pkm2 = pkm1;
        pkm1 = pk;
        qkm2 = qkm1;
        qkm1 = qk;
        if (std::fabs(pk) > kRescaleBound) {
            pkm2 = pkm2 * kRescaleFactor;
            pkm1 = pkm1 * kRescaleFactor;
            qkm2 = qkm2 * kRescaleFactor;
            qkm1 = qkm1 * kRescaleFactor;
        }
    } while (!(t <= kAccuracy));
    return Finite(ans * ax, "RegularizedGammaQ");
}

} // namespace kelvora
