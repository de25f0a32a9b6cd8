#pragma once
// The order the files list keeps: by full path, letters without regard to case.
// Each path is turned into its key once; ordering compares keys only, so a long
// list is put in order without asking the system for every comparison.

#include <string>

#include "AfxTypes.h"

struct ListEntry {
    CString path;
    std::wstring key;
};

std::wstring ListOrderKey(const CString& path);
bool ListOrderLess(const std::wstring& a, const std::wstring& b);
