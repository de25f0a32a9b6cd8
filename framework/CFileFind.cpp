#include "CFileFind.h"

BOOL CFileFind::FindFile(LPCSTR pattern)
{
    Close();
    m_hSearch = ::FindFirstFileA(pattern, &m_next);
    m_bHasNext = m_hSearch != INVALID_HANDLE_VALUE;
    return m_bHasNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_bHasNext)
        return FALSE;
    m_found = m_next;
    m_bHasNext = ::FindNextFileA(m_hSearch, &m_next) != FALSE;
    if (!m_bHasNext) {
        ::FindClose(m_hSearch);
        m_hSearch = INVALID_HANDLE_VALUE;
    }
    return m_bHasNext;
}

void CFileFind::Close()
{
    if (m_hSearch != INVALID_HANDLE_VALUE)
        ::FindClose(m_hSearch);
    m_hSearch = INVALID_HANDLE_VALUE;
    m_bHasNext = false;
}
