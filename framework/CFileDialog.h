#pragma once

#include <vector>

#include "AfxTypes.h"

class CWnd;

// The system's open (or save) file dialog. With OFN_ALLOWMULTISELECT the name
// buffer is large (kMultiSelectBufferChars): a selection of a few hundred files
// fits instead of failing as if cancelled. A selection that still does not fit
// ends the dialog with IDCANCEL and SelectionTooLarge() tells the caller so --
// also where the system would silently cut the selection to fit the buffer,
// which a check of the chosen names before the dialog accepts them prevents.
class CFileDialog {
public:
    static constexpr DWORD kMultiSelectBufferChars = 4 * 1024 * 1024;

    // `filter` in the form "Text (*.txt)|*.txt|All (*.*)|*.*||".
    CFileDialog(BOOL openFileDialog, LPCSTR defaultExtension = nullptr, LPCSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCSTR filter = nullptr,
                CWnd* parent = nullptr);
    CFileDialog(const CFileDialog&) = delete;
    CFileDialog& operator=(const CFileDialog&) = delete;
    virtual ~CFileDialog() = default;

    // IDOK when the user chose, IDCANCEL when cancelled or failed.
    virtual INT_PTR DoModal();

    // Every chosen file's full path, in the order the dialog returns them.
    std::vector<CString> GetPathNames() const;
    bool SelectionTooLarge() const { return m_bTooLarge || m_dwError == FNERR_BUFFERTOOSMALL; }

    OPENFILENAMEA m_ofn{};

private:
    static UINT_PTR CALLBACK HookProc(HWND hook, UINT message, WPARAM wParam,
                                      LPARAM lParam) noexcept;
    // Whether the names in the dialog's file-name box fit the buffer.
    bool SelectionFits(HWND dialog) const;

    BOOL m_bOpenFileDialog;
    bool m_bTooLarge = false;
    CWnd* m_pParentWnd;
    CString m_strFilter;           // with NUL separators, as the dialog wants it
    CString m_strDefaultExtension;
    std::vector<char> m_fileBuffer;
    DWORD m_dwError = 0;
};

// Joins a folder and a file name with exactly one backslash.
CString AfxJoinPath(const CString& folder, const CString& name);
// The names in a file dialog's file-name box: "a.txt" or "\"a.txt\" \"b.txt\"".
std::vector<CString> AfxSplitFileSpec(const CString& spec);
