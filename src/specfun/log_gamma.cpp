#include "specfun/gamma_family.hpp"

namespace kelvora {} // namespace kelvora
