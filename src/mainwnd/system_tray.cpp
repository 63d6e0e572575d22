#include "mainwnd/system_tray.h"

#include "framework/message_filter.h"
#include "framework/text.h"
#include "resources/resource.h"

#include <iterator>

namespace {

constexpr const wchar_t* kMessageWindowClass = L"ZorvaneTrayMessages";
constexpr UINT kIconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;

// The shell's broadcast after Explorer (re)starts.
UINT TaskbarCreatedMessage() {
    static const UINT message = ::RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

bool RegisterMessageWindowClass() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcW;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.lpszClassName = kMessageWindowClass;
    return ::RegisterClassExW(&windowClass) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

}  // namespace

CSystemTray::NotifyFunction CSystemTray::s_notify = ::Shell_NotifyIconW;

CSystemTray::CSystemTray() = default;

CSystemTray::~CSystemTray() {
    RemoveIcon();
    if (m_hWnd) DestroyWindow();
}

const MessageMap* CSystemTray::ThisMessageMap() {
    static const MessageEntry entries[] = {
        msgmap::Message(WM_SETTINGCHANGE, &CSystemTray::OnSettingChange),
    };
    static const MessageMap map{CWnd::ThisMessageMap(), entries, std::size(entries)};
    return &map;
}

// The registered message has no fixed number, so it cannot sit in the table.
LRESULT CSystemTray::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == TaskbarCreatedMessage()) return OnTaskbarCreated(wParam, lParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

bool CSystemTray::Create(CWnd* parent, UINT callbackMessage, const wchar_t* tip, HICON icon, UINT id) {
    TaskbarCreatedMessage();
    if (RegisterMessageWindowClass()) {
        CreateEx(0, kMessageWindowClass, L"", WS_POPUP, RECT{}, nullptr, 0);
    }
    // Explorer runs below this elevated program: let its broadcast and the icon's
    // callbacks through to both windows.
    for (HWND window : {m_hWnd, parent ? parent->m_hWnd : nullptr}) {
        AllowMessageFromShell(window, TaskbarCreatedMessage());
        AllowMessageFromShell(window, callbackMessage);
    }
    m_data = NOTIFYICONDATAW{};
    m_data.cbSize = sizeof(m_data);
    m_data.hWnd = parent ? parent->m_hWnd : nullptr;
    m_data.uID = id;
    m_data.uFlags = kIconFlags;
    m_data.uCallbackMessage = callbackMessage;
    m_data.hIcon = icon;
    FormatText(m_data.szTip, L"%s", tip ? tip : L"");
    m_savedFlags = kIconFlags;

    if (m_enabled && s_notify(NIM_ADD, &m_data)) {
        m_hidden = m_removed = m_showPending = false;
        return true;
    }
    m_hidden = m_removed = m_showPending = true;
    return false;
}

bool CSystemTray::AddIcon(UINT flags) {
    m_data.uFlags = flags;
    return s_notify(NIM_ADD, &m_data) != FALSE;
}

bool CSystemTray::ShowIcon() {
    if (!m_removed) RemoveIcon();
    if (m_enabled) {
        if (AddIcon(kIconFlags)) {
            m_removed = m_hidden = false;
        } else {
            m_showPending = true;
        }
    }
    return !m_removed;
}

bool CSystemTray::ShowBalloon(const wchar_t* title, const wchar_t* text) {
    if (m_removed && !ShowIcon()) return false;
    NOTIFYICONDATAW balloon = m_data;
    balloon.uFlags = NIF_INFO;
    balloon.dwInfoFlags = NIIF_WARNING;
    FormatText(balloon.szInfoTitle, L"%s", title);
    FormatText(balloon.szInfo, L"%s", text);
    return s_notify(NIM_MODIFY, &balloon) != FALSE;
}

void CSystemTray::RemoveIcon() {
    m_showPending = false;
    if (m_removed) return;
    m_data.uFlags = 0;
    if (s_notify(NIM_DELETE, &m_data)) m_removed = m_hidden = true;
}

// The shell lost the icon (Explorer restarted): add it again unless it is meant to
// be away.
void CSystemTray::ReAddUnlessHidden() {
    if (m_hidden) return;
    const bool added = AddIcon(m_savedFlags);
    m_hidden = m_showPending = !added;
}

LRESULT CSystemTray::OnTaskbarCreated(WPARAM, LPARAM) {
    m_showPending = true;
    ReAddUnlessHidden();
    return 0;
}

// The work area changed: the icon is still there, so it is refreshed, and added only
// when the shell no longer knows it.
LRESULT CSystemTray::OnSettingChange(WPARAM wParam, LPARAM lParam) {
    if (wParam == SPI_SETWORKAREA) {
        m_showPending = m_hidden;
        if (!m_hidden) {
            m_data.uFlags = m_savedFlags;
            if (!s_notify(NIM_MODIFY, &m_data)) ReAddUnlessHidden();
        }
    }
    return ::DefWindowProcW(m_hWnd, WM_SETTINGCHANGE, wParam, lParam);
}

LRESULT CSystemTray::OnTrayNotification(WPARAM wParam, LPARAM lParam) {
    if (wParam != m_data.uID) return 0;
    HWND owner = m_data.hWnd;
    if (LOWORD(lParam) == WM_RBUTTONUP) {
        HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
        if (!menu) return 0;
        HMENU popup = ::GetSubMenu(menu, 0);
        if (popup) {
            ::SetMenuDefaultItem(popup, m_defaultMenuItem, m_defaultByPosition);
            POINT cursor;
            ::GetCursorPos(&cursor);
            ::SetForegroundWindow(owner);
            ::TrackPopupMenu(popup, TPM_LEFTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
            // Lets the menu close when the user clicks elsewhere.
            ::PostMessageW(owner, WM_NULL, 0, 0);
        }
        ::DestroyMenu(menu);
    } else if (LOWORD(lParam) == WM_LBUTTONDBLCLK) {
        ::SetForegroundWindow(owner);
        UINT command = m_defaultMenuItem;
        if (m_defaultByPosition) {
            HMENU menu = ::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_TRAY_MENU));
            HMENU popup = menu ? ::GetSubMenu(menu, 0) : nullptr;
            command = popup ? ::GetMenuItemID(popup, static_cast<int>(m_defaultMenuItem)) : 0;
            if (menu) ::DestroyMenu(menu);
        }
        ::PostMessageW(owner, WM_COMMAND, command, 0);
    }
    return 1;
}
