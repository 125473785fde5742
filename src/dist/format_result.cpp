#include "dist/calculate_results.hpp"

namespace kelvora {} // namespace kelvora
