#pragma once

// Root of the class layer. Carries run-time class information so that code
// holding a base pointer (a menu found through its handle, say) can ask what it
// really is without RTTI.

struct CRuntimeClass {
    const char* m_lpszClassName;
    const CRuntimeClass* m_pBaseClass;

    // True when this class is `base` or derives from it.
    bool IsDerivedFrom(const CRuntimeClass* base) const;
};

class CObject {
public:
    static const CRuntimeClass classCObject;

    virtual ~CObject() = default;
    virtual const CRuntimeClass* GetRuntimeClass() const;
    bool IsKindOf(const CRuntimeClass* cls) const;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

#define RUNTIME_CLASS(cls) (&cls::class##cls)

// In the class body (it opens a public section).
#define DECLARE_DYNAMIC(cls)                                   \
public:                                                        \
    static const CRuntimeClass class##cls;                     \
    const CRuntimeClass* GetRuntimeClass() const override;

// At namespace scope in the class's .cpp. The record is constant-initialised,
// so it is valid even while other static objects are being constructed.
#define IMPLEMENT_DYNAMIC(cls, base)                                            \
    const CRuntimeClass cls::class##cls = {#cls, RUNTIME_CLASS(base)};          \
    const CRuntimeClass* cls::GetRuntimeClass() const { return &cls::class##cls; }
