#pragma once

// Drives the system's folder browser the way a user does: it waits for the browser
// of this thread to come up, opens the tree along a folder's path (drive, then one
// folder after the other), selects the folder and presses OK -- or presses Cancel.
// Like the harness's other drivers it works from a thread timer that ticks inside
// the browser's own modal loop.

#include <windows.h>

#include <string>
#include <vector>

struct SeenFolderBrowser {
    std::string caption;
    std::string title;         // the text above the tree
    HWND owner = nullptr;
    bool ownerDisabled = false;  // the owner waited for the answer
    bool okEnabledAtChoice = false;
    bool found = false;        // the folder was reached in the tree
};

class FolderBrowserDriver {
public:
    FolderBrowserDriver();
    ~FolderBrowserDriver();
    FolderBrowserDriver(const FolderBrowserDriver&) = delete;
    FolderBrowserDriver& operator=(const FolderBrowserDriver&) = delete;

    // For the next browser: select `folder` (a full path such as C:\a\b) and press
    // OK. When the folder cannot be reached the browser is cancelled instead.
    void Choose(const std::string& folder);
    void Cancel();

    const std::vector<SeenFolderBrowser>& Seen() const { return m_seen; }
    size_t Pending() const { return m_scripts.size(); }

private:
    struct Script {
        bool cancel = false;
        std::string folder;
    };
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    UINT_PTR m_timer = 0;
    std::vector<Script> m_scripts;
    std::vector<SeenFolderBrowser> m_seen;
};
