#pragma once

// A small top-level dialog that hosts a step control the way the wizard does:
// the tab control (id 1000, drawn as buttons) at the wizard's place and size,
// bound by data exchange, with TCN_SELCHANGE logged.

#include <string>

#include "CDialog.h"
#include "CDataExchange.h"
#include "CStepTabCtrl.h"
#include "GuiHarness.h"

constexpr int kStepsId = 1000;

class StepHost : public CDialog {
public:
    StepHost()
        : m_template(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 273, 236, "tessiva")
    {
        m_template.Add(WC_TABCONTROLA, "Tab1", kStepsId, TCS_BUTTONS, 10, 55, 253, 142);
        m_template.Add("BUTTON", "START", 1018, BS_PUSHBUTTON | WS_TABSTOP, 207, 209, 45, 18);
    }

    // Creates the host at the screen's top-left corner, with `pages` added in order.
    bool Open()
    {
        if (!CreateIndirect(m_template.Get(), nullptr))
            return false;
        SetWindowPos(HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        gui::FlushEvents();
        return true;
    }

    CStepTabCtrl m_tabSteps;
    gui::MessageLog m_log;
    // Which page windows were visible when TCN_SELCHANGE arrived ("010").
    std::string m_visibleAtSelChange;
    CDialog* m_watched[3] = {};

protected:
    const MessageMap& GetMessageMap() const override
    {
        static const MessageMap map(CDialog::GetMessageMap(), {
            OnNotify(TCN_SELCHANGE, kStepsId, &StepHost::OnSelchangeSteps),
        });
        return map;
    }

    void DoDataExchange(CDataExchange* dx) override
    {
        CDialog::DoDataExchange(dx);
        DDX_Control(dx, kStepsId, m_tabSteps);
    }

    void OnSelchangeSteps(NMHDR*, LRESULT* result)
    {
        m_log.Add("TCN_SELCHANGE " + std::to_string(m_tabSteps.GetCurFocus()));
        m_visibleAtSelChange.clear();
        for (CDialog* page : m_watched)
            if (page)
                m_visibleAtSelChange += page->m_hWnd && page->IsWindowVisible() ? '1' : '0';
        *result = 0;
    }

    // Keys never close the host; the tests close it by destroying it.
    void OnOK() override {}
    void OnCancel() override {}

private:
    gui::DialogTemplate m_template;
};
