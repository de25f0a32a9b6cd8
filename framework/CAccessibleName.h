#pragma once

// What a screen reader hears for a control whose own text says nothing (a list,
// a picture, a bare number, a bar): the control answers WM_GETOBJECT with the
// system's standard object for it, under the name given here. Role, state,
// value, children and location stay the system's. The name is asked for each
// time a reader asks, so it can follow what the control shows. A control whose
// label the system does not find (a combo box) is given its access key too.

#include <windows.h>

#include <functional>
#include <string>

class CAccessibleName {
public:
    using NameSource = std::function<std::wstring()>;

    CAccessibleName() = default;
    ~CAccessibleName();
    CAccessibleName(const CAccessibleName&) = delete;
    CAccessibleName& operator=(const CAccessibleName&) = delete;

    // From now on `window` is named by `source` (and its keyboard shortcut is
    // `shortcut`, such as "Alt+T", when given); FALSE when it cannot be.
    BOOL Attach(HWND window, NameSource source, std::wstring shortcut = {});

private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR self);
    void Detach();

    HWND m_hWnd = nullptr;
    NameSource m_source;
    std::wstring m_shortcut;
};
