#include "LegacyCharset.h"

#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cctype>

namespace {

struct CodePageName {
    UINT codePage;
    const char* name;
};

// The ANSI code pages of Windows locales and the names browsers know them by.
constexpr CodePageName kCodePages[] = {
    {874, "windows-874"},   {932, "shift_jis"},     {936, "gbk"},
    {949, "euc-kr"},        {950, "big5"},          {1250, "windows-1250"},
    {1251, "windows-1251"}, {1252, "windows-1252"}, {1253, "windows-1253"},
    {1254, "windows-1254"}, {1255, "windows-1255"}, {1256, "windows-1256"},
    {1257, "windows-1257"}, {1258, "windows-1258"}, {54936, "gb18030"},
};

bool SameName(const std::string& a, const char* b) {
    std::size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != b[i])
            return false;
    return i == a.size() && !b[i];
}

UINT CodePageOf(const std::string& charset) {
    for (const CodePageName& entry : kCodePages)
        if (SameName(charset, entry.name))
            return entry.codePage;
    return 0;
}

}  // namespace

std::string SystemLegacyCharset() {
    DWORD codePage = 0;
    if (::GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_IDEFAULTANSICODEPAGE | LOCALE_RETURN_NUMBER,
                         reinterpret_cast<LPSTR>(&codePage), sizeof codePage) != 0) {
        for (const CodePageName& entry : kCodePages)
            if (entry.codePage == codePage)
                return entry.name;
    }
    return "windows-1252";
}

bool LegacyCharsetKnown(const std::string& charset) {
    return CodePageOf(charset) != 0;
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
