// The distribution registry: one row per distribution holding every fact the program needs
// about it, in selector order. The result calculation, the curve sampling, the graph range, the
// catalogue, the formula pictures, kelvora-calc's names and the benchmarks all read these rows;
// adding a distribution means adding its row (see the README's layout section).
//
// The rows point at the distributions' routines (distributions/) and solvers (quantile/), so the
// registry sits above both; the curve sampling below it provides the samplers the rows name.
#pragma once

#include "distributions/accurate.hpp"
#include "distributions/discrete_tails.hpp"
#include "distributions/distribution_id.hpp"
#include "distributions/parameters.hpp"
#include "sampling/plot_samples.hpp"

#include <array>
#include <optional>
#include <span>
#include <string_view>

namespace kelvora {

using Value = std::optional<double>;

// One of the three parameter parameterSlots as the window's panel shows it (UTF-8 texts).
struct ParameterSlotRow {
    const char* name;
    const char* constraint; // "" when the slot shows no constraint
    bool enabled;
    const char* defaultText; // nullptr: choosing the distribution leaves the field's text
};

// The first two parameter field texts read as numbers, only when a graph-range rule asks for
// them: a field the distribution does not use may hold anything. A number beyond the double
// range throws ArithmeticFault.
class RangeInputs {
public:
    explicit RangeInputs(const ParameterTexts& texts) : texts_(texts) {}
    double p1() const;
    double p2() const;

private:
    const ParameterTexts& texts_;
};

// Which member of DistributionParameters a parameter slot's text is read into.
enum class ParameterMember { None, Real1, Real2, Count1, Count2, Count3 };

// The converted value of a member (no value for None).
std::optional<double> MemberValue(const DistributionParameters& p, ParameterMember member);

struct DistributionRow;

struct DistributionRow {
    DistributionId id;
    // kelvora-calc's key (any letter case there), the benchmarks' names and the accuracy
    // tool's tables.
    std::string_view key;
    // The selector's entry text, exact: the graph and kelvora-calc recognise the distribution by
    // it (UTF-8; the window looks it up in its translations under the catalogue's context).
    const char* selectorText;
    std::array<ParameterSlotRow, 3> parameterSlots;
    // The formula pictures' stem: Images/pdf_<stem>.jpg and Images/cdf_<stem>.jpg.
    const char* pictureStem;

    // Reads and checks the parameter field texts; no value for an invalid set. May throw
    // ArithmeticFault (a number beyond the double range, a count beyond 16 bits).
    // The member each slot's text is read into, in the slots' order.
    std::array<ParameterMember, 3> members;
    std::optional<DistributionParameters> (*read)(DistributionParameters p, std::string_view text1,
                                                  std::string_view text2, std::string_view text3);

    // The zero-point rule: the cumulative at x = 0 is 0 and the density its right-hand limit,
    // and the quantile at q = 0 is 0, without calling the routines, whose densities may have a
    // pole there.
    bool zeroPointRule;

    // The written routines, with the parameter parameterSlots each takes. A discrete distribution's
    // x is a whole point (floor; the Geometric routines count trials, the fields failures).
    Value (*cumulative)(const DistributionParameters& p, double x);
    Value (*density)(const DistributionParameters& p, double x);
    Value (*upperTail)(const DistributionParameters& p, double x); // continuous only
    Value (*quantile)(const DistributionParameters& p, double q);
    Value (*mean)(const DistributionParameters& p);
    Value (*variance)(const DistributionParameters& p);
    // The accurate evaluations the written values are checked against (continuous only:
    // nullptr for a discrete distribution, whose tails are in distributions/discrete_tails).
    const AccurateForms* accurate;

    // The precise readout's forms. A discrete distribution's routines take the point `point`
    // gives for a field's x (the Geometric counts trials), and its mass and tails there come
    // from the saddle-point masses and discrete_tails (nullptr for a continuous distribution,
    // whose accurate forms serve). The moments in long double, as the fields show them.
    double (*point)(double x);
    double (*preciseMass)(const DistributionParameters& p, double k);
    double (*preciseTail)(const DistributionParameters& p, Tail tail, double k);
    long double (*preciseMean)(const DistributionParameters& p);
    long double (*preciseVariance)(const DistributionParameters& p);

