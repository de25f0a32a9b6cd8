#include "CGdiObject.h"

#include <utility>

IMPLEMENT_DYNAMIC(CGdiObject, CObject)

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept
    : CObject(other), m_hObject(std::exchange(other.m_hObject, nullptr))
{
}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept
{
    if (this != &other) {
        DeleteObject();
        m_hObject = std::exchange(other.m_hObject, nullptr);
    }
    return *this;
}

BOOL CGdiObject::Attach(HGDIOBJ handle)
{
    if (handle == nullptr || m_hObject != nullptr)
        return FALSE;
    m_hObject = handle;
    return TRUE;
}

BOOL CGdiObject::AttachCreated(HGDIOBJ handle)
{
    if (Attach(handle))
        return TRUE;
    if (handle != nullptr)
        ::DeleteObject(handle);
    return FALSE;
}

HGDIOBJ CGdiObject::Detach()
{
    return std::exchange(m_hObject, nullptr);
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int size, void* buffer) const
{
    return m_hObject != nullptr ? ::GetObjectA(m_hObject, size, buffer) : 0;
}
