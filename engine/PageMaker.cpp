#include "PageMaker.h"

#include <cstring>

#include "FileAccess.h"
#include "LegacyCharset.h"
#include "ReplaceAll.h"
#include "TemplateFilling.h"
#include "TemplateSpans.h"
#include "TextToHtml.h"

namespace {

constexpr std::string_view kBody = "$body";
constexpr std::string_view kCharset = "$charset";

// Cuts the piece at its first NUL byte, where the text ends.
bool CutAtNul(const char* data, std::size_t& size) {
    if (const void* nul = std::memchr(data, '\0', size)) {
        size = static_cast<std::size_t>(static_cast<const char*>(nul) - data);
        return true;
    }
    return false;
}

std::size_t TrailingSpaces(std::string_view data) {
    std::size_t count = 0;
    while (count < data.size() && data[data.size() - 1 - count] == ' ')
        ++count;
    return count;
}

}  // namespace

PageMaker::PageMaker(std::string_view templateText, PageValues utf8Values, PageValues legacyValues,
                     std::string legacyCharset)
    : m_utf8Values(std::move(utf8Values)),
      m_legacyValues(std::move(legacyValues)),
      m_legacyCharset(std::move(legacyCharset)),
      m_declaresCharset(!FindOccurrences(templateText, kCharset).empty()),
      m_valuesDiffer(m_utf8Values.keywords != m_legacyValues.keywords ||
                     m_utf8Values.description != m_legacyValues.description ||
                     m_utf8Values.homeLink != m_legacyValues.homeLink),
      m_utf8Template(FillCharset(templateText, "utf-8")),
      m_legacyTemplate(m_declaresCharset ? FillCharset(templateText, m_legacyCharset) : std::string()),
      m_navigates(UsesNavigation(templateText)),
      m_out(m_noPage, kTextPiece),
      m_piece(new char[kTextPiece + 1]) {}

PageMaker::Result PageMaker::Fail(platform::FileFailure failure) {
    m_failure = std::move(failure);
    return Failed;
}

// Stops at the first line feed, the end of the text, or once `limit` bytes are
// held with neither; `lineFound` tells the first case. The first piece is looked
// at for a byte-order mark before anything else: a UTF-8 one is dropped, and a
// UTF-16 text is read whole and comes back as UTF-8, `ended` set.
platform::FileResult PageMaker::ReadFirstLine(platform::InputFile& in, std::string& text, bool& ended,
                                              bool& lineFound, std::size_t limit) {
    ended = lineFound = false;
    while (text.size() < limit) {
        const std::size_t before = text.size();
        // Through the piece: growing the string to a piece first would clear
        // 256 KB for every text, where most are a few KB.
        std::size_t got = 0;
        if (platform::FileResult failure = in.Read(m_piece.get(), kTextPiece, got))
            return failure;
        text.append(m_piece.get(), got);
        if (before == 0) {
            const ByteOrderMark mark = FindByteOrderMark(std::string_view(text.data(), got));
            if (mark == ByteOrderMark::Utf16Le || mark == ByteOrderMark::Utf16Be) {
                if (platform::FileResult failure = ReadRest(in, text))
                    return failure;
                text = Utf16ToUtf8(std::string_view(text).substr(MarkLength(mark)), mark == ByteOrderMark::Utf16Be);
                std::size_t size = text.size();
                CutAtNul(text.data(), size);
                text.resize(size);
                ended = true;
                lineFound = text.find('\n') != std::string::npos;
                return std::nullopt;
            }
            if (mark == ByteOrderMark::Utf8) {
                text.erase(0, MarkLength(mark));
                got -= MarkLength(mark);
            }
        }
        ended = got == 0 || CutAtNul(&text[before], got);
        text.resize(before + got);
        lineFound = std::memchr(text.data() + before, '\n', got) != nullptr;
        if (ended || lineFound)
            break;
    }
    return std::nullopt;
}

// Reads the rest of the text whole, NUL bytes and all (a UTF-16 text has many).
platform::FileResult PageMaker::ReadRest(platform::InputFile& in, std::string& text) {
    for (;;) {
        const std::size_t before = text.size();
        text.resize(before + kTextPiece);
        std::size_t got = 0;
        if (platform::FileResult failure = in.Read(&text[before], kTextPiece, got))
            return failure;
        text.resize(before + got);
        if (got == 0)
            return std::nullopt;
    }
}

