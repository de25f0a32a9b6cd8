#include "BodyScan.h"

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TESSIVA_SCAN_SSE2 1
#endif

const char* FindBodyMarkBytewise(const char* p, const char* end) {
    for (; p < end; ++p) {
        if (*p == '\n')
            return p;
        if (*p == ' ' && p + 1 < end && p[1] == ' ')
            return p;
    }
    return end;
}

#ifdef TESSIVA_SCAN_SSE2

namespace {

int LowestBit(unsigned mask) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctz(mask);
#else
    int bit = 0;
    while (!(mask & 1u)) {
        mask >>= 1;
        ++bit;
    }
    return bit;
#endif
}

// Bit i set when byte i of the 16 at p is a line feed or starts a pair of spaces.
// Reads 17 bytes: the pair test needs the byte after the block.
inline unsigned MarksInBlock(const char* p) {
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 1));
    const __m128i pair = _mm_and_si128(_mm_cmpeq_epi8(here, space), _mm_cmpeq_epi8(next, space));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(pair, _mm_cmpeq_epi8(here, lineFeed))));
}

}  // namespace

const char* FindBodyMark(const char* p, const char* end) {
    // Two blocks per round: ordinary text has a mark only every line or so.
    while (end - p > 32) {
        const unsigned low = MarksInBlock(p);
        const unsigned high = MarksInBlock(p + 16);
        if (low | high) {
            const unsigned mask = low | (high << 16);
            return p + LowestBit(mask);
        }
        p += 32;
    }
    while (end - p > 16) {
        if (const unsigned mask = MarksInBlock(p))
            return p + LowestBit(mask);
        p += 16;
    }
    return FindBodyMarkBytewise(p, end);
}

#else

const char* FindBodyMark(const char* p, const char* end) {
    return FindBodyMarkBytewise(p, end);
}

#endif
