#include "plot/plot_samples.hpp"

namespace kelvora {} // namespace kelvora
