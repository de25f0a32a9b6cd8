#include "ToolBarResource.h"

#include "ResourceLookup.h"

namespace {
constexpr WORD toolBarVersion = 1;
constexpr DWORD headerWords = 4;
}  // namespace

BOOL ToolBarResource::Load(HINSTANCE module, LPCSTR name)
{
    m_ids.clear();
    m_size = SIZE{0, 0};
    HRSRC found = ::FindResourceA(module, name, RT_TOOLBAR);
    if (found == nullptr)
        return FALSE;
    HGLOBAL loaded = ::LoadResource(module, found);
    const auto* words = static_cast<const WORD*>(loaded != nullptr ? ::LockResource(loaded) : nullptr);
    const DWORD bytes = ::SizeofResource(module, found);
    // The count comes from the file: never read beyond what the resource holds.
    if (words == nullptr || bytes < headerWords * sizeof(WORD) || words[0] != toolBarVersion)
        return FALSE;
    const DWORD count = words[3];
    if (bytes < (headerWords + count) * sizeof(WORD))
        return FALSE;
    m_size = SIZE{words[1], words[2]};
    m_ids.assign(words + headerWords, words + headerWords + count);
    return TRUE;
}

BOOL ToolBarResource::Load(UINT_PTR id)
{
    LPCSTR name = MAKEINTRESOURCEA(id & 0xFFFF);
    return Load(AfxFindResourceHandle(name, RT_TOOLBAR), name);
}

int ToolBarResource::CommandToIndex(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i) {
        if (m_ids[i] == id)
            return static_cast<int>(i);
    }
    return -1;
}

int ToolBarResource::GetButtonImage(int index) const
{
    if (index < 0 || index >= GetButtonCount() || m_ids[static_cast<size_t>(index)] == 0)
        return -1;
    int image = 0;
    for (int i = 0; i < index; ++i) {
        if (m_ids[static_cast<size_t>(i)] != 0)
            ++image;
    }
    return image;
}
