#include "TextToHtml.h"

#include <cstring>

#include "BodyScan.h"

HeadAndBody SplitHeadAndBody(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos)
        return {std::string_view(), text};
    std::size_t headLength = lineFeed;
    if (headLength > 0 && text[headLength - 1] == '\r')
        --headLength;
    return {text.substr(0, headLength), text.substr(lineFeed + 1)};
}

namespace {

#if defined(__GNUC__) || defined(__clang__)
#define MARKUP_INLINE inline __attribute__((always_inline))
#else
#define MARKUP_INLINE inline
#endif

// What a mark becomes, indexed by "is a pair of spaces": padded to 16 bytes so
// that either goes out in one copy.
constexpr char kReplacement[2][16] = {"\n<br>", "&nbsp;&nbsp;"};
constexpr std::size_t kLineBreakLength = 5, kPairLength = 12;

std::size_t SpaceRunLength(const char* p, const char* end) {
    const char* q = p;
    while (q < end && *q == ' ')
        ++q;
    return static_cast<std::size_t>(q - p);
}

char* WriteSpaceRun(OutputBuffer& buffer, char* out, std::size_t run) {
    for (std::size_t i = 0; i < run / 2; ++i) {
        if (buffer.NeedsRoom(out))
            out = buffer.Room(out);
        std::memcpy(out, kReplacement[1], 16);
        out += kPairLength;
    }
    if (run % 2)
        *out++ = ' ';
    return out;
}

// The windows of the body, on one processor path: from p up to the last 128
// bytes, which the caller marks up a byte at a time. In each window every mark
// (a line feed or a pair of spaces, never overlapping) is handled the same way,
// with no branch on its kind: the unchanged bytes before it in one 64-byte copy,
// then its replacement in one 16-byte copy; then the bytes after the window's
// last mark in one more. A window reads the byte after it, and the copies up to
// 63 bytes past the window: hence "more than 128 left". Inlined into each
// path's own function, so that the vector code is that path's.
template <class Path>
MARKUP_INLINE void MarkUpWindows(const char*& p, const char* end, char*& out, OutputBuffer& buffer) {
    const char* window = p;
    bool oddCarry = false;
    // Kept in a register: the byte stores below could alias the buffer's own.
    const char* limit = buffer.Limit();
    while (end - window > 128) {
        // A window writes at most 384 bytes of mark-up and copies 64 past them.
        static_assert(OutputBuffer::kFreeRun >= 64 * 6 + 64, "room for the mark-up of a window");
        if (out > limit) {
            out = buffer.Room(out);
            limit = buffer.Limit();
        }
        const WindowMasks masks = Path::Scan(window);
        const unsigned long long pairs = PairStarts(masks, oddCarry);
        unsigned long long marks = masks.lineFeeds | pairs;
        while (marks != 0) {
            // What the mark is comes from the masks, not from the text: a load
            // would hold up the next mark.
            const int bit = LowestSetBit64(marks);
            const int isPair = static_cast<int>((pairs >> bit) & 1);
            const char* mark = window + bit;
            marks &= marks - 1;
            Path::Copy64(out, p);
            out += mark - p;
            std::memcpy(out, kReplacement[isPair], 16);
            out += kLineBreakLength + isPair * (kPairLength - kLineBreakLength);
            p = mark + 1 + isPair;
        }
        window += 64;
        // The bytes after the last mark, unless it was a pair that ended in the next window.
        if (p < window) {
            Path::Copy64(out, p);
            out += window - p;
            p = window;
        }
    }
}

// The last bytes, or a whole short body, one at a time. p stands at an even
// distance into any run of spaces it meets, so pairing goes on where the
// windows left it.
void MarkUpBytes(const char* p, const char* end, char* out, OutputBuffer& buffer) {
    while (p < end) {
        if (buffer.NeedsRoom(out))
            out = buffer.Room(out);
        if (*p == '\n') {
            std::memcpy(out, kReplacement[0], kLineBreakLength);
            out += kLineBreakLength;
            ++p;
        } else if (*p == ' ') {
            const std::size_t run = SpaceRunLength(p, end);
            out = WriteSpaceRun(buffer, out, run);
            p += run;
        } else {
            *out++ = *p++;
        }
    }
    buffer.SetCursor(out);
}

template <class Path>
MARKUP_INLINE void MarkUp(std::string_view body, OutputBuffer& buffer) {
    const char* p = body.data();
    char* out = buffer.Cursor();
    MarkUpWindows<Path>(p, p + body.size(), out, buffer);
    MarkUpBytes(p, body.data() + body.size(), out, buffer);
}

void MarkUpBytewise(std::string_view body, OutputBuffer& buffer) {
    MarkUp<BytewiseScan>(body, buffer);
}

#ifdef TESSIVA_SCAN_X86
void MarkUpSse2(std::string_view body, OutputBuffer& buffer) {
    MarkUp<Sse2Scan>(body, buffer);
}

TESSIVA_AVX2 void MarkUpAvx2(std::string_view body, OutputBuffer& buffer) {
    MarkUp<Avx2Scan>(body, buffer);
}
#endif

using MarkUpFunction = void (*)(std::string_view, OutputBuffer&);

MarkUpFunction FunctionFor(MarkUpPath path) {
#ifdef TESSIVA_SCAN_X86
    if (path == MarkUpPath::Avx2 && CanTake(path))
        return MarkUpAvx2;
    if (path == MarkUpPath::Sse2)
        return MarkUpSse2;
#endif
    (void)path;
    return MarkUpBytewise;
}

}  // namespace

bool CanTake(MarkUpPath path) {
#ifdef TESSIVA_SCAN_X86
    // The processor is asked once; the answer covers the system saving the wide registers too.
    static const bool hasAvx2 = (__builtin_cpu_init(), __builtin_cpu_supports("avx2") != 0);
    return path != MarkUpPath::Avx2 || hasAvx2;
#else
    return path == MarkUpPath::Bytewise;
#endif
}

void WriteHtmlBodyOn(MarkUpPath path, std::string_view body, OutputBuffer& buffer) {
    FunctionFor(path)(body, buffer);
}

void WriteHtmlBody(std::string_view body, OutputBuffer& buffer) {
    // Chosen once.
    static const MarkUpFunction widest =
        FunctionFor(CanTake(MarkUpPath::Avx2) ? MarkUpPath::Avx2 : MarkUpPath::Sse2);
    widest(body, buffer);
}

std::string MakeHtmlBody(std::string_view body) {
    // Measured first, so that the result is allocated once, at its final size.
    class Counter : public ByteSink {
    public:
        bool Put(const char*, std::size_t size) override {
            total += size;
            return true;
        }
        std::size_t total = 0;
    } counter;
    constexpr std::size_t kPiece = std::size_t(1) << 16;
    OutputBuffer measuring(counter, kPiece);
    WriteHtmlBody(body, measuring);
    measuring.Finish();

    std::string html;
    html.reserve(counter.total);
    StringSink sink(html);
    OutputBuffer writing(sink, kPiece);
    WriteHtmlBody(body, writing);
    writing.Finish();
    return html;
}
