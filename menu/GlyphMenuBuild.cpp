// Building a GlyphMenu (item by item or from a menu resource) and keeping its
// records in step with the live menu.
#include "GlyphMenu.h"

#include <algorithm>
#include <cstring>

#include "CClientDC.h"
#include "ResourceLookup.h"
#include "ScopedSelect.h"

namespace {

constexpr UINT separatorFlags = MF_SEPARATOR | MF_OWNERDRAW;     // 0x900
constexpr UINT plainPopupTitle = MF_BYPOSITION | MF_POPUP;       // 0x410
constexpr UINT plainTextItem = MF_BYPOSITION | MF_STRING;        // 0x400
constexpr UINT ownerDrawnByPosition = MF_BYPOSITION | MF_OWNERDRAW;  // 0x500
constexpr int menuStringBuffer = 256;

LPCSTR AsItemData(GlyphMenuItem* record)
{
    return reinterpret_cast<LPCSTR>(record);
}

std::string LiveItemText(HMENU menu, int position)
{
    char text[menuStringBuffer] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, menuStringBuffer, MF_BYPOSITION);
    return text;
}

// Reads a standard menu template without ever stepping past its end.
class MenuTemplateReader {
public:
    MenuTemplateReader(const BYTE* data, DWORD size) : m_at(data), m_end(data + size) {}

    bool ReadWord(WORD& value)
    {
        if (m_end - m_at < 2)
            return false;
        std::memcpy(&value, m_at, sizeof value);
        m_at += 2;
        return true;
    }

    bool Skip(size_t bytes)
    {
        if (static_cast<size_t>(m_end - m_at) < bytes)
            return false;
        m_at += bytes;
        return true;
    }

    // A NUL-terminated UTF-16 text; fails when the terminator is missing.
    bool ReadText(std::wstring& text)
    {
        text.clear();
        WORD unit = 0;
        while (ReadWord(unit)) {
            if (unit == 0)
                return true;
            text.push_back(static_cast<wchar_t>(unit));
        }
        return false;
    }

private:
    const BYTE* m_at;
    const BYTE* m_end;
};

struct MenuResource {
    const BYTE* data = nullptr;
    DWORD size = 0;
};

bool FindMenuResource(LPCSTR name, MenuResource& found)
{
    HINSTANCE module = AfxFindResourceHandle(name, RT_MENU);
    HRSRC resource = ::FindResourceA(module, name, RT_MENU);
    if (resource == nullptr) {
        module = ::GetModuleHandleA(nullptr);
        resource = ::FindResourceA(module, name, RT_MENU);
    }
    if (resource == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(module, resource);
    if (loaded == nullptr)
        return false;
    found.data = static_cast<const BYTE*>(::LockResource(loaded));
    found.size = ::SizeofResource(module, resource);
    return found.data != nullptr;
}

}  // namespace

// ---- Item by item ----

BOOL GlyphMenu::AppendItem(const wchar_t* text, UINT flags, UINT_PTR id, INT_PTR imageSource)
{
    if (id == 0)
        flags = (flags & MF_BYPOSITION) | separatorFlags;
    else
        flags |= MF_OWNERDRAW;

    const bool popup = (flags & MF_POPUP) != 0;
    if (popup) {
        allSubMenus.push_back(reinterpret_cast<HMENU>(id));
        subMenus.push_back(reinterpret_cast<HMENU>(id));
    }

    auto record = std::make_unique<GlyphMenuItem>();
    record->SetWideText(text);
    if (imageSource < 0) {
        record->sharedImageIndex = FindSharedImage(id);
    } else {
        int imageIndex = 0;
        LookupToolbarImage(id, imageSource, imageIndex);
        CImageList cells;
        if (cells.Create(iconWidth, iconHeight, ILC_COLORDDB | ILC_MASK, 1, 1) &&
            AddBitmapImages(&cells, imageSource))
            record->sharedImageIndex = AddSharedImage(&cells, imageIndex, id);
    }
    record->commandId = id;
    record->flags = flags;

    GlyphMenuItem* appended = record.get();
    items.push_back(std::move(record));
    const BOOL result = ::AppendMenuA(m_hMenu, flags, id, AsItemData(appended));
    if (!result) {
        // No item came of it: a record left behind would describe no position.
        items.pop_back();
        if (popup) {
            allSubMenus.pop_back();
            subMenus.pop_back();
        }
    }

    if (isMenuBar)
        PlainPopupTitles();
    return result;
}

