#include "dist/continuous.hpp"

namespace kelvora {} // namespace kelvora
