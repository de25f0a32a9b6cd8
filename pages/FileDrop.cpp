// Files dropped on the wizard: each lands in the list as if chosen through ADD.

#include "CFilesPage.h"

#include <shlobj.h>

namespace {

// The names of a drop, read from its block in one pass: asking for them one by
// one walks the block from its start each time.
std::vector<CString> DroppedNames(HDROP drop)
{
    std::vector<CString> names;
    const auto* head = static_cast<const DROPFILES*>(::GlobalLock(drop));
    if (!head)
        return names;
    const char* at = reinterpret_cast<const char*>(head) + head->pFiles;
    if (head->fWide) {
        for (auto* name = reinterpret_cast<const wchar_t*>(at); *name; name += ::lstrlenW(name) + 1) {
            const int wide = ::lstrlenW(name);
            const int length = ::WideCharToMultiByte(CP_ACP, 0, name, wide, nullptr, 0, nullptr, nullptr);
            CString path(static_cast<size_t>(length > 0 ? length : 0), '\0');
            if (length > 0)
                ::WideCharToMultiByte(CP_ACP, 0, name, wide, &path[0], length, nullptr, nullptr);
            names.push_back(path);
        }
    } else {
        for (const char* name = at; *name; name += names.back().size() + 1)
            names.emplace_back(name);
    }
    ::GlobalUnlock(drop);
    return names;
}

}  // namespace

void CFilesPage::AddDroppedFiles(HDROP drop)
{
    AddSoon(DroppedNames(drop), {});
}
