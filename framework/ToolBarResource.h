#pragma once

#include <windows.h>

#include <vector>

#ifndef RT_TOOLBAR
#define RT_TOOLBAR MAKEINTRESOURCE(241)
#endif

// The button layout of a toolbar resource (RT_TOOLBAR): a version word (1), the
// button width and height, the item count and one command id per item, 0 for a
// separator. Images are numbered over the buttons only, separators take none.
class ToolBarResource {
public:
    BOOL Load(HINSTANCE module, LPCSTR name);
    // Searches the module that holds the resource; the low 16 bits are the id.
    BOOL Load(UINT_PTR id);

    int GetButtonCount() const { return static_cast<int>(m_ids.size()); }
    // Item index of command `id`, or -1.
    int CommandToIndex(UINT id) const;
    // Image number of item `index`; -1 for a separator or an index out of range.
    int GetButtonImage(int index) const;

private:
    SIZE m_size{0, 0};
    std::vector<WORD> m_ids;
};