std::unique_ptr<GlyphMenuItem> GlyphMenu::ReplaceItemAt(UINT position, UINT flags, UINT_PTR id,
                                                        const char* text)
{
    auto record = std::make_unique<GlyphMenuItem>();
    record->SetText(text);
    record->flags = flags;
    record->commandId = id;
    ::ModifyMenuA(m_hMenu, position, flags | MF_BYPOSITION, id,
                  (flags & MF_OWNERDRAW) ? AsItemData(record.get()) : nullptr);
    return record;
}

// ---- From a menu resource ----

BOOL GlyphMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId & 0xFFFF));
}

BOOL GlyphMenu::LoadMenu(LPCSTR resourceName)
{
    MenuResource resource;
    if (!FindMenuResource(resourceName, resource))
        return FALSE;

    MenuTemplateReader reader(resource.data, resource.size);
    WORD version = 0;
    WORD offset = 0;
    // Only the standard template is understood; reading an extended one as if it
    // were standard would build nonsense, so it is refused like a missing one.
    if (!reader.ReadWord(version) || !reader.ReadWord(offset) || version != 0 ||
        !reader.Skip(offset))
        return FALSE;

    DestroyMenu();
    HMENU root = ::CreateMenu();
    if (!Attach(root)) {
        if (root != nullptr)
            ::DestroyMenu(root);
        return FALSE;
    }

    std::vector<GlyphMenu*> menus{this};
    std::vector<int> levelEnds{0};
    while (!menus.empty()) {
        WORD itemFlags = 0;
        WORD id = 0;
        std::wstring text;
        if (!reader.ReadWord(itemFlags) || (!(itemFlags & MF_POPUP) && !reader.ReadWord(id)) ||
            !reader.ReadText(text))
            break;  // a truncated template ends where its data ends
        const UINT flags = itemFlags & ~static_cast<UINT>(MF_END);

        if (itemFlags & MF_POPUP) {
            if (itemFlags & MF_END)
                levelEnds.back() = 1;
            auto popup = std::make_unique<GlyphMenu>();
            popup->checkedImage = checkedImage;
            popup->checkedSelectedImage = checkedSelectedImage;
            popup->checkImages = checkImages;
            popup->checkImagesShared = TRUE;
            HMENU handle = ::CreatePopupMenu();
            if (!popup->Attach(handle)) {
                if (handle != nullptr)
                    ::DestroyMenu(handle);
                break;
            }
            GlyphMenu* parent = menus.back();
            GlyphMenu* child = popup.get();
            parent->ownedSubMenus.push_back(std::move(popup));
            parent->AppendItem(text.c_str(), flags, reinterpret_cast<UINT_PTR>(handle), -1);
            menus.push_back(child);
            levelEnds.push_back(0);
        } else {
            menus.back()->AppendItem(text.c_str(), flags, id, -1);
            if (itemFlags & MF_END)
                levelEnds.back() = 1;
            while (!menus.empty() && levelEnds.back()) {
                menus.back()->PadAcceleratorColumn();
                menus.pop_back();
                levelEnds.pop_back();
            }
        }
    }

    // The top level becomes a menu bar of plain texts; the popups stay owner-drawn.
    for (int position = 0; position < GetMenuItemCount(); ++position) {
        if (static_cast<size_t>(position) >= items.size())
            break;
        GlyphMenuItem& record = *items[static_cast<size_t>(position)];
        const std::string narrow = record.GetText();
        if (HMENU popup = ::GetSubMenu(m_hMenu, position)) {
            record.flags = plainPopupTitle;
            ::ModifyMenuA(m_hMenu, static_cast<UINT>(position), plainPopupTitle,
                          reinterpret_cast<UINT_PTR>(popup), narrow.c_str());
        } else {
            record.flags = plainTextItem;
            ::ModifyMenuA(m_hMenu, static_cast<UINT>(position), plainTextItem, record.commandId,
                          narrow.c_str());
        }
    }
    isMenuBar = TRUE;
    return TRUE;
}

