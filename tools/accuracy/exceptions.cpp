#include "exceptions.hpp"

#include "accuracy_bounds.hpp"

#include "dist/calculate_results_routines.hpp"
#include "dist/hazard.hpp"
#include "quantile/newton_solvers.hpp"

#include <algorithm>
#include <cmath>
#include <exception>
#include <functional>
#include <limits>
#include <string_view>

namespace kelvora::accuracy {

namespace {

using Id = DistributionId;

struct Entry {
    Cause cause;
    std::function<bool(const CaseValues&, const Comparison&)> applies;
};

bool IsOneOf(Id id, std::initializer_list<Id> ids) {
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

bool IsOneOf(Output o, std::initializer_list<Output> outputs) {
    return std::find(outputs.begin(), outputs.end(), o) != outputs.end();
}

// Whether a routine of the program faults with a message naming `mechanism` ("16-bit" for a
// conversion, product or loop counter beyond 32767), which identifies the cause of an "N/A".
template <class Routine> bool FaultsWith(std::string_view mechanism, Routine&& routine) noexcept {
    try {
        routine();
        return false;
    } catch (const ArithmeticFault& fault) {
        return std::string_view(fault.what()).find(mechanism) != std::string_view::npos;
    } catch (const std::exception&) {
        return false;
    }
}

// The evaluation behind an output faults naming `mechanism`.
bool OutputFaultsWith(const CaseValues& v, Output o, std::string_view mechanism) {
    const DistributionParameters& p = v.params;
    switch (o) {
    case Output::Density:
        return FaultsWith(mechanism, [&] { results::Density(p, v.x); });
    case Output::Cumulative:
    case Output::Survival:
        return FaultsWith(mechanism, [&] { results::Cumulative(p, v.x); });
    case Output::Hazard:
        return FaultsWith(mechanism, [&] { results::Cumulative(p, v.x); }) ||
               FaultsWith(mechanism, [&] { results::Density(p, v.x); }) ||
               FaultsWith(mechanism, [&] { UpperTailSurvival(p, v.x); });
    case Output::Quantile:
        return FaultsWith(mechanism, [&] { results::Quantile(p, v.q); });
    case Output::Mean:
        return FaultsWith(mechanism, [&] { results::Mean(p); });
    case Output::Variance:
        return FaultsWith(mechanism, [&] { results::Variance(p); });
    }
    return false;
}

bool OutputHits16BitBound(const CaseValues& v, Output o) {
    return OutputFaultsWith(v, o, "16-bit");
}

// The largest shape parameter of the incomplete beta ratio behind a Beta, F or t cumulative.
double IncompleteBetaShape(const DistributionParameters& p) {
    switch (p.id) {
    case Id::Beta:
        return std::max(p.real1, p.real2);
    case Id::F:
        return std::max(p.count1, p.count2) / 2.0;
    case Id::StudentT:
        return p.count1 / 2.0;
    default:
        return 0.0;
    }
}

// From this shape on the terms of AS 63 shrink slowly enough for the remainder after its 1e-7
// term test to show; the remainder measured on the grid stays below kBetaRemainder.
constexpr double kSlowBetaShape = 100.0;
constexpr double kBetaRemainder = 2e-4;

// The difference is no larger than a cumulative off by kBetaRemainder explains: in the
// cumulative and survival themselves, in the hazard through its survival (relative to it where
// the hazard divides by 1 - F, and relative to the upper-tail form, which has the same series,
// below), and in the level met by the F quantile, whose Newton steps run on that cumulative.
bool WithinBetaRemainder(const CaseValues& v, const Comparison& c) {
    switch (c.output) {
    case Output::Cumulative:
    case Output::Survival:
        return c.error <= kHalfDigit + kBetaRemainder;
    case Output::Hazard:
        return c.error <=
               kHalfDigit + HazardSurvivalError(c.survival, kBetaRemainder, kBetaRemainder) *
                                std::abs(c.truth);
    case Output::Quantile:
        return v.params.id == Id::F && c.levelError <= kBetaRemainder;
    default:
        return false;
    }
}

// The level the two passes of the Beta series miss by, at most, where they stay inside (0, 1)
// (measured 5.7e-3, at q = 0.01 for shapes 5 and 5).
constexpr double kBetaSeriesLevel = 1e-2;

// A second pass that starts from outside (0, 1) has Newton step 1 whatever q is, so its result
// repeats for a level farther out on the same side.
bool RestartedFromOutside(const CaseValues& v, Real shown) {
    const double fartherOut = v.q < 0.5 ? v.q / 2 : (1 + v.q) / 2;
    try {
        const std::optional<double> other = results::Quantile(v.params, fartherOut);
        return other && std::abs(*other - shown) <= kHalfDigit;
    } catch (const std::exception&) {
        return false;
    }
}

// The upper-tail survival the hazard divides by far out comes out as 0.
bool UpperTailUnderflows(const CaseValues& v) {
    try {
        const std::optional<double> survival = UpperTailSurvival(v.params, v.x);
        return survival && *survival == 0.0;
    } catch (const std::exception&) {
        return false;
    }
}

bool Showable(Real v) {
    return std::isfinite(v) && std::abs(v) <= std::numeric_limits<double>::max();
}

// Levels this close to 0 or 1 are where the Newton solvers' start values fail.
constexpr double kExtremeLevel = 1e-3;

// The smaller tail below which the normal upper point's polynomial leaves 1e-6 of q.
constexpr double kNormalPolynomialTail = 1e-5;
// igami's relative stop in Q, as a level.
constexpr double kIgamiStop = 5e-15;

// x this far out is near the top of the double range for every formula's intermediates.
constexpr double kFarX = 1e100;

bool WrongValue(const Comparison& c) {
    return c.verdict == Verdict::WrongValue;
}
bool FalseNotAvailable(const Comparison& c) {
    return c.verdict == Verdict::FalseNotAvailable;
}

const std::vector<Entry>& Entries() {
    static const std::vector<Entry> entries = {
        {{CauseKind::Documented, "x = 0 shortcut",
          "Beta, chi-square and F are not evaluated at x = 0: density (and so hazard) 0 there."},
         [](const CaseValues& v, const Comparison& c) {
             return IsOneOf(v.params.id, {Id::Beta, Id::ChiSquare, Id::F}) && v.x == 0.0 &&
                    IsOneOf(c.output, {Output::Density, Output::Hazard}) && c.shown == 0;
         }},
        {{CauseKind::Documented, "Beta quantile: series leaves (0, 1)",
          "Where the inverse series leaves (0, 1) the solver shows 0 or 1 by the side of q; a "
          "second pass from outside lands on a value that does not depend on q; at q = 1/2, or "
          "on the end of the interval, no value."},
         [](const CaseValues& v, const Comparison& c) {
             if (v.params.id != Id::Beta || c.output != Output::Quantile) {
                 return false;
             }
             if (FalseNotAvailable(c)) {
                 return (v.q == 0.5 && OutputFaultsWith(v, c.output, "series left")) ||
                        (v.q == 1.0 && OutputFaultsWith(v, c.output, "BetaQuantile"));
             }
             return WrongValue(c) &&
                    (c.shown == 0 || c.shown == 1 || RestartedFromOutside(v, c.shown));
         }},
        {{CauseKind::Documented, "Beta quantile: two passes",
          "Two passes of the inverse series from the mean, cut by its 1e-6 term test and its "
          "order-20 table."},
         [](const CaseValues& v, const Comparison& c) {
             return v.params.id == Id::Beta && c.output == Output::Quantile && WrongValue(c) &&
                    c.levelError <= kBetaSeriesLevel;
         }},
        {{CauseKind::Documented, "solver degrees-of-freedom limits",
          "9 df (chi-square from 3 df, F) and 4 df (t from 3 df) are 16-bit products: no "
          "quantile beyond 3640 and 8191 degrees of freedom."},
         [](const CaseValues& v, const Comparison& c) {
             const DistributionParameters& p = v.params;
             const bool beyond = (p.id == Id::ChiSquare && p.count1 > 3640) ||
                                 (p.id == Id::F && std::max(p.count1, p.count2) > 3640) ||
                                 (p.id == Id::StudentT && p.count1 > 8191);
             return beyond && c.output == Output::Quantile && FalseNotAvailable(c);
         }},
        {{CauseKind::Documented, "AS 63 16-bit counters",
          "The incomplete beta ratio's reduction count and term index are 16-bit: no value "
          "once the shapes sum to about 32768 or more than 32766 terms are needed."},
         [](const CaseValues& v, const Comparison& c) {
             return IsOneOf(v.params.id, {Id::Beta, Id::F, Id::StudentT}) &&
                    IsOneOf(c.output, {Output::Cumulative, Output::Survival, Output::Hazard,
                                       Output::Quantile}) &&
                    FalseNotAvailable(c) && OutputHits16BitBound(v, c.output);
         }},
        {{CauseKind::Documented, "AS 63 1e-7 term test",
          "The incomplete beta series stops at a term of 1e-7; for large shapes its terms "
          "shrink slowly and the remainder reaches the fourth decimal."},
         [](const CaseValues& v, const Comparison& c) {
             return IncompleteBetaShape(v.params) >= kSlowBetaShape && WrongValue(c) &&
                    WithinBetaRemainder(v, c);
         }},
        {{CauseKind::Documented, "incomplete gamma above shape 1000",
          "Above shape 1000 the incomplete gamma ratio is a normal approximation (AS 239), "
          "coarse in its tails."},
         [](const CaseValues& v, const Comparison& c) {
             const DistributionParameters& p = v.params;
             const bool approximated = (p.id == Id::Gamma && p.real2 > 1000.0) ||
                                       (p.id == Id::ChiSquare && p.count1 > 2000);
             return approximated &&
                    IsOneOf(c.output, {Output::Cumulative, Output::Survival, Output::Hazard}) &&
                    WrongValue(c);
         }},
        {{CauseKind::Documented, "Newton start too far",
          "At extreme levels the classical start values (Wilson-Hilferty and Paulson on the "
          "polynomial normal upper point, the short Stirling series) are too far for 30 "
          "unguarded Newton steps, which leave the support: no value."},
         [](const CaseValues& v, const Comparison& c) {
             return IsOneOf(v.params.id, {Id::ChiSquare, Id::F, Id::StudentT}) &&
                    c.output == Output::Quantile && FalseNotAvailable(c) &&
                    std::min(v.q, 1.0 - v.q) < kExtremeLevel;
         }},
        {{CauseKind::Documented, "16-bit counts",
          "A discrete point floor(x) and a discrete quantile are 16-bit: no value beyond 32767."},
         [](const CaseValues& v, const Comparison& c) {
             if (!IsDiscrete(v.params.id) || !FalseNotAvailable(c)) {
                 return false;
             }
             if (c.output == Output::Quantile) {
                 return c.truth > 32767;
             }
             return std::abs(std::floor(v.x)) > 32767;
         }},
        {{CauseKind::Documented, "16-bit degree-of-freedom sums",
          "The F density and variance form m + n, the t density df + 1, as 16-bit sums: no value "
          "when they pass 32767."},
         [](const CaseValues& v, const Comparison& c) {
             const DistributionParameters& p = v.params;
             const bool beyond = (p.id == Id::F && p.count1 + p.count2 > 32767) ||
                                 (p.id == Id::StudentT && p.count1 + 1 > 32767);
             return beyond && FalseNotAvailable(c) && OutputHits16BitBound(v, c.output);
         }},
        {{CauseKind::Documented, "ln 32767! counter",
          "ln n! sums ln i with a 16-bit counter, which steps past 32767 after the last term: no "
          "hypergeometric value for a population (or unmarked part) of 32767."},
         [](const CaseValues& v, const Comparison& c) {
             const DistributionParameters& p = v.params;
             const bool reaches = p.count1 == 32767 || p.count1 - p.count2 == 32767;
             return p.id == Id::Hypergeometric && reaches && FalseNotAvailable(c) &&
                    OutputHits16BitBound(v, c.output);
         }},
        {{CauseKind::Documented, "overflow near the double range's top",
          "For x near 1e300 an intermediate power or square leaves the double range: no value "
          "where the true one would show as .0000."},
         [](const CaseValues& v, const Comparison& c) {
             return std::abs(v.x) >= kFarX &&
                    IsOneOf(c.output, {Output::Density, Output::Hazard}) && FalseNotAvailable(c) &&
                    std::abs(c.truth) < kHalfDigit;
         }},
        {{CauseKind::Documented, "short pi at the poles",
          "The Cauchy and one-df t quantiles use tan with pi to 15 digits: at q = 0 and 1 a "
          "large finite value instead of an infinite one."},
         [](const CaseValues& v, const Comparison& c) {
             const bool tangent =
                 v.params.id == Id::Cauchy || (v.params.id == Id::StudentT && v.params.count1 == 1);
             return tangent && c.output == Output::Quantile && (v.q == 0.0 || v.q == 1.0) &&
                    std::isinf(c.truth) && WrongValue(c);
         }},
        {{CauseKind::Documented, "centre for a missing mean",
          "The Cauchy and one-df t means do not exist; the field shows the centre of symmetry."},
         [](const CaseValues& v, const Comparison& c) {
             const bool centred =
                 v.params.id == Id::Cauchy || (v.params.id == Id::StudentT && v.params.count1 == 1);
             return centred && c.output == Output::Mean && std::isnan(c.truth);
         }},
        {{CauseKind::Documented, "normal upper point in the far tails",
          "The normal quantile is one polynomial in -ln(4q(1 - q)), held to 1e-6 of q down to "
          "tails of 1e-5; beyond, it drifts (z off by 5e-4 at 1e-6, 0.016 at 1e-7, 1.2 at 1e-9)."},
         [](const CaseValues& v, const Comparison& c) {
             return IsOneOf(v.params.id, {Id::Normal, Id::Lognormal}) &&
                    c.output == Output::Quantile && WrongValue(c) &&
                    std::min(v.q, 1.0 - v.q) < kNormalPolynomialTail;
         }},
        {{CauseKind::Documented, "gamma quantile at q = 0",
          "At q = 0 the igami search stops at the first x whose upper tail is 1 to within "
          "5e-15, which for larger shapes lies well above 0."},
         [](const CaseValues& v, const Comparison& c) {
             return v.params.id == Id::Gamma && c.output == Output::Quantile && v.q == 0.0 &&
                    WrongValue(c) && c.levelError <= kIgamiStop;
         }},
        {{CauseKind::Documented, "lognormal quantile at q = 0",
          "The normal upper point is defined on (0, 1) only: no lognormal quantile at q = 0, "
          "where the true one is 0."},
         [](const CaseValues& v, const Comparison& c) {
             return v.params.id == Id::Lognormal && c.output == Output::Quantile && v.q == 0.0 &&
                    FalseNotAvailable(c);
         }},
        {{CauseKind::Known, "AS 63 factor underflows",
          "The incomplete beta ratio multiplies its series by x^p (1-x)^(q-1) / B(a, b); far in "
          "a tail of large shapes x^p (1-x)^(q-1) alone underflows while B(a, b) does not, so "
          "the upper tail the hazard divides by comes out 0 (the quotient in logarithms, used "
          "where B(a, b) underflows, would keep it)."},
         [](const CaseValues& v, const Comparison& c) {
             if (!IsOneOf(v.params.id, {Id::Beta, Id::F, Id::StudentT}) ||
                 c.output == Output::Density || !FalseNotAvailable(c)) {
                 return false;
             }
             return OutputFaultsWith(v, c.output, "IncompleteBetaRatio") ||
                    (c.output == Output::Hazard && c.survival > 0 && UpperTailUnderflows(v));
         }},
        {{CauseKind::Known, "chi-square evaluator underflows",
          "The solver's chi-square evaluator starts from exp(-x/2), 0 beyond x of about 1490: "
          "the density is 0 and Newton stops at once on the Wilson-Hilferty start."},
         [](const CaseValues& v, const Comparison& c) {
             return v.params.id == Id::ChiSquare && c.output == Output::Quantile && WrongValue(c) &&
                    Showable(c.truth) &&
                    ChiSquareCdfDensity(v.params.count1, static_cast<double>(c.truth)).density ==
                        0.0;
         }},
        {{CauseKind::Known, "Newton does not converge",
          "At extreme levels 30 unguarded Newton steps end far from the root, and that last "
          "iterate is shown."},
         [](const CaseValues& v, const Comparison& c) {
             return IsOneOf(v.params.id, {Id::ChiSquare, Id::F, Id::StudentT}) &&
                    c.output == Output::Quantile && WrongValue(c) &&
                    std::min(v.q, 1.0 - v.q) < kExtremeLevel;
         }},
    };
    return entries;
}

} // namespace

const std::vector<Cause>& Causes() {
    static const std::vector<Cause> causes = [] {
        std::vector<Cause> list;
        for (const Entry& e : Entries()) {
            list.push_back(e.cause);
        }
        return list;
    }();
    return causes;
}

std::optional<std::size_t> CauseOf(const CaseValues& values, const Comparison& c) {
    const std::vector<Entry>& entries = Entries();
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].applies(values, c)) {
            return i;
        }
    }
    return std::nullopt;
}

} // namespace kelvora::accuracy
