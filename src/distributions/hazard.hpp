// The hazard f / S of a continuous distribution, shared by the result calculation and the curve
// sampling so that the hazard field and the hazard graph agree.
#pragma once

#include "distributions/parameters.hpp"

#include <cmath>
#include <optional>

namespace kelvora {

// Below this survival, 1 - F has lost more than three of its significant digits to
// cancellation and the hazard divides by the upper-tail form instead. Above it the hazard is
// f / (1 - F) exactly as the survival field shows it.
inline constexpr double kUpperTailSurvival = 1e-3;

// f / S at x from the density f and the cumulative F already evaluated there: S = 1 - F while
// that is at least kUpperTailSurvival, and the upper-tail survival at x given by `upper`
// (returning a number or an optional) below it, asked only then. No value for a non-finite f or
// F, or where S is not positive (at or beyond the top of the support, or where even the upper
// tail underflows). A routine's fault propagates. The hazard field and the curve sampling share
// it, so the hazard field and the hazard graph agree.
template <typename UpperTail>
std::optional<double> HazardFrom(double density, double cumulative, UpperTail&& upper) {
    if (!std::isfinite(density) || !std::isfinite(cumulative)) {
        return std::nullopt;
    }
    double survival = 1.0 - cumulative;
    if (!(survival >= kUpperTailSurvival)) {
        const std::optional<double> tail = upper();
        if (!tail) {
            return std::nullopt;
        }
        survival = *tail;
    }
    if (!(survival > 0.0)) {
        return std::nullopt;
    }
    const double hazard = density / survival;
    if (!std::isfinite(hazard)) {
        return std::nullopt;
    }
    return hazard;
}

} // namespace kelvora