void GlyphMenu::PadAcceleratorColumn()
{
    CFont font;
    CreateMenuFont(font);
    CClientDC dc(MainWindowOrDesktop());
    ScopedSelect select(dc, font);

    const int count = std::min(GetMenuItemCount(), static_cast<int>(items.size()));
    int widest = -1;
    for (int position = 0; position < count; ++position) {
        const std::string text = items[static_cast<size_t>(position)]->GetText();
        const std::string label = text.substr(0, text.find('\t')) + " ";
        widest = std::max(widest, static_cast<int>(dc.GetTextExtent(label).cx));
    }

    for (int position = 0; position < count; ++position) {
        GlyphMenuItem& record = *items[static_cast<size_t>(position)];
        const std::string text = record.GetText();
        const size_t tab = text.find('\t');
        if (tab == std::string::npos)
            continue;
        std::string label = text.substr(0, tab);
        int width = dc.GetTextExtent(label).cx;
        while (width < widest) {
            label += ' ';
            const int wider = dc.GetTextExtent(label).cx;
            if (wider <= width)
                break;  // a blank without width would never get there
            width = wider;
        }
        record.SetText((label + text.substr(tab)).c_str());
    }
}

// ---- Keeping a menu bar's popup titles plain ----

int GlyphMenu::FirstOwnPosition()
{
    if (!isMenuBar)
        return 0;
    const int count = GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        const std::string text = LiveItemText(m_hMenu, position);
        if (text.empty())
            continue;
        for (size_t record = 0; record < items.size(); ++record) {
            if (items[record]->GetText() == text)
                return position >= static_cast<int>(record) ? position - static_cast<int>(record) : 0;
        }
    }
    return 0;
}

void GlyphMenu::PlainPopupTitles()
{
    const int offset = FirstOwnPosition();
    for (int i = 0; offset + i < GetMenuItemCount(); ++i) {
        const int position = offset + i;
        HMENU popup = ::GetSubMenu(m_hMenu, position);
        if (static_cast<size_t>(i) >= items.size() || popup == nullptr)
            continue;
        GlyphMenuItem& record = *items[static_cast<size_t>(i)];
        record.flags = plainPopupTitle;
        ::ModifyMenuA(m_hMenu, static_cast<UINT>(position), plainPopupTitle,
                      reinterpret_cast<UINT_PTR>(popup), record.GetText().c_str());
    }
}

// ---- Synchronisation ----

void GlyphMenu::SyncWithHandle()
{
    for (auto& record : items)
        record->syncMark = FALSE;

    // Takes the first unmatched record with this command id out of `items`.
    auto take = [this](UINT_PTR id) -> std::unique_ptr<GlyphMenuItem> {
        for (auto& record : items) {
            if (record && !record->syncMark && record->commandId == id) {
                record->syncMark = TRUE;
                return std::move(record);
            }
        }
        return nullptr;
    };

    std::vector<std::unique_ptr<GlyphMenuItem>> synced;
    for (int position = 0; position < GetMenuItemCount(); ++position) {
        const UINT at = static_cast<UINT>(position);
        const UINT state = ::GetMenuState(m_hMenu, at, MF_BYPOSITION);
        std::unique_ptr<GlyphMenuItem> record;

        if (state & MF_POPUP) {
            const auto popup = reinterpret_cast<UINT_PTR>(::GetSubMenu(m_hMenu, position));
            record = take(popup);
            const std::string text = LiveItemText(m_hMenu, position);
            // The mask keeps the low flags only: for a popup the high byte of
            // the state is its item count.
            if (!record)
                record = ReplaceItemAt(at, (state & 0xEF) | MF_POPUP | ownerDrawnByPosition,
                                       popup, text.c_str());
            else if (!text.empty())
                record->SetText(text.c_str());
        } else if (state & MF_SEPARATOR) {
            record = take(0);
            if (record)
                ::ModifyMenuA(m_hMenu, at, record->flags | MF_BYPOSITION, 0, AsItemData(record.get()));
            else
                record = ReplaceItemAt(at, state | MF_SEPARATOR | ownerDrawnByPosition, 0, "");
        } else {
            const UINT id = ::GetMenuItemID(m_hMenu, position);
            record = take(id);
            const std::string text = LiveItemText(m_hMenu, position);
            const UINT flags = state | ownerDrawnByPosition;
            if (record) {
                record->flags = flags;
                if (!text.empty())
                    record->SetText(text.c_str());
                ::ModifyMenuA(m_hMenu, at, flags, id, AsItemData(record.get()));
            } else {
                record = ReplaceItemAt(at, flags, id, text.c_str());
            }
        }
        synced.push_back(std::move(record));
    }
    // Records no live item matched go with the old list.
    items = std::move(synced);
}
