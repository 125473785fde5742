// Log-gamma and gamma by the rational approximations of W. J. Cody's SPECFUN (ACM TOMS
// Algorithm 715), a short Stirling log-gamma, and ln n!.
//
// The coefficients are the published ones rounded to 15 significant digits. The range limits
// are deliberately narrower than the double range (Gamma(x) is 0 above 35.04), because the
// displayed values of every caller depend on them.
#include "specfun/gamma_family.hpp"

#include "specfun/constants.hpp"

#include <array>
#include <cmath>

namespace kelvora {

namespace {

constexpr double kHalfLogTwoPi = 0.918938533204673;

// Asymptotic series coefficients C[1]..C[7], shared by LogGamma and GammaFunction.
constexpr std::array<double, 7> kC = {
    -0.001910444077728,   0.00084171387781295, -0.000595237991304301, 0.00079365079350035,
    -0.00277777777777768, 0.0833333333333333,  0.0057083835261};

// LogGamma (TOMS 715, ALGAMA).
constexpr double kD1 = -0.577215664901533;
constexpr double kD2 = 0.422784335098467;
constexpr double kD4 = 1.79175946922805;
constexpr double kLogGammaSmall = 1e-6;
constexpr double kPntSixEight = 0.6796875;
constexpr double kLogGammaFirst = 1.5;  // end of the forms around 1
constexpr double kLogGammaSecond = 4.0; // end of the form around 2
constexpr double kLogGammaThird = 12.0; // end of the form around 4; asymptotic above
constexpr double kLogGammaFrtBig = 1.42e9;

constexpr std::array<double, 8> kP1 = {4.94523535929673, 201.811262085677, 2290.83837383135,
                                       11319.6720590338, 28557.2463567164, 38484.9622844379,
                                       26377.487876242,  7225.81397970029};
constexpr std::array<double, 8> kQ1 = {67.4821255030378, 1113.3323938572,  7738.7570569354,
                                       27639.8707440334, 54993.1020622616, 61611.22180066,
                                       36351.2759150194, 8785.53630243101};
constexpr std::array<double, 8> kP2 = {4.97460784556893, 542.413859989107, 15506.9386497836,
                                       184793.290444563, 1088204.76946883, 3338152.96798703,
                                       5106661.67892735, 3074109.05485054};
constexpr std::array<double, 8> kQ2 = {183.032839937059, 7765.04932144501, 133190.382796607,
                                       1136705.82132197, 5267964.11743795, 13467014.543111,
                                       17827365.3035327, 9533095.59184435};
constexpr std::array<double, 8> kP4 = {14745.0216605994, 2426813.3694867,  121475557.404509,
                                       2663432449.63098, 29403789566.3455, 170266573776.54,
                                       492612579337.743, 560625185622.395};
constexpr std::array<double, 8> kQ4 = {2690.5301758709,  639388.565430009, 41355999.3024139,
                                       1120872109.61615, 14886137286.7881, 101680358627.244,
                                       341747634550.738, 446315818741.971};

// GammaFunction (TOMS 715, GAMMA).
constexpr double kGammaSmall = 1e-6;
constexpr double kGammaMin = 1.18e-38;
constexpr double kGammaAsymptotic = 12.0;
constexpr double kGammaMax = 35.04;

constexpr std::array<double, 8> kGammaP = {-1.71618513886549, 24.7656508055759, -379.804256470946,
                                           629.331155312818,  866.966202790413, -31451.2729688484,
                                           -36144.4134186912, 66456.1438202405};
constexpr std::array<double, 8> kGammaQ = {-30.8402300119739, 315.350626979604, -1015.15636749022,
                                           -3107.77167157231, 22538.1184209802, 4755.84627752788,
                                           -134659.959864969, -115132.259675553};

// LogGammaStirling: short coefficients, kept as they are because the solver start values
// built on them are part of the displayed results.
constexpr double kStirlingShift = 8.0;
constexpr double kStirlingHalfLogTwoPi = 0.9189385;
constexpr double kS1 = 0.0833333;
constexpr double kS2 = -0.002777778;
constexpr double kS3 = 0.0007936431;
constexpr double kS4 = -0.0005940956;
constexpr double kS5 = 0.0007663452;

// num/den of one of the degree-8 rational forms, with den starting at `den0`.
double RationalRatio(const std::array<double, 8>& p, const std::array<double, 8>& q, double t,
                     double den0) {
    double num = 0.0;
    double den = den0;
    for (std::size_t i = 0; i < 8; ++i) {
        num = num * t + p[i];
        den = den * t + q[i];
    }
    return num / den;
}

double LogGammaValue(double y) {
    if (y <= 0.0 || y > kLogGammaMaxArgument) {
        return 0.0;
    }
    if (y <= kLogGammaSmall) {
        return -std::log(y);
    }
    if (y <= kLogGammaFirst) {
        double corr = 0.0;
        double xm1 = 0.0;
        if (y < kPntSixEight) {
            corr = -std::log(y);
            xm1 = y;
        } else {
            xm1 = (y - 0.5) - 0.5;
        }
        if (y <= 0.5 || y >= kPntSixEight) {
            return corr + xm1 * (kD1 + xm1 * RationalRatio(kP1, kQ1, xm1, 1.0));
        }
        const double xm2 = (y - 0.5) - 0.5;
        return corr + xm2 * (kD2 + xm2 * RationalRatio(kP2, kQ2, xm2, 1.0));
    }
    if (y <= kLogGammaSecond) {
        const double xm2 = y - 2.0;
        return xm2 * (kD2 + xm2 * RationalRatio(kP2, kQ2, xm2, 1.0));
    }
    if (y <= kLogGammaThird) {
        const double xm4 = y - 4.0;
        return kD4 + xm4 * RationalRatio(kP4, kQ4, xm4, -1.0);
    }
    // y > 12 (and NaN, which stays NaN).
    double res = 0.0;
    if (y <= kLogGammaFrtBig) {
        const double ysq = y * y;
        res = kC[6];
        for (std::size_t i = 0; i < 6; ++i) {
            res = res / ysq + kC[i];
        }
    }
    res = res / y;
    const double corr = std::log(y);
    res = res + kHalfLogTwoPi - 0.5 * corr;
    return res + y * (corr - 1.0);
}

double GammaValue(double x) {
    bool parity = false;
    double fact = 1.0;
    int n = 0;
    double y = x;
    double res = 0.0;

    if (y <= 0.0) {
        // Reflection: Gamma(x) = -pi / (sin(pi * frac) * Gamma(1 - x)).
        y = -x;
        const double y1 = std::floor(y);
        res = y - y1;
        if (res == 0.0) {
            return 0.0;
        }
        if (y1 != std::floor(y1 * 0.5) * 2.0) {
            parity = true;
        }
        fact = -kPi / std::sin(kPi * res);
        y = y + 1.0;
    }

    if (y < kGammaSmall) {
        if (y >= kGammaMin) {
            res = 1.0 / y;
        } else {
            return 0.0;
        }
    } else if (y < kGammaAsymptotic) {
        const double y1 = y;
        double z = 0.0;
        if (y < 1.0) {
            z = y;
            y = y + 1.0;
        } else {
            n = static_cast<int>(std::floor(y)) - 1;
            y = y - n;
            z = y - 1.0;
        }
        double num = 0.0;
        double den = 1.0;
        for (std::size_t i = 0; i < 8; ++i) {
            num = (num + kGammaP[i]) * z;
            den = den * z + kGammaQ[i];
        }
        res = num / den + 1.0;
        if (y1 < y) {
            res = res / y1;
        } else if (y1 > y) {
            for (int i = 0; i < n; ++i) {
                res = res * y;
                y = y + 1.0;
            }
        }
    } else {
        if (y > kGammaMax) {
            return 0.0;
        }
        // y in [12, 35.04], or NaN, which stays NaN.
        const double ysq = y * y;
        double sum = kC[6];
        for (std::size_t i = 0; i < 6; ++i) {
            sum = sum / ysq + kC[i];
        }
        sum = sum / y - y + kHalfLogTwoPi;
        sum = sum + (y - 0.5) * std::log(y);
        res = std::exp(sum);
    }

    if (parity) {
        res = -res;
    }
    if (fact != 1.0) {
        res = fact / res;
    }
    return res;
}

} // namespace

double LogGamma(double x) {
    return Finite(LogGammaValue(x), "LogGamma");
}

double GammaFunction(double x) {
    return Finite(GammaValue(x), "GammaFunction");
}

double LogGammaStirling(double x) {
    bool shifted = false;
    double a = x;
    if (x < kStirlingShift) {
        a = x + 8.0;
        shifted = true;
    }
    const double c = 1.0 / (a * a);
    const double s = kS1 + c * (kS2 + c * (kS3 + c * (kS4 + c * kS5)));
    double result = (a - 0.5) * std::log(a) - a + kStirlingHalfLogTwoPi + s / a;
    if (shifted) {
        // Undo the shift by 8: h = x (x + 1) ... (x + 7).
        const double g = a - 1.0;
        double h = g;
        for (int i = 1; i <= 7; ++i) {
            h = (g - i) * h;
        }
        result = result - std::log(h);
    }
    return Finite(result, "LogGammaStirling");
}

double LogFactorial(Int16 n) {
    double sum = 0.0;
    for (int i = 2; i <= n; ++i) {
        sum = sum + std::log(static_cast<double>(i));
    }
    return Finite(sum, "LogFactorial");
}

void LogFactorials(std::span<const Int16> n, std::span<double> out) {
    constexpr std::size_t kMaxCount = 16;
    if (n.size() > kMaxCount || out.size() < n.size()) {
        throw ArithmeticFault("LogFactorials: argument and result counts");
    }
    // Visit the arguments in ascending order: an insertion sort of their positions, as there
    // are only a handful.
    std::array<std::size_t, kMaxCount> order{};
    for (std::size_t i = 0; i < n.size(); ++i) {
        std::size_t j = i;
        while (j > 0 && n[order[j - 1]] > n[i]) {
            order[j] = order[j - 1];
            --j;
        }
        order[j] = i;
    }
    double sum = 0.0;
    int summedTo = 1; // ln 0! = ln 1! = 0: the sum starts at i = 2
    for (std::size_t j = 0; j < n.size(); ++j) {
        const std::size_t at = order[j];
        const Int16 target = n[at];
        while (summedTo < target) {
            ++summedTo;
            sum = sum + std::log(static_cast<double>(summedTo));
        }
        out[at] = Finite(target < 2 ? 0.0 : sum, "LogFactorial");
    }
}

} // namespace kelvora
