#include "TextEncoding.h"

#include <cstdint>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

ByteOrderMark FindByteOrderMark(std::string_view start) {
    if (start.substr(0, 3) == "\xEF\xBB\xBF")
        return ByteOrderMark::Utf8;
    if (start.substr(0, 2) == "\xFF\xFE")
        return ByteOrderMark::Utf16Le;
    if (start.substr(0, 2) == "\xFE\xFF")
        return ByteOrderMark::Utf16Be;
    return ByteOrderMark::None;
}

std::size_t MarkLength(ByteOrderMark mark) {
    switch (mark) {
    case ByteOrderMark::Utf8: return 3;
    case ByteOrderMark::Utf16Le:
    case ByteOrderMark::Utf16Be: return 2;
    case ByteOrderMark::None: break;
    }
    return 0;
}

namespace {

void AppendUtf8(std::string& out, std::uint32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool IsHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool IsLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

}  // namespace

std::string Utf16ToUtf8(std::string_view units, bool bigEndian) {
    const std::size_t count = units.size() / 2;
    auto unitAt = [&](std::size_t i) -> std::uint32_t {
        const auto first = static_cast<unsigned char>(units[2 * i]);
        const auto second = static_cast<unsigned char>(units[2 * i + 1]);
        return bigEndian ? (first << 8 | second) : (second << 8 | first);
    };
    std::string out;
    out.reserve(units.size() + units.size() / 2);
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t c = unitAt(i);
        if (IsHighSurrogate(c) && i + 1 < count && IsLowSurrogate(unitAt(i + 1))) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unitAt(i + 1) - 0xDC00);
            ++i;
        } else if (IsHighSurrogate(c) || IsLowSurrogate(c)) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::string DecodeToUtf8(std::string_view bytes) {
    const ByteOrderMark mark = FindByteOrderMark(bytes);
    bytes.remove_prefix(MarkLength(mark));
    if (mark == ByteOrderMark::Utf16Le || mark == ByteOrderMark::Utf16Be)
        return Utf16ToUtf8(bytes, mark == ByteOrderMark::Utf16Be);
    return std::string(bytes);
}

bool Utf8Check::FeedByte(unsigned char byte) {
    if (m_pending > 0) {
        if (byte < m_low || byte > m_high)
            return false;
        --m_pending;
        m_low = 0x80;
        m_high = 0xBF;
        return true;
    }
    if (byte < 0x80)
        return true;
    // The lead byte gives the length and, for the edges of the ranges, narrows
    // the first continuation byte: that rules out overlong forms, surrogates and
    // code points past U+10FFFF.
    if (byte >= 0xC2 && byte <= 0xDF) {
        m_pending = 1;
    } else if (byte >= 0xE0 && byte <= 0xEF) {
        m_pending = 2;
        if (byte == 0xE0) m_low = 0xA0;
        if (byte == 0xED) m_high = 0x9F;
    } else if (byte >= 0xF0 && byte <= 0xF4) {
        m_pending = 3;
        if (byte == 0xF0) m_low = 0x90;
        if (byte == 0xF4) m_high = 0x8F;
    } else {
        return false;
    }
    return true;
}

void Utf8Check::Feed(std::string_view piece) {
    const char* p = piece.data();
    const char* const end = p + piece.size();
    while (m_valid && p < end) {
        // Plain ASCII, the usual case, 64 or 32 bytes at a time.
        if (m_pending == 0) {
#if defined(__SSE2__)
            while (end - p >= 64) {
                const auto* block = reinterpret_cast<const __m128i*>(p);
                const __m128i any = _mm_or_si128(_mm_or_si128(_mm_loadu_si128(block), _mm_loadu_si128(block + 1)),
                                                 _mm_or_si128(_mm_loadu_si128(block + 2), _mm_loadu_si128(block + 3)));
                if (_mm_movemask_epi8(any) != 0)
                    break;
                p += 64;
            }
#endif
            while (end - p >= 32) {
                std::uint64_t words[4];
                std::memcpy(words, p, 32);
                if ((words[0] | words[1] | words[2] | words[3]) & 0x8080808080808080ull)
                    break;
                p += 32;
            }
            if (p == end)
                break;
        }
        m_valid = FeedByte(static_cast<unsigned char>(*p++));
    }
}

bool IsValidUtf8(std::string_view bytes) {
    Utf8Check check;
    check.Feed(bytes);
    return check.Valid();
}

std::uint32_t DecodeUtf8Character(std::string_view text, std::size_t& length) {
    const auto lead = static_cast<unsigned char>(text.empty() ? 0 : text[0]);
    length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    if (text.empty() || lead < 0x80) {
        length = text.empty() ? 0 : 1;
        return lead;
    }
    if (length > text.size() || !IsValidUtf8(text.substr(0, length))) {
        length = 1;
        return 0xFFFD;
    }
    std::uint32_t character = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i)
        character = character << 6 | (static_cast<unsigned char>(text[i]) & 0x3F);
    return character;
}