    // The graph's horizontal range, fixed or fitted from the first two parameter fields.
    PlotRange (*graphRange)(const RangeInputs& in);
    // Fills Pdf, Cdf, Survival (and for a continuous distribution Hazard) of the 500 samples.
    void (*sampleCurves)(const DistributionParameters& p, const DistributionRow& row,
                         PlotSamples& samples);
};

// The sixteen rows in DistributionId order.
std::span<const DistributionRow, kDistributionCount> DistributionRows();
const DistributionRow& RowOf(DistributionId id);

// Reads and checks a distribution's parameters from the three parameter field texts. The
// result calculation and the curve sampling both go through it, so the result fields and the
// graph always agree on what is invalid. No value for an invalid set; never throws.
std::optional<DistributionParameters> ReadParameters(DistributionId id, std::string_view text1,
                                                     std::string_view text2,
                                                     std::string_view text3);

// The result fields' evaluations, through the rows with the zero-point rule applied. A routine's
// ArithmeticFault propagates.
Value Cumulative(const DistributionParameters& p, double x);
Value Density(const DistributionParameters& p, double x);
Value Quantile(const DistributionParameters& p, double q);
Value Mean(const DistributionParameters& p);
Value Variance(const DistributionParameters& p);

// P(X > x) by the distribution's upper-tail routine; no value for a discrete distribution.
Value UpperTailSurvival(const DistributionParameters& p, double x);

// f / S at x from the density f and the cumulative F already evaluated there (see HazardFrom):
// no value for a discrete distribution. A routine's fault propagates.
Value Hazard(const DistributionParameters& p, double x, double density, double cumulative);

// The accurate evaluations of a continuous distribution through its row (see accurate.hpp);
// NaN (no value) for a discrete one.
Support ContinuousSupport(const DistributionParameters& p);
double AccurateLower(const DistributionParameters& p, double x);
double AccurateUpper(const DistributionParameters& p, double x);
double AccurateDensity(const DistributionParameters& p, double x);
double AccurateHazard(const DistributionParameters& p, double x);
std::optional<double> DensityAtLowerEnd(const DistributionParameters& p);

// The long double tails, density and hazard of the precise readout, and the quantile narrowed
// from the shown one to about 1e-14 relative (see quantile/precise_quantile.hpp); NaN (no value)
// for a discrete distribution.
long double PreciseLower(const DistributionParameters& p, double x);
long double PreciseUpper(const DistributionParameters& p, double x);
long double PreciseDensity(const DistributionParameters& p, double x);
long double PreciseHazard(const DistributionParameters& p, double x);
std::optional<double> PreciseQuantile(const DistributionParameters& p, double q, double shown);

// The verified continuous quantile (see quantile/verified_quantile.hpp) on the row's accurate
// tails; no value for a discrete distribution.
bool QuantileChecksOut(const DistributionParameters& p, double q, double x);
std::optional<double> VerifiedQuantile(const DistributionParameters& p, double q,
                                       std::optional<double> written);

// The graph's range for the distribution: fixed, or fitted from the first two parameter fields
// read as numbers without integer conversion (only the fields the distribution's rule uses).
// The ends are not checked: they may be equal (Binomial n = 0), reversed (a negative Binomial
// n) or non-finite (Geometric at p = 0). Returns false, leaving `range` unchanged, when a field
// the rule reads holds a number beyond the double range.
bool ChoosePlotRange(DistributionId id, const ParameterTexts& texts, PlotRange& range);

// Fills X (always, before validation) and, when the parameters are valid, Pdf, Cdf, Survival
// and, for the continuous distributions, Hazard, with the extremes. Returns false for invalid
// parameters (then only X was written).
bool SampleCurves(DistributionId id, const ParameterTexts& texts, double XMin, double XMax,
                  PlotSamples& samples, CurveExtremes& extremes);

} // namespace kelvora
