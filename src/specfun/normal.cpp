// The standard normal cumulative by Applied Statistics algorithm AS 66 (Hill, 1973), its
// upper tail area by the same forms, and the upper-tail point by one polynomial in
// -ln(4p(1-p)).
#include "specfun/normal_beta.hpp"

#include "specfun/arithmetic.hpp"

#include <cmath>

namespace kelvora {

namespace {

// AS 66: switch between the central and the tail form, and the tail cut-off.
constexpr double kCon = 1.28;
constexpr double kLTone = 12.7;

// AS 66 central form.
constexpr double kA1 = 0.398942280444;
constexpr double kA2 = 0.399903438504;
constexpr double kA3 = 5.75885480458;
constexpr double kA4 = 29.8213557808;
constexpr double kA5 = 2.62433121679;
constexpr double kA6 = 48.6959930692;
constexpr double kA7 = 5.92885724438;

// AS 66 tail form (a continued fraction).
constexpr double kB1 = 0.398942280385;
constexpr double kB2 = 3.8052e-8;
constexpr double kB3 = 1.00000615302;
constexpr double kB4 = 3.98064794e-4;
constexpr double kB5 = 1.98615381364;
constexpr double kB6 = 0.151679116635;
constexpr double kB7 = 5.29330324926;
constexpr double kB8 = 4.8385912808;
constexpr double kB9 = 15.1508972451;
constexpr double kB10 = 0.742380924027;
constexpr double kB11 = 30.789933034;
constexpr double kB12 = 3.99019417011;

// Upper-tail point: coefficients in ascending powers of y = -ln(4p(1-p)).
constexpr double kC1 = 1.570796288;
constexpr double kC2 = 0.03706987906;
constexpr double kC3 = -0.0008364353589;
constexpr double kC4 = -0.0002250947176;
constexpr double kC5 = 6.841218299e-6;
constexpr double kC6 = 5.824238515e-6;
constexpr double kC7 = -1.04527497e-6;
constexpr double kC8 = 8.360937017e-8;
constexpr double kC9 = -3.231081277e-9;
constexpr double kC10 = 3.657763036e-11;
constexpr double kC11 = 6.936233982e-13;

// The area beyond w >= 0 (AS 66's d): the central form up to kCon, the tail form above it.
double AreaBeyond(double w, double y) {
    if (w <= kCon) {
        return 0.5 - w * (kA1 - kA2 * y / (y + kA3 - kA4 / (y + kA5 + kA6 / (y + kA7))));
    }
    // Also a NaN argument lands here and stays NaN.
    return kB1 * std::exp(-y) /
           (w - kB2 +
            kB3 / (w + kB4 +
                   kB5 / (w - kB6 + kB7 / (w + kB8 - kB9 / (w + kB10 + kB11 / (w + kB12))))));
}

} // namespace

double NormalTailArea(double z) {
    const double w = std::abs(z);
    const double y = std::pow(z, 2) * 0.5;
    const double d = w > kLTone ? 0.0 : AreaBeyond(w, y);
    // d is the area beyond w.
    return Finite(z < 0.0 ? d : 1.0 - d, "NormalTailArea");
}

double NormalUpperTailArea(double z) {
    const double w = std::abs(z);
    // The tail form is a continued fraction for Mills' ratio: beyond 12.7 it keeps its relative
    // accuracy until exp(-z^2 / 2) underflows.
    const double d = AreaBeyond(w, std::pow(z, 2) * 0.5);
    return Finite(z < 0.0 ? 1.0 - d : d, "NormalUpperTailArea");
}

double NormalUpperPoint(double p) {
    if (p == 0.5) {
        return 0.0;
    }
    const double a = p <= 0.5 ? p : 1.0 - p;
    const double y = -std::log((1.0 - a) * (a * 4.0));
    const double s =
        y *
        (kC1 +
         y * (kC2 +
              y * (kC3 +
                   y * (kC4 +
                        y * (kC5 +
                             y * (kC6 +
                                  y * (kC7 + y * (kC8 + y * (kC9 + y * (kC10 + y * kC11))))))))));
    const double z = std::sqrt(s);
    return Finite(p <= 0.5 ? z : -z, "NormalUpperPoint");
}

} // namespace kelvora
