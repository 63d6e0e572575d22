#include "mainwnd/quit_dlg.h"

#include "resources/resource.h"
#include "skin/skin_file.h"

CQuitDlg::CQuitDlg(CWnd* parent) : CDialogEx(IDD_QUIT, parent) {}

BOOL CQuitDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    const HICON icon = ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME));
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
    const struct {
        UINT id;
        const wchar_t* key;
        const wchar_t* text;
    } texts[] = {
        {IDC_QUIT_TEXT, L"TextMsg", L"Quit Zorvane now ?"},
        {IDOK, L"OK", L"Restore default && Quit"},
        {IDCANCEL, L"Cancel", L"Keep current && Quit"},
    };
    wchar_t text[MAX_PATH];
    for (const auto& t : texts) {
        ReadLanguageText(L"Quit", t.key, t.text, text);
        ::SetDlgItemTextW(m_hWnd, static_cast<int>(t.id), text);
    }
    return TRUE;
}
