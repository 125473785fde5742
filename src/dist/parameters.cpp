#include "dist/parameters.hpp"

namespace kelvora {} // namespace kelvora
