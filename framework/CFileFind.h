#pragma once

#include <windows.h>

#include "AfxTypes.h"

// The files that match a pattern, one after another:
//     BOOL more = find.FindFile("C:\\in\\*.txt");
//     while (more) { more = find.FindNextFile(); ... find.GetFileName() ... }
// The search handle is closed when the search ends or the object goes.
class CFileFind {
public:
    CFileFind() = default;
    ~CFileFind() { Close(); }
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;

    // TRUE when anything matches; FindNextFile then makes it the current file.
    BOOL FindFile(LPCSTR pattern);
    // Moves to the next file; TRUE while another one follows it.
    BOOL FindNextFile();
    CString GetFileName() const { return m_found.cFileName; }
    BOOL IsDirectory() const { return (m_found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }
    void Close();

private:
    HANDLE m_hSearch = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_found{};
    WIN32_FIND_DATAA m_next{};
    bool m_bHasNext = false;
};
