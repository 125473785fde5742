// The constants several routines share, written exactly as those routines use them: the shown
// digits depend on these values. A constant that one routine alone uses stays beside it.
#pragma once

namespace kelvora {

// pi and 2 pi as the log-gamma reflection, Cephes' lgam and the continuous densities write them.
inline constexpr double kPi = 3.14159265358979;
inline constexpr double kTwoPi = 6.28318530717958;

// The short pi of the chi-square, F and t solvers, their evaluators and start values. It exceeds
// pi by 2e-13, which shows at the poles of the one-df t quantile.
inline constexpr double kShortPi = 3.14159265359;

} // namespace kelvora
