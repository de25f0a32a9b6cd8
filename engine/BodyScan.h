#pragma once
// Finding the places where body mark-up changes something: a line feed, or the
// start of a pair of spaces. Text is examined 64 bytes at a time; everything
// between two such places is copied unchanged, so this decides the speed of a
// conversion. Inline, because it runs for every 64 bytes of every text.

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define TESSIVA_SCAN_SSE2 1
#endif

// The 64 bytes at p as bit masks (bit i for byte i): line feeds, spaces, and
// spaces one byte further on (so p[64] is read too).
struct WindowMasks {
    unsigned long long lineFeeds;
    unsigned long long spaces;
    unsigned long long spacesNext;
};

inline WindowMasks ScanWindowBytewise(const char* p) {
    WindowMasks masks{0, 0, 0};
    for (int i = 0; i < 64; ++i) {
        masks.lineFeeds |= static_cast<unsigned long long>(p[i] == '\n') << i;
        masks.spaces |= static_cast<unsigned long long>(p[i] == ' ') << i;
        masks.spacesNext |= static_cast<unsigned long long>(p[i + 1] == ' ') << i;
    }
    return masks;
}

inline WindowMasks ScanWindow(const char* p) {
#ifdef TESSIVA_SCAN_SSE2
    const __m128i space = _mm_set1_epi8(' ');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    WindowMasks masks{0, 0, 0};
    for (int block = 0; block < 4; ++block) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
        const int shift = 16 * block;
        masks.lineFeeds |= static_cast<unsigned long long>(
                               static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lineFeed))))
                           << shift;
        masks.spaces |= static_cast<unsigned long long>(
                            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, space))))
                        << shift;
    }
    masks.spacesNext = (masks.spaces >> 1) | (static_cast<unsigned long long>(p[64] == ' ') << 63);
    return masks;
#else
    return ScanWindowBytewise(p);
#endif
}

// Where the non-overlapping pairs of spaces start in a window: in every run of
// spaces, the bytes at an even distance from the run's start that have a space
// after them. `oddCarry` says that the window's first byte continues a run at an
// odd distance from its start, and is set for the next window on return.
// Runs that start at an even bit are found by adding their start bits: the
// carry runs through the run and clears it, leaving the runs that start at an
// odd bit (or began in an earlier window at odd parity).
inline unsigned long long PairStarts(const WindowMasks& masks, bool& oddCarry) {
    constexpr unsigned long long kEvenBits = 0x5555555555555555ULL;
    const unsigned long long spaces = masks.spaces;
    const unsigned long long starts = spaces & ~((spaces << 1) | (oddCarry ? 1ULL : 0ULL));
    const unsigned long long oddRuns = (spaces + (starts & kEvenBits)) & spaces;
    const unsigned long long evenRuns = spaces & ~oddRuns;
    oddCarry = (oddRuns >> 63) != 0;
    return ((evenRuns & kEvenBits) | (oddRuns & ~kEvenBits)) & masks.spacesNext;
}

inline int LowestSetBit64(unsigned long long mask) {
#if defined(__GNUC__) || defined(__clang__)
    return __builtin_ctzll(mask);
#else
    int bit = 0;
    for (; !(mask & 1u); mask >>= 1)
        ++bit;
    return bit;
#endif
}
