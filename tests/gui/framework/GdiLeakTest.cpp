// Thousands of paints through the window layer and the GDI wrappers leave no
// GDI object behind: every object a paint made is gone when the paint is over
// (an object still selected into a context could not have been deleted), and
// where the system keeps a count of GDI objects, that count stays flat.

#include <gtest/gtest.h>

#include <vector>

#include "CBrush.h"
#include "CFont.h"
#include "CPaintDC.h"
#include "CPen.h"
#include "CStatic.h"
#include "GuiHarness.h"
#include "ScopedSelect.h"

namespace {

class PaintingWindow : public CStatic {
public:
    int m_paints = 0;
    int m_failedCreations = 0;
    std::vector<HGDIOBJ> m_made;  // the objects of the last paint

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CStatic::GetMessageMap(), {
            OnMessage<WM_PAINT>(&PaintingWindow::OnPaint),
            OnMessage<WM_ERASEBKGND>(&PaintingWindow::OnEraseBkgnd),
        });
        return map;
    }

    BOOL OnEraseBkgnd(CDC*) { return TRUE; }

    void OnPaint()
    {
        CPaintDC dc(m_hWnd);
        ++m_paints;
        CBrush brush(RGB(m_paints & 0xFF, 10, 20));
        CPen pen(PS_SOLID, 1, RGB(1, 2, m_paints & 0xFF));
        LOGFONTA face{};
        face.lfHeight = -11;
        lstrcpyA(face.lfFaceName, "MS Sans Serif");
        CFont font;
        if (!brush.GetSafeHandle() || !pen.GetSafeHandle() || !font.CreateFontIndirect(&face)) {
            ++m_failedCreations;
            return;
        }
        m_made = {brush.GetSafeHandle(), pen.GetSafeHandle(), font.GetSafeHandle()};
        ScopedSelect selectBrush(dc, brush);
        ScopedSelect selectPen(dc, pen);
        ScopedSelect selectFont(dc, font);
        dc.Rectangle(0, 0, 20, 20);
        dc.TextOut(2, 2, "x", 1);
    }
};

TEST(GdiObjects, ThousandsOfPaintsLeaveNothingBehind)
{
    PaintingWindow window;
    ASSERT_TRUE(window.CreateEx(0, "STATIC", "", WS_POPUP | WS_VISIBLE, CRect(600, 600, 640, 640),
                                nullptr, 0));
    const DWORD before = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    constexpr int kPaints = 5000;
    int survivors = 0;
    for (int i = 0; i < kPaints; ++i) {
        window.m_made.clear();
        window.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        ASSERT_EQ(3u, window.m_made.size()) << "paint " << i;
        for (HGDIOBJ made : window.m_made)
            survivors += ::GetObjectType(made) != 0;
    }
    EXPECT_EQ(0, survivors);
    EXPECT_EQ(kPaints, window.m_paints);
    EXPECT_EQ(0, window.m_failedCreations);
    const DWORD after = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS);
    EXPECT_LE(after, before + 2);  // where the system counts, the count is flat too
    // And creation still works afterwards.
    CBrush probe(RGB(1, 2, 3));
    EXPECT_NE(nullptr, probe.GetSafeHandle());
}

}  // namespace
