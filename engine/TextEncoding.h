#pragma once
// What a text file's bytes are: a byte-order mark decides UTF-8 or UTF-16; any
// other text is taken byte for byte, and is either valid UTF-8 or in the
// system's legacy code page.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

enum class ByteOrderMark { None, Utf8, Utf16Le, Utf16Be };

// The mark that `start` (the first bytes of a text) begins with.
ByteOrderMark FindByteOrderMark(std::string_view start);

// The length of that mark in bytes: 0, 2 or 3.
std::size_t MarkLength(ByteOrderMark mark);

// UTF-16 code units (the mark already removed) as UTF-8. A lone surrogate
// becomes U+FFFD; an odd last byte is dropped.
std::string Utf16ToUtf8(std::string_view units, bool bigEndian);

// Any text as UTF-8: a UTF-8 mark dropped, UTF-16 converted; other bytes unchanged.
std::string DecodeToUtf8(std::string_view bytes);

// Tells whether bytes given piece by piece form valid UTF-8: no overlong forms,
// no surrogates, nothing above U+10FFFF, no sequence cut short at the end.
class Utf8Check {
public:
    void Feed(std::string_view piece);
    bool Valid() const { return m_valid && m_pending == 0; }
    bool Failed() const { return !m_valid; }  // already, whatever follows

private:
    bool FeedByte(unsigned char byte);

    bool m_valid = true;
    int m_pending = 0;                  // continuation bytes still due
    unsigned char m_low = 0x80, m_high = 0xBF;  // the range of the next one
};

bool IsValidUtf8(std::string_view bytes);

// The character `text` starts with and, in `length`, its bytes; a byte that
// starts no valid UTF-8 sequence stands for U+FFFD, length 1.
std::uint32_t DecodeUtf8Character(std::string_view text, std::size_t& length);
