#pragma once
// Asking the processor for memory a little before it is needed: rows visited
// in an order that no cache predicts (a million of them, far beyond the
// caches) then arrive side by side rather than one wait at a time.
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

// Every cache line of `object` on its way in; nothing changes.
template <class T>
void FetchAhead(const T& object) {
    const char* bytes = reinterpret_cast<const char*>(&object);
    for (std::size_t offset = 0; offset < sizeof(T); offset += 64) FetchLine(bytes + offset);
    FetchLine(bytes + sizeof(T) - 1);  // the last line, where the object starts inside one
}

}  // namespace qm
