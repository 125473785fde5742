#include "quantile/newton_solvers.hpp"

namespace kelvora {} // namespace kelvora