// Reads on, keeping nothing, until a line feed or the end of the text; `length`
// counts the bytes read up to there.
platform::FileResult PageMaker::SeekLineFeed(platform::InputFile& in, bool& lineFound, std::size_t& length) {
    for (;;) {
        std::size_t got = 0;
        if (platform::FileResult failure = in.Read(m_piece.get(), kTextPiece, got))
            return failure;
        const bool ended = got == 0 || CutAtNul(m_piece.get(), got);
        const void* lineFeed = std::memchr(m_piece.get(), '\n', got);
        lineFound = lineFeed != nullptr;
        length += lineFound ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - m_piece.get()) : got;
        if (ended || lineFound)
            return std::nullopt;
    }
}

// Opens the text and reads its first line into `text`, with whatever came with
// it, leaving `in` at the rest. A first line that runs on for long may be no
// line at all: a text without a line feed is all body, so `text` is then left
// empty and the whole text is still to read. `ended`: the whole text is in `text`.
platform::FileResult PageMaker::OpenAtBody(const std::string& inputFile, platform::InputFile& in,
                                           std::string& text, bool& ended) {
    in.Close();
    text.clear();
    bool lineFound = false;
    if (platform::FileResult failure = in.Open(inputFile))
        return failure;
    if (platform::FileResult failure = ReadFirstLine(in, text, ended, lineFound, kLongLine))
        return failure;
    if (ended || lineFound)
        return std::nullopt;
    std::size_t length = text.size();
    if (platform::FileResult failure = SeekLineFeed(in, lineFound, length))
        return failure;
    in.Close();
    text = std::string();
    if (platform::FileResult failure = in.Open(inputFile))
        return failure;
    if (!lineFound)
        return std::nullopt;
    // A head this long is held whole: it goes into the page and the index. Room
    // for all of it at once, since growing would hold it twice while copying.
    text.reserve(length + kTextPiece + 1);
    return ReadFirstLine(in, text, ended, lineFound, std::string::npos);
}

// Opens the text again where its body starts, holding no more of its first line
// than a piece: the line feed ending it is looked for piece by piece. `start`
// is what came after it in its piece, which the next reading overwrites.
platform::FileResult PageMaker::ReopenAtBody(const std::string& inputFile, platform::InputFile& in, bool headFound,
                                             std::string_view& start) {
    in.Close();
    start = std::string_view();
    if (platform::FileResult failure = in.Open(inputFile))
        return failure;
    char* const piece = m_piece.get() + 1;
    while (headFound) {
        std::size_t got = 0;
        if (platform::FileResult failure = in.Read(piece, kTextPiece, got))
            return failure;
        if (const void* lineFeed = std::memchr(piece, '\n', got)) {
            const char* const body = static_cast<const char*>(lineFeed) + 1;
            start = std::string_view(body, static_cast<std::size_t>(piece + got - body));
            break;
        }
        if (got == 0)
            break;
    }
    return std::nullopt;
}

// Pieces are marked up on their own. A piece may end inside a run of spaces
// whose pairs go on in the next piece: an even number of its spaces are whole
// pairs and go out now, an odd last one is carried to the front of the next
// piece, where it starts the rest of the run.
// `check` feeds what is read to the UTF-8 check (only the first reading does).
platform::FileResult PageMaker::StreamBody(std::string_view start, platform::InputFile& in, bool check) {
    auto markUp = [this](std::string_view data, bool last) {
        std::size_t take = data.size();
        if (!last && TrailingSpaces(data) % 2 == 1)
            --take;
        WriteHtmlBody(data.substr(0, take), m_out);
        return take < data.size();
    };
    bool carry = markUp(start, false);
    bool ended = false;
    while (!ended) {
        char* const piece = m_piece.get();
        piece[0] = ' ';
        std::size_t got = 0;
        if (platform::FileResult failure = in.Read(piece + 1, kTextPiece, got))
            return failure;
        ended = got == 0 || CutAtNul(piece + 1, got);
        if (check)
            m_check.Feed(std::string_view(piece + 1, got));
        carry = markUp(std::string_view(carry ? piece : piece + 1, got + (carry ? 1 : 0)), ended);
    }
    return std::nullopt;
}

