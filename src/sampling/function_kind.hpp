// The function a graph tab shows.
#pragma once

namespace kelvora {

enum class FunctionKind {
    Pdf,      // key_pdf: density or mass
    Cdf,      // key_cdf: cumulative
    Survival, // key_surv
    Hazard,   // key_haz
};

} // namespace kelvora
