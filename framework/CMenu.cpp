#include "CMenu.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "ResourceLookup.h"

IMPLEMENT_DYNAMIC(CMenu, CObject)

namespace {

std::unordered_map<HMENU, CMenu*>& PermanentMap()
{
    static std::unordered_map<HMENU, CMenu*> map;
    return map;
}

std::unordered_map<HMENU, std::unique_ptr<CMenu>>& TemporaryMap()
{
    static std::unordered_map<HMENU, std::unique_ptr<CMenu>> map;
    return map;
}

}  // namespace

CMenu::~CMenu()
{
    // Qualified: a derived class has already done its own clean-up.
    CMenu::DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    if (menu == nullptr)
        return nullptr;
    if (CMenu* permanent = FromHandlePermanent(menu))
        return permanent;
    auto& temporary = TemporaryMap()[menu];
    if (!temporary) {
        temporary = std::make_unique<CMenu>();
        temporary->m_hMenu = menu;
    }
    return temporary.get();
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    auto& map = PermanentMap();
    auto found = map.find(menu);
    return found != map.end() ? found->second : nullptr;
}

void CMenu::DeleteTempMap()
{
    auto& map = TemporaryMap();
    // A temporary wrapper never owns its menu.
    for (auto& entry : map)
        entry.second->m_hMenu = nullptr;
    map.clear();
}

BOOL CMenu::Attach(HMENU menu)
{
    if (menu == nullptr || m_hMenu != nullptr || FromHandlePermanent(menu) != nullptr)
        return FALSE;
    m_hMenu = menu;
    PermanentMap()[menu] = this;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    if (menu == nullptr)
        return nullptr;
    auto& map = PermanentMap();
    auto found = map.find(menu);
    if (found != map.end() && found->second == this)
        map.erase(found);
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::CreateMenu()
{
    HMENU menu = ::CreateMenu();
    if (Attach(menu))
        return TRUE;
    if (menu != nullptr)
        ::DestroyMenu(menu);
    return FALSE;
}

BOOL CMenu::CreatePopupMenu()
{
    HMENU menu = ::CreatePopupMenu();
    if (Attach(menu))
        return TRUE;
    if (menu != nullptr)
        ::DestroyMenu(menu);
    return FALSE;
}

BOOL CMenu::LoadMenu(LPCSTR resourceName)
{
    HMENU menu = ::LoadMenuA(AfxFindResourceHandle(resourceName, RT_MENU), resourceName);
    if (Attach(menu))
        return TRUE;
    if (menu != nullptr)
        ::DestroyMenu(menu);
    return FALSE;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId & 0xFFFF));
}

BOOL CMenu::DestroyMenu()
{
    if (m_hMenu == nullptr)
        return FALSE;
    return ::DestroyMenu(Detach());
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}
void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

BOOL CMenu::AppendMenu(UINT flags, UINT_PTR id, LPCSTR item)
{
    return ::AppendMenuA(m_hMenu, flags, id, item);
}

BOOL CMenu::DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
int CMenu::GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
UINT CMenu::GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }

UINT CMenu::GetMenuState(UINT item, UINT flags) const
{
    return ::GetMenuState(m_hMenu, item, flags);
}

int CMenu::GetMenuString(UINT item, LPSTR buffer, int bufferSize, UINT flags) const
{
    return ::GetMenuStringA(m_hMenu, item, buffer, bufferSize, flags);
}

std::string CMenu::GetMenuString(UINT item, UINT flags) const
{
    int length = ::GetMenuStringA(m_hMenu, item, nullptr, 0, flags);
    if (length <= 0)
        return std::string();
    std::vector<char> buffer(static_cast<size_t>(length) + 1);
    length = ::GetMenuStringA(m_hMenu, item, buffer.data(), static_cast<int>(buffer.size()), flags);
    return std::string(buffer.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

CMenu* CMenu::GetSubMenu(int position) const
{
    return FromHandle(::GetSubMenu(m_hMenu, position));
}


BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, HWND owner, const RECT* rect) const
{
    return ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner, rect);
}
