#include "TextToHtml.h"

#include <cstring>

#include "BodyScan.h"

namespace {

// One pair's mark-up followed by filler, so a pair goes out in one 16-byte copy.
constexpr char kPairStore[17] = "&nbsp;&nbsp;....";
constexpr std::size_t kPairLength = 12;

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
        std::memcpy(out, kPairStore, 16);
        out += kPairLength;
    }
    if (run % 2)
        *out++ = ' ';
    return out;
}

char* WriteLineBreak(char* out) {
    std::memcpy(out, "\n<br>", 5);
    return out + 5;
}

// Copies the unchanged bytes [from, to), for stretches too long for the fast path.
char* CopyLong(OutputBuffer& buffer, char* out, const char* from, const char* to) {
    buffer.SetCursor(out);
    buffer.Append(std::string_view(from, static_cast<std::size_t>(to - from)));
    out = buffer.Cursor();
    return buffer.NeedsRoom(out) ? buffer.Room(out) : out;
}

// What a mark becomes, indexed by "is a pair of spaces": padded to 16 bytes so
// that either goes out in one copy.
constexpr char kReplacement[2][16] = {"\n<br>", "&nbsp;&nbsp;"};
constexpr std::size_t kReplacementLength[2] = {5, 12};

}  // namespace

HeadAndBody SplitHeadAndBody(std::string_view text) {
    const std::size_t lineFeed = text.find('\n');
    if (lineFeed == std::string_view::npos)
        return {std::string_view(), text};
    std::size_t headLength = lineFeed;
    if (headLength > 0 && text[headLength - 1] == '\r')
        --headLength;
    return {text.substr(0, headLength), text.substr(lineFeed + 1)};
}

void WriteHtmlBody(std::string_view body, OutputBuffer& buffer) {
    const char* p = body.data();  // the first byte not yet written
    const char* const end = p + body.size();
    char* out = buffer.Cursor();
    // 64 bytes are examined at a time, and each of their marks (a line feed or a
    // pair of spaces, never overlapping) is handled the same way, without
    // branches the processor would have to guess: the unchanged bytes before the
    // mark in four 16-byte copies, then the mark's replacement in one. A window
    // reads the byte after it, and the copies up to 64 bytes past a mark: hence
    // "more than 128 left".
    const char* window = p;
    bool oddCarry = false;
    // Kept in a register: the byte stores below could alias the buffer's own.
    const char* limit = buffer.Limit();
    while (end - window > 128) {
        const WindowMasks masks = ScanWindow(window);
        unsigned long long marks = masks.lineFeeds | PairStarts(masks, oddCarry);
        while (marks != 0) {
            const char* mark = window + LowestSetBit64(marks);
            marks &= marks - 1;
            if (out > limit) {
                out = buffer.Room(out);
                limit = buffer.Limit();
            }
            const std::size_t plain = static_cast<std::size_t>(mark - p);
            if (plain <= 64) {
                std::memcpy(out, p, 16);
                std::memcpy(out + 16, p + 16, 16);
                std::memcpy(out + 32, p + 32, 16);
                std::memcpy(out + 48, p + 48, 16);
                out += plain;
            } else {
                out = CopyLong(buffer, out, p, mark);
                limit = buffer.Limit();
            }
            const int isPair = *mark == ' ';
            std::memcpy(out, kReplacement[isPair], 16);
            out += kReplacementLength[isPair];
            p = mark + 1 + isPair;
        }
        window += 64;
    }
    // The last bytes one at a time. p stands at an even distance into any run of
    // spaces it meets, so pairing goes on where the windows left it.
    while (p < end) {
        if (buffer.NeedsRoom(out))
            out = buffer.Room(out);
        if (*p == '\n') {
            out = WriteLineBreak(out);
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
