#pragma once
// Finding the places where body mark-up changes something: a line feed, or the
// start of a pair of spaces. Text is examined 64 bytes at a time; everything
// between two such places is copied unchanged, so this decides the speed of a
// conversion. One scanner per processor path, all giving the same masks; the
// vector ones exist only where the compiler targets x86-64.
#include <cstring>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__)) && defined(__SSE2__)
#include <immintrin.h>
#define TESSIVA_SCAN_X86 1
// The AVX2 path is compiled for AVX2 on its own, whatever the rest of the build
// targets, and is only taken where the processor has it.
#define TESSIVA_AVX2 __attribute__((target("avx2")))
#endif

// The 64 bytes at p as bit masks (bit i for byte i): line feeds, spaces, and
// spaces one byte further on (so p[64] is read too).
struct WindowMasks {
    unsigned long long lineFeeds;
    unsigned long long spaces;
    unsigned long long spacesNext;
};

inline void SetSpacesNext(WindowMasks& masks, const char* p) {
    masks.spacesNext = (masks.spaces >> 1) | (static_cast<unsigned long long>(p[64] == ' ') << 63);
}

// Any processor: a byte at a time.
struct BytewiseScan {
    static WindowMasks Scan(const char* p) {
        WindowMasks masks{0, 0, 0};
        for (int i = 0; i < 64; ++i) {
            masks.lineFeeds |= static_cast<unsigned long long>(p[i] == '\n') << i;
            masks.spaces |= static_cast<unsigned long long>(p[i] == ' ') << i;
        }
        SetSpacesNext(masks, p);
        return masks;
    }
    static void Copy64(char* to, const char* from) { std::memcpy(to, from, 64); }
};

#ifdef TESSIVA_SCAN_X86
// Every x86-64 processor: four 16-byte compares per mask.
struct Sse2Scan {
    static WindowMasks Scan(const char* p) {
        const __m128i space = _mm_set1_epi8(' '), lineFeed = _mm_set1_epi8('\n');
        WindowMasks masks{0, 0, 0};
        for (int block = 0; block < 4; ++block) {
            const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * block));
            const auto mask = [&](__m128i byte) {
                return static_cast<unsigned long long>(
                           static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, byte))))
                       << (16 * block);
            };
            masks.lineFeeds |= mask(lineFeed);
            masks.spaces |= mask(space);
        }
        SetSpacesNext(masks, p);
        return masks;
    }
    static void Copy64(char* to, const char* from) { std::memcpy(to, from, 64); }
};

// Two 32-byte compares per mask, and 32-byte copies.
struct Avx2Scan {
    TESSIVA_AVX2 static unsigned long long Mask(__m256i low, __m256i high, char byte) {
        const __m256i wanted = _mm256_set1_epi8(byte);
        return static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(low, wanted))) |
               static_cast<unsigned long long>(
                   static_cast<unsigned>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(high, wanted))))
                   << 32;
    }
    TESSIVA_AVX2 static WindowMasks Scan(const char* p) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
        WindowMasks masks{Mask(low, high, '\n'), Mask(low, high, ' '), 0};
        SetSpacesNext(masks, p);
        return masks;
    }
    TESSIVA_AVX2 static void Copy64(char* to, const char* from) {
        const __m256i low = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
        const __m256i high = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + 32));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to), low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 32), high);
    }
};
#endif

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
