#include "dialog.h"

#include <climits>
#include <cwchar>
#include <iterator>

namespace {

// The dialog whose template is being created on this thread; its window is
// subclassed at the first message the dialog procedure sees.
thread_local CDialogEx* t_creating = nullptr;

bool IsInputMessage(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

}  // namespace

HWND CDataExchange::Control(int id) {
    HWND control = m_pDlgWnd ? ::GetDlgItem(m_pDlgWnd->m_hWnd, id) : nullptr;
    if (!control) m_bFailed = true;
    return control;
}

void DDX_Check(CDataExchange* dx, int id, int& value) {
    HWND control = dx->Control(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        value = static_cast<int>(::SendMessageW(control, BM_GETCHECK, 0, 0));
    } else {
        ::SendMessageW(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
    }
}

void DDX_Text(CDataExchange* dx, int id, std::wstring& value) {
    HWND control = dx->Control(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        int length = ::GetWindowTextLengthW(control);
        std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
        int copied = ::GetWindowTextW(control, text.data(), length + 1);
        text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
        value = std::move(text);
    } else {
        ::SetWindowTextW(control, value.c_str());
    }
}

void DDX_Text(CDataExchange* dx, int id, int& value) {
    HWND control = dx->Control(id);
    if (!control) return;
    if (dx->m_bSaveAndValidate) {
        wchar_t text[32] = {};
        ::GetWindowTextW(control, text, static_cast<int>(std::size(text)));
        wchar_t* end = nullptr;
        long long parsed = std::wcstoll(text, &end, 10);
        while (end && (*end == L' ' || *end == L'\t')) ++end;
        if (end == text || !end || *end != L'\0' || parsed < INT_MIN || parsed > INT_MAX) {
            dx->m_bFailed = true;
            return;
        }
        value = static_cast<int>(parsed);
    } else {
        wchar_t text[16];
        std::swprintf(text, std::size(text), L"%d", value);
        ::SetWindowTextW(control, text);
    }
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control) {
    if (control.m_hWnd) return;
    HWND item = dx->Control(id);
    if (item && !control.SubclassWindow(item)) dx->m_bFailed = true;
}

CDialogEx::CDialogEx(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialogEx::~CDialogEx() {
    if (m_hWnd && ::IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
}

const MessageMap* CDialogEx::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_INITDIALOG, &CDialogEx::HandleInitDialog),
        msgmap::Command(IDOK, &CDialogEx::HandleOK),
        msgmap::Command(IDCANCEL, &CDialogEx::HandleCancel),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

bool CDialogEx::CreateFromTemplate(HWND parent) {
    CDialogEx* outer = t_creating;
    t_creating = this;
    HWND hwnd = ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDHelp), parent,
                                     &CDialogEx::DialogProc, reinterpret_cast<LPARAM>(this));
    t_creating = outer;
    return hwnd != nullptr && m_hWnd == hwnd;
}

INT_PTR CALLBACK CDialogEx::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (FromHandlePermanent(hwnd)) {
        // Everything reaches the object through its subclass procedure first;
        // what arrives here is the dialog manager's default path.
        return FALSE;
    }
    CDialogEx* dialog = message == WM_INITDIALOG ? reinterpret_cast<CDialogEx*>(lParam) : t_creating;
    if (!dialog || dialog->m_hWnd || !dialog->SubclassWindow(hwnd)) return FALSE;
    if (message == WM_INITDIALOG) {
        // No WM_SETFONT came first: this message did not pass the subclass procedure.
        return static_cast<INT_PTR>(dialog->Dispatch(message, wParam, lParam));
    }
    return FALSE;
}

LRESULT CDialogEx::HandleInitDialog(WPARAM, LPARAM) { return OnInitDialog(); }

void CDialogEx::HandleOK() { OnOK(); }

void CDialogEx::HandleCancel() { OnCancel(); }

BOOL CDialogEx::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialogEx::OnOK() {
    if (!UpdateData(true)) return;
    EndDialog(IDOK);
}

void CDialogEx::OnCancel() { EndDialog(IDCANCEL); }

bool CDialogEx::UpdateData(bool saveAndValidate) {
    CDataExchange dx(this, saveAndValidate);
    DoDataExchange(&dx);
    return !dx.m_bFailed;
}

bool CDialogEx::Create(UINT templateId, CWnd* parent) {
    if (m_hWnd) return false;
    if (templateId) m_nIDHelp = templateId;
    if (parent) m_pParentWnd = parent;
    m_modal = false;
    return CreateFromTemplate(m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr);
}

void CDialogEx::EndDialog(INT_PTR result) {
    if (m_modal) {
        m_modalResult = result;
        m_endModal = true;
        ::PostMessageW(m_hWnd, WM_NULL, 0, 0);  // wake the modal loop
    } else if (m_hWnd) {
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

bool CDialogEx::PreTranslateMessage(MSG* msg) {
    if (m_hWnd && IsInputMessage(msg->message) &&
        (msg->hwnd == m_hWnd || ::IsChild(m_hWnd, msg->hwnd))) {
        return ::IsDialogMessageW(m_hWnd, msg) != FALSE;
    }
    return false;
}

bool CDialogEx::PreTranslateChain(MSG* msg) {
    for (HWND hwnd = msg->hwnd; hwnd; hwnd = ::GetParent(hwnd)) {
        CWnd* wnd = FromHandlePermanent(hwnd);
        if (wnd && wnd->PreTranslateMessage(msg)) return true;
        if (hwnd == m_hWnd) break;
    }
    return false;
}

INT_PTR CDialogEx::DoModal() {
    if (m_hWnd) return -1;
    HWND owner = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
    const bool disableOwner = owner && ::IsWindowEnabled(owner);
    if (disableOwner) ::EnableWindow(owner, FALSE);

    m_modal = true;
    m_endModal = false;
    m_modalResult = -1;
    if (CreateFromTemplate(owner)) {
        // Like the system's modal dialogs: a dialog that is still hidden after its
        // initialisation is shown once its queue first runs empty.
        bool showOnIdle = (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE) == 0;
        MSG msg;
        while (!m_endModal && m_hWnd) {
            if (showOnIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
                ::UpdateWindow(m_hWnd);
                showOnIdle = false;
                continue;
            }
            BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
            if (got == 0) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                break;
            }
            if (got < 0) break;
            if (!PreTranslateChain(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
    }
    // Re-enable the owner before the dialog goes, so activation returns to it.
    if (disableOwner) ::EnableWindow(owner, TRUE);
    if (m_hWnd) {
        ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        ::DestroyWindow(m_hWnd);
    }
    m_modal = false;
    return m_modalResult;
}
