#include "quantile/beta_quantile.hpp"

namespace kelvora {} // namespace kelvora
