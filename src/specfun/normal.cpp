#include "specfun/normal_beta.hpp"

namespace kelvora {} // namespace kelvora
