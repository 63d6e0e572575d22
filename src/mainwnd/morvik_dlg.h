// CMorvikDlg: Zorvane's main window, the front panel.
#pragma once

#include "framework/dialog.h"

class CMorvikDlg : public CDialogEx {
public:
    explicit CMorvikDlg(CWnd* parent = nullptr);
    ~CMorvikDlg() override;

protected:
    BOOL OnInitDialog() override;

    LRESULT OnClose(WPARAM, LPARAM);
    LRESULT OnQueryDragIcon(WPARAM, LPARAM);
    void OnMinimize();

    DECLARE_MESSAGE_MAP()

private:
    HICON m_hIcon;
};
