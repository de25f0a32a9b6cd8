#pragma once

// A dialog from a template: modal, with its own message loop, or modeless (the
// wizard's pages, children of another window). The loop offers every message to
// PreTranslateMessage up the parent chain before the dialog manager sees it, so
// controls such as tooltips get their relayed mouse messages.

#include "CWnd.h"

class CDialog : public CWnd {
    DECLARE_DYNAMIC(CDialog)
public:
    CDialog();
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    // Modal: runs until EndDialog, answers its argument (IDOK, IDCANCEL...);
    // -1 when the dialog could not be created.
    virtual INT_PTR DoModal();
    // Modeless, from template `templateId` (or the constructor's), as a child or
    // owned window of `parent`.
    BOOL Create(UINT templateId, CWnd* parent = nullptr);
    // Modeless, from a template in memory.
    BOOL CreateIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);
    // Makes DoModal use a template in memory.
    void InitModalIndirect(const DLGTEMPLATE* dialogTemplate, CWnd* parent = nullptr);

    // Ends a modal run with `result`; a modeless dialog is hidden, as the system does.
    void EndDialog(INT_PTR result);

    virtual BOOL OnInitDialog();
    BOOL PreTranslateMessage(MSG* msg) override;


protected:
    // Enter, and OK buttons: collect the values, then end with IDOK.
    virtual void OnOK();
    // Escape, the close box, and Cancel buttons: end with IDCANCEL.
    virtual void OnCancel();

    const MessageMap& GetMessageMap() const override;

    UINT m_nIDTemplate = 0;
    CWnd* m_pParentWnd = nullptr;

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam,
                                       LPARAM lParam) noexcept;
    BOOL CreateFromTemplate(HWND parent);
    void RunModalLoop();
    static void CenterOverOwner(HWND hwnd);
    HWND ModalOwner() const;

    const DLGTEMPLATE* m_lpDialogTemplate = nullptr;
    bool m_bModalLoopRunning = false;
    INT_PTR m_nModalResult = -1;
};
