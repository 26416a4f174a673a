// The processor's vector state before the harmonic sums (see VectorState.cpp).
#pragma once

namespace ondrel {

// Clears the upper halves of the AVX registers where the processor has them; nothing elsewhere.
void CleanVectorState();

} // namespace ondrel
