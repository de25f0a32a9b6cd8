#pragma once

#include "CDialog.h"
#include "CTabCtrl.h"

// A tab control drawn as a row of buttons that hosts up to kMaxPages child
// dialogs (pages): one button per page, all pages in one rectangle below the
// buttons, one shown at a time. A left click on a button brings its page to
// the front; the owner hears TCN_SELCHANGE as usual. The pages belong to the
// caller; their windows are children of this control and go with it.
class CStepTabCtrl : public CTabCtrl {
public:
    static constexpr int kMaxPages = 16;

    CStepTabCtrl();
    ~CStepTabCtrl() override;

    // Adds a page before CreatePages. `name` is kept, not copied: it must live as
    // long as the control. FALSE when kMaxPages are held already.
    BOOL AddPage(LPCSTR name, CDialog* page, UINT templateId);
    // Creates the pages' windows and buttons, shows page 0, lays the pages out.
    void CreatePages();
    // Puts every page into the rectangle below button 0; only page 0 shown.
    void PositionPages();
    // Selects button `index` and shows its page alone; any other index changes nothing.
    void ShowPage(int index);
    // The window of page `index`, or null.
    HWND GetPage(int index) const;

protected:
    const MessageMap& GetMessageMap() const override;
    void OnLButtonDown(UINT flags, CPoint point);

    LPCSTR m_pageNames[kMaxPages] = {};
    UINT m_pageTemplateIds[kMaxPages] = {};
    CDialog* m_pages[kMaxPages] = {};
    int m_nPageCount = 0;
    int m_nCurrentPage = 0;
};
