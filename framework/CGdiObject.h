#pragma once

#include <windows.h>

#include "CObject.h"

// Owner of one GDI object handle: deleted when the wrapper goes, moved but never
// copied, so every handle has exactly one owner.
class CGdiObject : public CObject {
    DECLARE_DYNAMIC(CGdiObject)
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    // Takes ownership of `handle`; fails when this wrapper already holds one.
    BOOL Attach(HGDIOBJ handle);
    // Takes a freshly created object, or deletes it when this wrapper already
    // holds one, so a failed Create never leaks.
    BOOL AttachCreated(HGDIOBJ handle);
    // Gives ownership back to the caller.
    HGDIOBJ Detach();
    BOOL DeleteObject();

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    int GetObject(int size, void* buffer) const;
};
