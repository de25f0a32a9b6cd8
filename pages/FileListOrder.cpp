#include "FileListOrder.h"

#include <windows.h>

std::wstring ListOrderKey(const CString& path)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring key(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) {
        ::MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), &key[0], length);
        ::CharLowerBuffW(&key[0], static_cast<DWORD>(length));
    }
    return key;
}

bool ListOrderLess(const std::wstring& a, const std::wstring& b)
{
    return a < b;
}
