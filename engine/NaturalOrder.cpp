#include "NaturalOrder.h"

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#else
#include <cwctype>
#endif

namespace {

bool IsDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

// Compares the runs of digits that start at a[i] and b[j] by value, of any
// length, and moves both past their runs.
int CompareNumbers(std::wstring_view a, std::size_t& i, std::wstring_view b, std::size_t& j) {
    while (i + 1 < a.size() && a[i] == L'0' && IsDigit(a[i + 1]))
        ++i;
    while (j + 1 < b.size() && b[j] == L'0' && IsDigit(b[j + 1]))
        ++j;
    const std::size_t aStart = i, bStart = j;
    while (i < a.size() && IsDigit(a[i]))
        ++i;
    while (j < b.size() && IsDigit(b[j]))
        ++j;
    if (i - aStart != j - bStart)
        return i - aStart < j - bStart ? -1 : 1;
    return a.substr(aStart, i - aStart).compare(b.substr(bStart, j - bStart));
}

}  // namespace

std::wstring NaturalOrderKey(std::wstring name) {
#ifdef _WIN32
    if (!name.empty())
        ::CharLowerBuffW(&name[0], static_cast<DWORD>(name.size()));
#else
    for (wchar_t& c : name)
        c = static_cast<wchar_t>(std::towlower(static_cast<std::wint_t>(c)));
#endif
    return name;
}

std::wstring NaturalOrderKey(std::string_view name) {
#ifdef _WIN32
    const int size = static_cast<int>(name.size());
    const int units = ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0)
        ::MultiByteToWideChar(CP_ACP, 0, name.data(), size, &wide[0], units);
#else
    std::wstring wide;  // the bytes, where no wide text is known
    for (const unsigned char byte : name)
        wide += static_cast<wchar_t>(byte);
#endif
    return NaturalOrderKey(std::move(wide));
}

int CompareNaturally(std::wstring_view a, std::wstring_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const bool aDigit = IsDigit(a[i]), bDigit = IsDigit(b[j]);
        if (aDigit && bDigit) {
            if (const int order = CompareNumbers(a, i, b, j))
                return order;
        } else if (aDigit != bDigit) {
            return aDigit ? -1 : 1;
        } else if (a[i] != b[j]) {
            return a[i] < b[j] ? -1 : 1;
        } else {
            ++i, ++j;
        }
    }
    if (i < a.size() || j < b.size())
        return i < a.size() ? 1 : -1;
    // Equal by the rule: the leading zeros decide.
    return a.compare(b) < 0 ? -1 : a.compare(b) > 0 ? 1 : 0;
}
