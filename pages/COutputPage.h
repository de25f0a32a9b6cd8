#pragma once

// Step 3 of the wizard: where the pages go (typed, or chosen with BROWSE), their
// base name and first number, whether index.htm gets a link per page, and the
// home link every page carries.

#include "CDialog.h"
#include "CImageButton.h"
#include "CLinkLabel.h"

class COutputPage : public CDialog {
public:
    explicit COutputPage(CWnd* parent = nullptr);

    // Copies the controls' contents into the values below, in the order output
    // name, output path, start number, index option, home title, home url,
    // replace option.
    // FALSE when the start number box holds no integer: the user has been told,
    // the box has the focus with its text selected, and the values after the
    // output path keep what they held before.
    BOOL CollectValues();

    // The page's values, under the names the conversion job uses.
    CString outputName;
    CString outputPath;
    int startNumber = 0;
    int createIndex = 0;  // the check box: 0 or 1
    CString homeTitle;
    CString homeUrl;
    // Existing pages are replaced with no question: the check box below the home
    // link, 0 or 1; collected with the others.
    int replaceExisting = 0;

    // The link to `page`, what a finished run made, shown until withdrawn.
    void OfferResult(const CString& page);
    void WithdrawResult();

protected:
    const MessageMap& GetMessageMap() const override;
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // A page inside the wizard is never closed: Enter and Escape change nothing
    // (otherwise they would hide the page and leave the wizard empty).
    void OnOK() override {}
    void OnCancel() override {}

    void OnBrowse();
    void OnIndexOptionClicked();

    CImageButton m_btnBrowse;
    CLinkLabel m_linkResult;
};
