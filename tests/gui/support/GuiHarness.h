#pragma once

// Shared harness for the window tests that run under Wine. Everything here works
// on real windows of the test's own thread, with real messages. Message boxes are
// found by a thread timer that ticks inside their modal loops; production code
// carries no test switches.

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace gui {

void FlushEvents();  // every pending message, X events included
// False if `condition` never held; the limit only turns a hang into a failure.
bool PumpUntil(const std::function<bool()>& condition, DWORD limitMs = 10000);

// ---- message log ----------------------------------------------------------------
class MessageLog {
public:
    void Add(std::string entry) { m_entries.push_back(std::move(entry)); }
    void Clear() { m_entries.clear(); }
    ::testing::AssertionResult Matches(const std::vector<std::string>& expected) const;

private:
    std::vector<std::string> m_entries;
};

// ---- pixels -------------------------------------------------------------------------
class DibCanvas {
public:
    DibCanvas(int width, int height);
    ~DibCanvas();
    DibCanvas(const DibCanvas&) = delete;
    DibCanvas& operator=(const DibCanvas&) = delete;

    HDC Dc() const { return m_dc; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void Fill(COLORREF colour);
    // The window with its frame and children, as it paints itself (WM_PRINT).
    void PrintWindow(HWND hwnd);
    // What `hwnd`'s client area shows on the screen, at (0, y) of this canvas.
    void CopyShown(HWND hwnd, int y = 0);
    // All of `from` at (0, y): a sheet of drawings, one under the other.
    void Paste(const DibCanvas& from, int y) { ::BitBlt(m_dc, 0, y, from.m_width, from.m_height, from.m_dc, 0, 0, SRCCOPY); }
    COLORREF Pixel(int x, int y) const;
    // Every pixel against a reference picture: the test's RCDATA resource `name`, a .bmp file
    // as this writes it. Any difference (or no reference) writes the canvas to `name`.bmp in
    // the working folder, to be looked at and, when right, to become the reference.
    ::testing::AssertionResult MatchesPicture(const char* name) const;

private:
    int m_width;
    int m_height;
    HDC m_dc = nullptr;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_oldBitmap = nullptr;
    DWORD* m_bits = nullptr;
};

// ---- message boxes -----------------------------------------------------------------
struct SeenBox {
    std::string caption;
    std::string text;
    std::vector<int> buttons;  // ids (IDOK, IDYES...) in window order
    bool hasIcon = false;
};

class MessageBoxAnswerer {
public:
    MessageBoxAnswerer();
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    void Answer(int buttonId) { m_answers.push_back(buttonId); }
    const std::vector<SeenBox>& Seen() const { return m_seen; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void Look();

    UINT_PTR m_timer = 0;
    std::vector<int> m_answers;
    std::vector<SeenBox> m_seen;
};

// ---- real input ---------------------------------------------------------------------------
// Brings the top-level window of `hwnd` to the front and clicks at `client`
// (client coordinates of hwnd) with the left button.
void ClickAt(HWND hwnd, POINT client);

// ---- dialog templates in memory ---------------------------------------------------------
class DialogTemplate {
public:
    // Size in dialog units; font "MS Sans Serif" 8.
    DialogTemplate(DWORD style, short cx, short cy, const char* caption = "");
    DialogTemplate& Add(const char* className, const char* text, WORD id, DWORD style, short x,
                        short y, short cx, short cy, DWORD exStyle = 0);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(m_data.data()); }

private:
    static constexpr size_t kCountAt = 4;
    void Word(WORD w) { m_data.push_back(w); }
    void Text(const char* s);
    std::vector<WORD> m_data;
    WORD m_count = 0;
};

// ---- windows -----------------------------------------------------------------------------
std::string WindowText(HWND hwnd);
std::string ClassName(HWND hwnd);

// System colours set for a scope and put back as they were found.
class ScopedSysColours {
public:
    explicit ScopedSysColours(const std::vector<std::pair<int, COLORREF>>& colours)
    {
        for (const auto& [index, colour] : colours)
            m_indices.push_back(index), m_saved.push_back(::GetSysColor(index)), m_values.push_back(colour);
        ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_values.data());
    }
    ~ScopedSysColours() { ::SetSysColors(static_cast<int>(m_indices.size()), m_indices.data(), m_saved.data()); }
private:
    std::vector<int> m_indices;
    std::vector<COLORREF> m_saved, m_values;
};

}  // namespace gui
