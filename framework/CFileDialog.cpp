#include "CFileDialog.h"

#include <commdlg.h>

#include <cstring>

#include "CWnd.h"

CString AfxJoinPath(const CString& folder, const CString& name)
{
    if (folder.empty())
        return name;
    // A drive's root comes back as "C:\"; joining must not double its backslash.
    if (folder.back() == '\\' || folder.back() == '/')
        return folder + name;
    return folder + "\\" + name;
}

std::vector<CString> AfxSplitFileSpec(const CString& spec)
{
    std::vector<CString> names;
    if (spec.find('"') == CString::npos) {
        if (!spec.empty())
            names.push_back(spec);
        return names;
    }
    size_t at = 0;
    while ((at = spec.find('"', at)) != CString::npos) {
        const size_t close = spec.find('"', at + 1);
        if (close == CString::npos)
            break;
        names.push_back(spec.substr(at + 1, close - at - 1));
        at = close + 1;
    }
    return names;
}

CFileDialog::CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension, LPCSTR fileName, DWORD flags,
                         LPCSTR filter, CWnd* parent)
    : m_bOpenFileDialog(openFileDialog), m_pParentWnd(parent)
{
    if (filter) {
        m_strFilter = filter;
        for (char& c : m_strFilter)
            if (c == '|')
                c = '\0';
        // Two terminators end the list, whatever the caller's text ended with.
        m_strFilter.push_back('\0');
    }
    if (defaultExtension)
        m_strDefaultExtension = defaultExtension;

    m_fileBuffer.assign(MAX_PATH, '\0');
    if (fileName)
        strncpy(m_fileBuffer.data(), fileName, MAX_PATH - 1);

    m_ofn.lStructSize = sizeof(m_ofn);
    m_ofn.Flags = flags | OFN_EXPLORER;
    m_ofn.lpstrFilter = m_strFilter.empty() ? nullptr : m_strFilter.c_str();
    m_ofn.nFilterIndex = 1;
    m_ofn.lpstrDefExt = m_strDefaultExtension.empty() ? nullptr : m_strDefaultExtension.c_str();
    m_ofn.Flags |= OFN_ENABLEHOOK;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hook, UINT message, WPARAM, LPARAM lParam) noexcept
{
    if (message != WM_NOTIFY)
        return 0;
    const auto* notify = reinterpret_cast<const OFNOTIFYA*>(lParam);
    if (notify->hdr.code != CDN_FILEOK || !notify->lpOFN)
        return 0;
    auto* self = reinterpret_cast<CFileDialog*>(notify->lpOFN->lCustData);
    const HWND dialog = ::GetParent(hook);
    if (!self || !(self->m_ofn.Flags & OFN_ALLOWMULTISELECT) || self->SelectionFits(dialog))
        return 0;
    // Refuse the names, and end the dialog the way the system ends it when the
    // buffer is too small, so that the caller sees one outcome for both.
    self->m_bTooLarge = true;
    ::SetWindowLongPtrA(hook, DWLP_MSGRESULT, 1);
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDCANCEL)));
    return 1;
}

bool CFileDialog::SelectionFits(HWND dialog) const
{
    const LRESULT specLength = ::SendMessageA(dialog, CDM_GETSPEC, 0, 0);
    const LRESULT folderLength = ::SendMessageA(dialog, CDM_GETFOLDERPATH, 0, 0);
    if (specLength <= 0 || folderLength < 0)
        return true;  // nothing to measure: the system decides
    CString spec(static_cast<size_t>(specLength), '\0');
    ::SendMessageA(dialog, CDM_GETSPEC, static_cast<WPARAM>(specLength), reinterpret_cast<LPARAM>(&spec[0]));
    spec.resize(strnlen(spec.c_str(), spec.size()));
    const std::vector<CString> names = AfxSplitFileSpec(spec);
    if (names.size() < 2)
        return true;  // one name comes back as one path, which always fits
    // The folder, then each name, each with its terminator, then the final one.
    size_t needed = static_cast<size_t>(folderLength) + 1;
    for (const CString& name : names)
        needed += name.size() + 1;
    return needed <= m_ofn.nMaxFile;
}

INT_PTR CFileDialog::DoModal()
{
    // The flags may have changed since construction; size the buffer for them.
    const DWORD wanted = (m_ofn.Flags & OFN_ALLOWMULTISELECT) ? kMultiSelectBufferChars : MAX_PATH;
    if (m_fileBuffer.size() < wanted)
        m_fileBuffer.resize(wanted, '\0');
    m_ofn.lpstrFile = m_fileBuffer.data();
    m_ofn.nMaxFile = static_cast<DWORD>(m_fileBuffer.size());

    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : ::GetActiveWindow();
    if (owner)
        owner = ::GetAncestor(owner, GA_ROOT);
    m_ofn.hwndOwner = owner;

    m_dwError = 0;
    m_bTooLarge = false;
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    if (!chosen) {
        m_dwError = ::CommDlgExtendedError();
        return IDCANCEL;
    }
    return IDOK;
}

std::vector<CString> CFileDialog::GetPathNames() const
{
    std::vector<CString> paths;
    const char* buffer = m_fileBuffer.data();
    const char* end = buffer + m_fileBuffer.size();
    if (!buffer[0])
        return paths;
    const CString first(buffer, strnlen(buffer, m_fileBuffer.size()));
    const char* next = buffer + first.size() + 1;
    // One file: the buffer holds its full path. Several: the folder, then the names.
    if (!(m_ofn.Flags & OFN_ALLOWMULTISELECT) || next >= end || !*next) {
        paths.push_back(first);
        return paths;
    }
    while (next < end && *next) {
        const CString name(next, strnlen(next, static_cast<size_t>(end - next)));
        paths.push_back(AfxJoinPath(first, name));
        next += name.size() + 1;
    }
    return paths;
}
