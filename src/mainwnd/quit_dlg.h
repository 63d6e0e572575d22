// CQuitDlg: the question the program asks when it is closed — restore the defaults and
// quit (OK), or keep the current settings and quit (Cancel, Escape, the close box).
#pragma once

#include "framework/dialog.h"

class CQuitDlg : public CDialogEx {
public:
    explicit CQuitDlg(CWnd* parent);

protected:
    BOOL OnInitDialog() override;
};