// Converted only here: only the index wants the head, and in UTF-8.
std::string PageMaker::TakeHead() {
    return m_legacyHead ? LegacyToUtf8(m_head, m_legacyCharset) : std::move(m_head);
}

PageMaker::Result PageMaker::Make(const std::string& inputFile, const std::string& pagePath,
                                  const std::function<bool(const std::string&)>& confirmOverwrite,
                                  PageNavigation navigation) {
    m_navigation = std::move(navigation);
    const Result result = MakeOnce(inputFile, pagePath, confirmOverwrite, false);
    if (!m_misjudged)
        return result;
    // Bytes that are not UTF-8 came after the page had begun declaring UTF-8 or
    // holding the typed values in it. It is made again from the start; the
    // question about replacing was answered.
    return MakeOnce(inputFile, pagePath, [](const std::string&) { return true; }, true);
}

PageMaker::Result PageMaker::MakeOnce(const std::string& inputFile, const std::string& pagePath,
                                      const std::function<bool(const std::string&)>& confirmOverwrite,
                                      bool legacyKnown) {
    m_misjudged = false;
    platform::InputFile in;
    // The text as first read, with the head at its start: the head is held there
    // only, and the filled template refers to it.
    std::string& text = m_head;
    bool ended = false;
    if (platform::FileResult failure = OpenAtBody(inputFile, in, text, ended))
        return Fail(std::move(*failure));
    m_check = Utf8Check();
    m_check.Feed(text);

    // The page declares UTF-8 until the text shows otherwise; a text read whole
    // is known at once.
    const bool legacy = legacyKnown || (ended ? !m_check.Valid() : m_check.Failed());
    const HeadAndBody parts = SplitHeadAndBody(text);
    // Everything in the page is in the text's encoding, what was typed included.
    const PageValues& values = legacy ? m_legacyValues : m_utf8Values;
    const std::string& withCharset = legacy && m_declaresCharset ? m_legacyTemplate : m_utf8Template;
    const std::string navigated = m_navigates ? FillNavigation(withCharset, m_navigation) : std::string();
    const TemplateSpans filled = FillAllButBodySpans(m_navigates ? navigated : withCharset,
                                                     parts.head, values.keywords, values.description, values.homeLink);
    const std::vector<std::size_t> bodies = filled.Find(kBody);

    if (FileExists(pagePath) && !(confirmOverwrite && confirmOverwrite(pagePath))) {
        m_head.resize(parts.head.size());
        return Kept;
    }
    // Into a file beside its place; it replaces an existing page once complete.
    platform::ReplacingFile page;
    if (platform::FileResult failure = page.Open(pagePath))
        return Fail(std::move(*failure));
    m_out.Redirect(page);
    // The filled template around the body: its parts go out before and after.
    // Unless the whole text came with its first line, the body is marked up as
    // it is read, and read again from the start for every further use.
    const bool headFound = parts.body.size() != text.size();
    std::size_t from = 0;
    for (std::size_t use = 0; use < bodies.size(); ++use) {
        filled.Write(from, bodies[use], m_out);
        platform::FileResult failure;
        if (ended) {
            WriteHtmlBody(parts.body, m_out);
        } else if (use == 0) {
            failure = StreamBody(parts.body, in, true);
        } else {
            std::string_view start;
            if (!(failure = ReopenAtBody(inputFile, in, headFound, start)))
                failure = StreamBody(start, in, false);
        }
        if (failure) {
            m_out.Redirect(m_noPage);
            return Fail(std::move(*failure));
        }
        from = bodies[use] + kBody.size();
    }
    filled.Write(from, filled.Size(), m_out);
    m_out.Finish();
    m_out.Redirect(m_noPage);
    m_head.resize(parts.head.size());
    if ((m_declaresCharset || m_valuesDiffer) && !legacy && !m_check.Valid()) {
        m_misjudged = true;
        return Failed;
    }
    m_legacyHead = !m_check.Valid();
    // Closed before the page takes its place, since it may be the very file the
    // page replaces.
    in.Close();
    if (platform::FileResult failure = page.Commit())
        return Fail(std::move(*failure));
    return Written;
}
