// Files dropped on the wizard: each lands in the list as if chosen through ADD.

#include "CFilesPage.h"

#include <shellapi.h>

namespace {

bool EndsWithTxt(const CString& name)
{
    return name.size() > 4 && ::lstrcmpiA(name.c_str() + name.size() - 4, ".txt") == 0;
}

}  // namespace

void CFilesPage::AddDroppedFiles(HDROP drop)
{
    const UINT count = ::DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        CString path(::DragQueryFileA(drop, i, nullptr, 0), '\0');
        ::DragQueryFileA(drop, i, &path[0], static_cast<UINT>(path.size() + 1));
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            m_listFiles.AddString(path.c_str());
            continue;
        }
        const CString folder = path.back() == '\\' ? path : path + "\\";  // a drive's root ends in one
        // The pattern alone would also match names whose short form ends in .TXT.
        WIN32_FIND_DATAA found;
        const HANDLE search = ::FindFirstFileA((folder + "*.txt").c_str(), &found);
        for (BOOL more = search != INVALID_HANDLE_VALUE; more; more = ::FindNextFileA(search, &found)) {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && EndsWithTxt(found.cFileName))
                m_listFiles.AddString((folder + found.cFileName).c_str());
        }
        if (search != INVALID_HANDLE_VALUE)
            ::FindClose(search);
    }
    FitScrollWidth();
    UpdateCount();
}
