#pragma once
// Asking the processor for memory a little before it is needed: texts read
// in an order that no cache predicts (a million names scattered over the
// heap by a run and its undo) then arrive side by side rather than one wait
// at a time.
#include <cstddef>

#if defined(__SSE__) || defined(_M_X64) || defined(_M_IX86)
#include <xmmintrin.h>
#endif

namespace qm {

// The cache line holding `address` on its way in; only a hint, which
// processors without the instruction go without.
inline void FetchLine(const char* address) {
#if defined(__SSE__) || defined(_M_X64) || defined(_M_IX86)
    _mm_prefetch(address, _MM_HINT_T0);
#else
    static_cast<void>(address);
#endif
}

}  // namespace qm
