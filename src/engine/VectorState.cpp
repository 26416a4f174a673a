#include "engine/VectorState.h"

#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#include <immintrin.h>
#endif

namespace ondrel {

// The harmonic sums run as SSE code calling the C library's trigonometry. When a library of the
// process has left the upper halves of the AVX registers in use (Qt's and the C library's
// vectorised string code may), every SSE instruction waits on them on many Intel processors: a
// year's tide table took 240 ms instead of 30. Clearing that state before a day's scan costs
// nothing measurable.
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
namespace {

__attribute__((target("avx"))) void ClearUpperAvxHalves() {
    _mm256_zeroupper();
}
} // namespace

void CleanVectorState() {
    static const bool avx = __builtin_cpu_supports("avx");
    if (avx) ClearUpperAvxHalves();
}
#else
void CleanVectorState() {}
#endif

} // namespace ondrel
