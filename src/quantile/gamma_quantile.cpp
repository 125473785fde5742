#include "quantile/gamma_quantile.hpp"

namespace kelvora {} // namespace kelvora
