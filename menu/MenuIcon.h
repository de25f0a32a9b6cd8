#pragma once

#include <windows.h>

#include <utility>

// Owner of one icon handle taken from an image list: destroyed with the object.
class MenuIcon {
public:
    explicit MenuIcon(HICON icon = nullptr) : m_icon(icon) {}
    ~MenuIcon()
    {
        if (m_icon != nullptr)
            ::DestroyIcon(m_icon);
    }
    MenuIcon(MenuIcon&& other) noexcept : m_icon(std::exchange(other.m_icon, nullptr)) {}
    MenuIcon& operator=(MenuIcon&& other) noexcept
    {
        std::swap(m_icon, other.m_icon);
        return *this;
    }
    MenuIcon(const MenuIcon&) = delete;
    MenuIcon& operator=(const MenuIcon&) = delete;

    HICON Get() const { return m_icon; }
    explicit operator bool() const { return m_icon != nullptr; }

private:
    HICON m_icon;
};
