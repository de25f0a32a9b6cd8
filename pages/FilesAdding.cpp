// Files on their way into the list of step 1, a slice at a time: a long list
// never keeps the window from answering, and each slice ends with the list and
// the count as far as they have come.

#include "CFilesPage.h"

#include <algorithm>

#include "CClientDC.h"
#include "NaturalOrder.h"

namespace {

constexpr UINT_PTR kAddTimer = 1;

bool EndsWithTxt(const CString& name)
{
    return name.size() > 4 && ::lstrcmpiA(name.c_str() + name.size() - 4, ".txt") == 0;
}

// Checked every few steps, so that asking the clock costs little.
bool TimeLeft(size_t step, ULONGLONG until)
{
    return step % 32 != 0 || ::GetTickCount64() < until;
}

}  // namespace

void CFilesPage::AddSoon(std::vector<CString> dropped, std::vector<CString> files)
{
    m_dropped.insert(m_dropped.end(), dropped.begin(), dropped.end());
    for (const CString& path : files)
        Found(path);
    if (AddSlice(::GetTickCount64() + kSliceMs))
        return;
    SetTimer(kAddTimer, USER_TIMER_MINIMUM);
}

void CFilesPage::FinishAdding()
{
    if (AddSlice(ULLONG_MAX))
        KillTimer(kAddTimer);
}

void CFilesPage::OnTimer(UINT_PTR id)
{
    if (id == kAddTimer && AddSlice(::GetTickCount64() + kSliceMs))
        KillTimer(kAddTimer);
}

void CFilesPage::StopAdding()
{
    KillTimer(kAddTimer);
    m_dropped.clear();
    m_folderSearch.Close();
    m_bMoreInFolder = false;
    m_found.clear();
    m_pending.clear();
    m_nInserted = 0;
}

void CFilesPage::Found(const CString& path)
{
    m_found.push_back(ListEntry{path, NaturalOrderKey(std::string_view(path))});
}

bool CFilesPage::AddSlice(ULONGLONG until)
{
    const int before = m_listFiles.GetCount();
    bool done = ReadDropped(until);
    // Once every name is known, they go in order together: one sort, not one
    // search of the list each.
    if (done && !m_found.empty()) {
        const auto less = [](const ListEntry& a, const ListEntry& b) { return CompareNaturally(a.key, b.key) < 0; };
        std::stable_sort(m_found.begin(), m_found.end(), less);
        m_pending.erase(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(m_nInserted));
        m_nInserted = 0;
        const size_t waiting = m_pending.size();
        m_pending.insert(m_pending.end(), std::make_move_iterator(m_found.begin()),
                         std::make_move_iterator(m_found.end()));
        std::inplace_merge(m_pending.begin(), m_pending.begin() + static_cast<std::ptrdiff_t>(waiting),
                           m_pending.end(), less);
        m_found.clear();
    }
    if (done)
        done = InsertPending(until);
    if (m_listFiles.GetCount() != before || done)
        UpdateCount();
    return done;
}

// The dropped names: a file is found as it is, a folder gives its text files.
bool CFilesPage::ReadDropped(ULONGLONG until)
{
    for (size_t step = 0; m_bMoreInFolder || !m_dropped.empty(); ++step) {
        if (!TimeLeft(step, until))
            return false;
        if (m_bMoreInFolder) {
            m_bMoreInFolder = m_folderSearch.FindNextFile() != FALSE;
            // The pattern alone would also match names whose short form ends in .TXT.
            if (!m_folderSearch.IsDirectory() && EndsWithTxt(m_folderSearch.GetFileName()))
                Found(m_strFolder + m_folderSearch.GetFileName());
            continue;
        }
        const CString path = m_dropped.front();
        m_dropped.pop_front();
        const DWORD attributes = ::GetFileAttributesA(path.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue;
        if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            Found(path);
            continue;
        }
        m_strFolder = path.back() == '\\' ? path : path + "\\";  // a drive's root ends in one
        m_bMoreInFolder = m_folderSearch.FindFile((m_strFolder + "*.txt").c_str()) != FALSE;
    }
    return true;
}

// Each waiting file goes after the entries that come before it or equal it. The
// place of the first is searched for; the others follow it through the list.
bool CFilesPage::InsertPending(ULONGLONG until)
{
    if (m_nInserted == m_pending.size())
        return true;
    const auto keyAt = [this](int index) { return NaturalOrderKey(std::string_view(m_listFiles.GetText(index))); };
    int count = m_listFiles.GetCount();
    int at = 0;
    for (int last = count; at < last;) {
        const int middle = at + (last - at) / 2;
        if (CompareNaturally(m_pending[m_nInserted].key, keyAt(middle)) < 0)
            last = middle;
        else
            at = middle + 1;
    }
    CClientDC dc(m_listFiles.m_hWnd);
    const HGDIOBJ oldFont = dc.SelectObject(m_listFiles.GetFontHandle());
    m_listFiles.SendMessage(WM_SETREDRAW, FALSE);
    m_listFiles.InitStorage(static_cast<int>(m_pending.size() - m_nInserted), 0);
    std::wstring next = at < count ? keyAt(at) : std::wstring();
    for (size_t step = 0; m_nInserted < m_pending.size() && TimeLeft(step, until); ++step) {
        const ListEntry& entry = m_pending[m_nInserted++];
        while (at < count && CompareNaturally(entry.key, next) >= 0)
            next = ++at < count ? keyAt(at) : std::wstring();
        const int width = static_cast<int>(dc.GetTextExtent(entry.path).cx);
        m_widths.insert(m_widths.begin() + at, width);
        m_listFiles.InsertString(at++, entry.path.c_str());
        ++count;
        m_nWidest = std::max(m_nWidest, width);
    }
    dc.SelectObject(oldFont);
    m_listFiles.SendMessage(WM_SETREDRAW, TRUE);
    m_listFiles.Invalidate();
    ShowScrollWidth();
    if (m_nInserted < m_pending.size())
        return false;
    m_pending.clear();
    m_nInserted = 0;
    return true;
}
