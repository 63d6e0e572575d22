#include "wnd.h"

#include <unordered_map>

namespace {

// Handle to object map. All windows live on the user-interface thread.
std::unordered_map<HWND, CWnd*>& HandleMap() {
    static std::unordered_map<HWND, CWnd*> map;
    return map;
}

}  // namespace

CWnd::~CWnd() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        // The object dies before its window: the window keeps running on its old procedure.
        UnsubclassWindow();
    } else if (m_hWnd) {
        Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd) return nullptr;
    auto it = HandleMap().find(hwnd);
    return it == HandleMap().end() ? nullptr : it->second;
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    HandleMap()[hwnd] = this;
}

HWND CWnd::Detach() {
    HWND hwnd = m_hWnd;
    if (hwnd) HandleMap().erase(hwnd);
    m_hWnd = nullptr;
    return hwnd;
}

bool CWnd::SubclassWindow(HWND hwnd) {
    if (!hwnd || m_hWnd || FromHandlePermanent(hwnd)) return false;
    Attach(hwnd);
    PreSubclassWindow();
    m_oldProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::StaticWndProc)));
    return true;
}

bool CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
    return parent && SubclassWindow(::GetDlgItem(parent->m_hWnd, static_cast<int>(id)));
}

HWND CWnd::UnsubclassWindow() {
    if (m_oldProc && m_hWnd) {
        ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_oldProc));
    }
    m_oldProc = nullptr;
    return Detach();
}

bool CWnd::RegisterControlClass(const wchar_t* className, UINT style) {
    WNDCLASSEXW cls{};
    cls.cbSize = sizeof(cls);
    cls.style = style;
    cls.lpfnWndProc = ::DefWindowProcW;
    cls.hInstance = ::GetModuleHandleW(nullptr);
    cls.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    cls.lpszClassName = className;
    return ::RegisterClassExW(&cls) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool CWnd::CreateEx(DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style,
                    const RECT& rect, CWnd* parent, UINT id) {
    HWND parentHwnd = parent ? parent->m_hWnd : nullptr;
    HMENU menu = (style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)) : nullptr;
    HWND hwnd = ::CreateWindowExW(exStyle, className, text, style, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parentHwnd, menu,
                                  ::GetModuleHandleW(nullptr), nullptr);
    if (!hwnd) return false;
    if (!SubclassWindow(hwnd)) {
        ::DestroyWindow(hwnd);
        return false;
    }
    return true;
}

bool CWnd::DestroyWindow() {
    if (!m_hWnd) return false;
    return ::DestroyWindow(m_hWnd) != FALSE;
}

std::wstring CWnd::GetWindowText() const {
    int length = ::GetWindowTextLengthW(m_hWnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    int copied = ::GetWindowTextW(m_hWnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

bool CWnd::PreTranslateMessage(MSG*) { return false; }

const MessageMap* CWnd::ThisMessageMap() {
    static const MessageMap map{nullptr, nullptr, 0};
    return &map;
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    const UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    const UINT commandId = message == WM_COMMAND ? LOWORD(wParam) : 0;
    const NMHDR* header = message == WM_NOTIFY ? reinterpret_cast<const NMHDR*>(lParam) : nullptr;

    for (const MessageMap* map = GetMessageMap(); map; map = map->base) {
        for (std::size_t i = 0; i < map->count; ++i) {
            const MessageEntry& e = map->entries[i];
            switch (e.kind) {
            case MessageEntry::Kind::Message:
                if (e.message == message) {
                    *result = (this->*e.onMessage)(wParam, lParam);
                    return true;
                }
                break;
            case MessageEntry::Kind::Command:
                if (message == WM_COMMAND && code <= 1 && commandId == e.idFirst) {
                    (this->*e.onCommand)();
                    *result = 0;
                    return true;
                }
                break;
            case MessageEntry::Kind::Control:
                if (message == WM_COMMAND && code == e.message && commandId == e.idFirst) {
                    (this->*e.onCommand)();
                    *result = 0;
                    return true;
                }
                break;
            case MessageEntry::Kind::CommandRange:
                if (message == WM_COMMAND && code <= 1 && commandId >= e.idFirst &&
                    commandId <= e.idLast) {
                    (this->*e.onRange)(commandId);
                    *result = 0;
                    return true;
                }
                break;
            case MessageEntry::Kind::Notify:
                if (header && header->code == e.message && header->idFrom == e.idFirst) {
                    *result = (this->*e.onNotify)(const_cast<NMHDR*>(header));
                    return true;
                }
                break;
            }
        }
    }
    return false;
}

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::ReflectToChild(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    HWND child = nullptr;
    switch (message) {
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item && item->CtlType != ODT_MENU) child = item->hwndItem;
        break;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
        child = reinterpret_cast<HWND>(lParam);
        break;
    case WM_NOTIFY:
        if (lParam) child = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
        break;
    default:
        return false;
    }
    CWnd* control = FromHandlePermanent(child);
    return control && control != this && control->OnChildNotify(message, wParam, lParam, result);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = 0;
    if (ReflectToChild(message, wParam, lParam, &result)) return result;
    if (OnWndMsg(message, wParam, lParam, &result)) return result;
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::Default() {
    return DefWindowProc(m_current.message, m_current.wParam, m_current.lParam);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_oldProc) return ::CallWindowProcW(m_oldProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    const CurrentMessage saved = m_current;
    m_current = {message, wParam, lParam};
    LRESULT result = WindowProc(message, wParam, lParam);
    m_current = saved;
    return result;
}

LRESULT CALLBACK CWnd::StaticWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (!wnd) return ::DefWindowProcW(hwnd, message, wParam, lParam);

    LRESULT result = wnd->Dispatch(message, wParam, lParam);

    if (message == WM_NCDESTROY) {
        // Last message: hand the window back to its own procedure and let the object go.
        wnd->UnsubclassWindow();
        wnd->PostNcDestroy();
    }
    return result;
}
