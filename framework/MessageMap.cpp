#include "MessageMap.h"

#include "CMenu.h"
#include "CWnd.h"

const MessageEntry* MessageMap::Find(MessageKind kind, UINT message, UINT code, UINT id) const
{
    for (const MessageMap* map = this; map; map = map->m_base) {
        for (const MessageEntry& e : map->m_entries) {
            if (e.kind != kind)
                continue;
            switch (kind) {
            case MessageKind::Message:
            case MessageKind::ReflectedMessage:
                if (e.message == message)
                    return &e;
                break;
            case MessageKind::Command:
            case MessageKind::Notify:
                if (e.code == code && e.id == id)
                    return &e;
                break;
            case MessageKind::ReflectedCommand:
            case MessageKind::ReflectedNotify:
                if (e.code == code)
                    return &e;
                break;
            }
        }
    }
    return nullptr;
}

namespace afx_detail {

CWnd* WndFromHandle(HWND hwnd)
{
    return CWnd::FromHandle(hwnd);
}

CMenu* MenuFromHandle(HMENU menu)
{
    return CMenu::FromHandle(menu);
}

UINT CtlColorType()
{
    const MSG* msg = CWnd::GetCurrentMessage();
    if (msg && msg->message >= WM_CTLCOLORMSGBOX && msg->message <= WM_CTLCOLORSTATIC)
        return msg->message - WM_CTLCOLORMSGBOX;
    return CTLCOLOR_STATIC;
}

}  // namespace afx_detail
