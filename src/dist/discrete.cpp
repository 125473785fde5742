#include "dist/discrete.hpp"

namespace kelvora {} // namespace kelvora
