#include "cli/usage.hpp"

namespace kelvora {

std::string_view UsageText() {
    return R"(Usage:
  kelvora-calc DIST [P1 [P2 [P3]]] [--x X] [--q Q] [--locale NAME] [--precise]
  kelvora-calc --batch [--locale NAME] [--precise]
  kelvora-calc --table START END STEP [--locale NAME] [--precise] -- DIST [P1 [P2 [P3]]]
  kelvora-calc DIST [P1 [P2 [P3]]] --interval A B [--locale NAME] [--precise]
  kelvora-calc DIST [P1 [P2 [P3]]] --central P [--locale NAME] [--precise]
  kelvora-calc --samples -- DIST [P1 [P2 [P3]]]
  kelvora-calc [--tab pdf|cdf|surv|haz] --plot FILE [--scale N] -- DIST [P1 [P2 [P3]]]
  kelvora-calc --help

Calculates what Kelvora's window shows for a distribution, without a window.

DIST names the distribution by its number, its key or the text of the window's selector:
   0 beta            4 exponential     8 hypergeometric   12 rayleigh
   1 binomial        5 f               9 lognormal        13 t
   2 cauchy          6 gamma          10 normal           14 uniform
   3 chisquare       7 geometric      11 poisson          15 weibull
Keys may be written in any letter case; selector texts exactly, for example 正态分布.

P1, P2 and P3 are the texts of the three parameter fields, in the window's order (for example
normal mu sigma, gamma scale shape, hypergeometric M K n). A field that is not given holds the
text the window puts there when the distribution is chosen; a field the distribution does not
use is ignored. An empty argument ('') is an empty field. Field texts are read the way the
window reads them: a full stop is the decimal point, and a text without a leading number is 0.

Single calculation
  Prints the seven results, one per line, as the label the window shows, a tab and the text of
  the field: f (density or mass at x), F (cumulative), S (survival), H (hazard), x (the
  q-quantile), 均值 (mean) and 方差 (variance). "N/A" marks a value that does not exist or
  cannot be computed for these inputs.
  --x X          the text of the x field (default 0)
  --q Q          the text of the probability field q (default 0.5)
  --locale NAME  number format of the results, for example en_US, de_DE or C (default: the
                 system's regional settings)

Batch
  --batch        reads one case per line from standard input:
                   DIST<TAB>T1<TAB>T2<TAB>T3<TAB>X<TAB>Q
                 and writes one line per case:
                   f<TAB>F<TAB>S<TAB>H<TAB>QUANTILE<TAB>MEAN<TAB>VARIANCE
                 All six fields are required (any may be empty). A malformed line (a wrong
                 number of fields, an unknown DIST) gives "error: REASON" in its place;
                 processing goes on and the exit status is 1.

Precise readout
  --precise      prints every result of a single calculation, --batch, --table, --interval
                 or --central as its precise readout instead of the field's text: ten
                 significant digits, in scientific notation below 1e-4 and from 1e15 on
                 (3.170534249e-05), with a full stop and no grouping whatever the locale;
                 "N/A" where the field shows it

Values table
  --table START END STEP
                 prints a header line "x<TAB>f<TAB>F<TAB>S<TAB>H", then one line per
                 x = START + i * STEP (i = 0, 1, ...) while x <= END (within 1e-9 of a step):
                 x and the texts the fields show at that x; H is empty for a discrete
                 distribution. At most 10,000 rows. Invalid parameters print a message and
                 no table (exit status 1).

Interval probabilities
  --interval A B prints P(X ≤ a), P(a < X ≤ b) and P(X > b), one labelled line each; for a
                 discrete distribution the events are over whole points, ⌊a⌋ and ⌊b⌋
  --central P    prints the equal-tailed central interval of probability P: x₁, the
                 (1 - P)/2-quantile, and x₂, the (1 + P)/2-quantile; for a discrete
                 distribution also P(x₁ ≤ X ≤ x₂), the probability they hold
  The values of --table, --interval and --central follow the option (a negative one needs no
  "--") and are read as a field reads numbers ("1.5", "-2", "1e3"), but strictly: a text
  that is not entirely one number is refused, where a field would read it as 0. A > B, P
  outside 0..1, a STEP that is not positive, an END below START or more than 10,000 rows are
  refused too.

Graph
  --samples      prints the graph's range "XMin<TAB>XMax", then "invalid" for an invalid
                 parameter set, or the extremes
                 "MaxPdf<TAB>MaxCdf<TAB>MaxSurvival<TAB>MinHazard<TAB>MaxHazard" followed by
                 500 lines "X<TAB>Pdf<TAB>Cdf<TAB>Survival<TAB>Hazard"
  --plot FILE    draws the graph as the window does and saves it to FILE, as PNG or BMP by
                 the file's extension
  --tab KIND     the function drawn: pdf (density or mass, the default), cdf, surv or haz
  --scale N      N times the window's pixels, 1 to 8 (default 1)

Options may come before or after DIST and the parameters, as "--opt VALUE" or "--opt=VALUE".
"--" ends the options. A negative parameter may be written directly (normal -3 2) or after
"--" (kelvora-calc --x -1 -- normal -3 2).

Exit status: 0 on success; 1 when a batch line was malformed, a graph could not be made or
a table's parameters are invalid; 2 for bad arguments.
)";
}

} // namespace kelvora
