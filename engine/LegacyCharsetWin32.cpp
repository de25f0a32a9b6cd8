#include "LegacyCharset.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cwchar>

#include "CharsetNames.h"

namespace {

UINT CodePageOf(const std::string& charset) {
    const CharsetName* known = FindKnownCharset(charset);
    return known ? known->codePage : 0;
}

}  // namespace

std::string SystemLegacyCharset() {
    DWORD codePage = 0;
    if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPSTR>(&codePage), sizeof codePage) != 0) {
        for (const CharsetName& set : KnownCharsets())
            if (set.codePage == codePage)
                return set.name;
    }
    return "windows-1252";
}

std::string LegacyToUtf8(std::string_view bytes, const std::string& charset) {
    const UINT codePage = CodePageOf(charset);
    if (codePage == 0 || bytes.empty() || bytes.size() > 0x7FFFFFFF)
        return std::string(bytes);
    const int size = static_cast<int>(bytes.size());
    const int units = ::MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    if (units <= 0)
        return std::string(bytes);
    std::wstring wide(static_cast<std::size_t>(units), L'\0');
    ::MultiByteToWideChar(codePage, 0, bytes.data(), size, &wide[0], units);
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length > 0 ? length : 0), '\0');
    if (length > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), units, &utf8[0], length, nullptr, nullptr);
    return utf8;
}

LegacyEncoder::LegacyEncoder(const std::string& charset) : m_codePage(CodePageOf(charset)) {}

LegacyEncoder::~LegacyEncoder() = default;

bool LegacyEncoder::Append(std::string_view character, std::string& out) {
    if (m_codePage == 0 || character.size() > 4)
        return false;
    wchar_t wide[2];
    const int units = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, character.data(),
                                            static_cast<int>(character.size()), wide, 2);
    char bytes[16];
    const int length = units > 0 ? ::WideCharToMultiByte(m_codePage, 0, wide, units, bytes, sizeof bytes,
                                                         nullptr, nullptr) : 0;
    // A set without the character writes its default or a look-alike ("a" for
    // "ā"); only one that reads back as the character holds it.
    wchar_t back[4];
    const int backUnits = length > 0 ? ::MultiByteToWideChar(m_codePage, 0, bytes, length, back, 4) : 0;
    if (length <= 0 || backUnits != units || std::wmemcmp(back, wide, static_cast<std::size_t>(units)) != 0)
        return false;
    out.append(bytes, static_cast<std::size_t>(length));
    return true;
}
