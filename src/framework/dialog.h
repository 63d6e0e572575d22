// CDialogEx: modal and modeless dialogs from dialog templates, with data exchange.
#pragma once

#include "wnd.h"

#include <string>

// Direction and target of one data exchange pass.
class CDataExchange {
public:
    CDataExchange(CWnd* dialog, bool saveAndValidate)
        : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    CWnd* m_pDlgWnd;
    bool m_bSaveAndValidate;  // true: controls to members; false: members to controls
    bool m_bFailed = false;   // set when a control is missing or its text is not a number

    HWND Control(int id);
};

// Check box or radio button state (BST_UNCHECKED, BST_CHECKED, BST_INDETERMINATE).
void DDX_Check(CDataExchange* dx, int id, int& value);
// Edit or static text.
void DDX_Text(CDataExchange* dx, int id, std::wstring& value);
// Edit text as a signed decimal number; an unreadable text keeps the member and fails the pass.
void DDX_Text(CDataExchange* dx, int id, int& value);
// Attaches a template control to a control object the first time (subclassing it).
void DDX_Control(CDataExchange* dx, int id, CWnd& control);

class CDialogEx : public CWnd {
public:
    explicit CDialogEx(UINT templateId, CWnd* parent = nullptr);
    ~CDialogEx() override;

    // Runs the dialog with its own modal loop; returns the code given to EndDialog, or -1.
    virtual INT_PTR DoModal();
    // Creates the dialog modeless (visible only when its template says so).
    bool Create(UINT templateId = 0, CWnd* parent = nullptr);
    void EndDialog(INT_PTR result);

    bool UpdateData(bool saveAndValidate = true);

    // Keyboard navigation for this dialog (IsDialogMessage) on its input messages.
    bool PreTranslateMessage(MSG* msg) override;

    UINT m_nIDHelp;  // the template identifier

protected:
    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

    bool IsModal() const { return m_modal; }

    CWnd* m_pParentWnd;

    DECLARE_MESSAGE_MAP()

private:
    bool CreateFromTemplate(HWND parent);
    LRESULT HandleInitDialog(WPARAM, LPARAM);
    void HandleOK();
    void HandleCancel();
    bool PreTranslateChain(MSG* msg);

    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

    bool m_modal = false;
    bool m_endModal = false;
    INT_PTR m_modalResult = -1;
};
