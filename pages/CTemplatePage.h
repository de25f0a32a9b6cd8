#pragma once

// Step 2 of the wizard: which HTML template the pages are made from, the
// keywords and description its "$keyword" and "$description" receive, and the
// character set of texts that are not UTF-8. VIEW opens the chosen template for
// a look.

#include "CAccessibleName.h"
#include "CDialog.h"
#include "CImageButton.h"

class CTemplatePage : public CDialog {
public:
    explicit CTemplatePage(CWnd* parent = nullptr);

    // Copies the controls' contents into the values below. Nothing here is
    // checked, so it answers TRUE; it answers like the output page's for callers
    // that collect every page alike.
    BOOL CollectValues();

    // The page's values, under the names the conversion job uses. They are shown
    // once, when the page is created; afterwards the controls are only read.
    CString templateName = "templet1.htm";  // relative to the program folder
    CString description;
    CString keywords;
    // Older texts' character set: the drop-down lists the system's first, then
    // every other one the run knows, by the names pages declare them with.
    CString legacyCharset;

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // A page inside the wizard is never closed: Enter and Escape change nothing
    // (otherwise they would hide the page and leave the wizard empty).
    void OnOK() override {}
    void OnCancel() override {}

    void OnView();

    CImageButton m_btnView;
    CAccessibleName m_nameTemplate;  // the system finds no label for a combo box
    CAccessibleName m_nameCharset;
};
