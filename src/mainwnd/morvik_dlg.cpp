#include "morvik_dlg.h"

#include "resources/resource.h"

#include <iterator>

CMorvikDlg::CMorvikDlg(CWnd* parent)
    : CDialogEx(IDD_MORVIK_DIALOG, parent),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))) {}

CMorvikDlg::~CMorvikDlg() = default;

const MessageMap* CMorvikDlg::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_CLOSE, &CMorvikDlg::OnClose),
        msgmap::Message(WM_QUERYDRAGICON, &CMorvikDlg::OnQueryDragIcon),
        msgmap::Command(IDC_BUTTON_MINIMIZE, &CMorvikDlg::OnMinimize),
    };
    static const MessageMap map{CDialogEx::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

BOOL CMorvikDlg::OnInitDialog() {
    CDialogEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    return TRUE;
}

LRESULT CMorvikDlg::OnClose(WPARAM, LPARAM) {
    EndDialog(IDCANCEL);
    return 0;
}

LRESULT CMorvikDlg::OnQueryDragIcon(WPARAM, LPARAM) { return reinterpret_cast<LRESULT>(m_hIcon); }

void CMorvikDlg::OnMinimize() { ShowWindow(SW_HIDE); }
