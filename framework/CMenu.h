#pragma once

#include <windows.h>

#include <string>

#include "CObject.h"

// A menu handle and the object that stands for it. A handle map links them:
// an object that attached a handle is its permanent wrapper; FromHandle makes a
// temporary plain wrapper for handles nobody attached (kept until DeleteTempMap).
// The permanent wrapper owns its menu and destroys it with itself.
class CMenu : public CObject {
    DECLARE_DYNAMIC(CMenu)
public:
    HMENU m_hMenu = nullptr;

    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    // The permanent wrapper of `menu`, else a temporary one; null for a null handle.
    static CMenu* FromHandle(HMENU menu);
    // The permanent wrapper of `menu`, or null.
    static CMenu* FromHandlePermanent(HMENU menu);
    // Frees the temporary wrappers (their menus are left alone). Call it when no
    // pointer returned by FromHandle is in use any more, e.g. when the message
    // loop is idle.
    static void DeleteTempMap();

    // Makes this object the permanent wrapper of `menu`. Fails when this object
    // already holds a menu or `menu` has a permanent wrapper.
    BOOL Attach(HMENU menu);
    // Hands the menu back to the caller and leaves the handle map.
    HMENU Detach();

    HMENU GetSafeHmenu() const { return m_hMenu; }
    operator HMENU() const { return GetSafeHmenu(); }

    BOOL CreateMenu();
    BOOL CreatePopupMenu();
    virtual BOOL LoadMenu(LPCSTR resourceName);
    virtual BOOL LoadMenu(UINT resourceId);
    // Destroys the menu (and, as the system does, its popups). FALSE without a menu.
    virtual BOOL DestroyMenu();

    // Owner-drawn items of this menu; the framework routes WM_DRAWITEM and
    // WM_MEASUREITEM with ODT_MENU here. The plain menu draws nothing.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT measureItem);

    BOOL AppendMenu(UINT flags, UINT_PTR id = 0, LPCSTR item = nullptr);
    BOOL DeleteMenu(UINT position, UINT flags);

    int GetMenuItemCount() const;
    UINT GetMenuItemID(int position) const;
    UINT GetMenuState(UINT item, UINT flags) const;
    int GetMenuString(UINT item, LPSTR buffer, int bufferSize, UINT flags) const;
    std::string GetMenuString(UINT item, UINT flags) const;
    CMenu* GetSubMenu(int position) const;

    // The chosen command with TPM_RETURNCMD, else success.
    BOOL TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect = nullptr) const;
};
