#include "tooltip/pp_tooltip.h"

#include <commctrl.h>

namespace {

constexpr int kMaxTipWidth = 320;  // longer texts wrap

}  // namespace

CPPToolTip::~CPPToolTip() {
    if (m_hWnd) DestroyWindow();
}

bool CPPToolTip::Create(CWnd* owner) {
    if (!owner || !owner->m_hWnd) return false;
    m_owner = owner->m_hWnd;
    if (!CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, RECT{}, owner,
                  0)) {
        return false;
    }
    SendMessage(TTM_SETMAXTIPWIDTH, 0, kMaxTipWidth);
    return true;
}

void CPPToolTip::AddTool(HWND tool, const wchar_t* text) {
    if (!m_hWnd || !tool || !text || !*text) return;
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND;
    info.hwnd = m_owner;
    info.uId = reinterpret_cast<UINT_PTR>(tool);
    info.lpszText = const_cast<wchar_t*>(text);  // the control keeps its own copy
    SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

void CPPToolTip::RemoveAllTools() {
    if (!m_hWnd) return;
    for (int count = ToolCount(); count > 0; --count) {
        TOOLINFOW info{};
        info.cbSize = sizeof(info);
        if (!SendMessage(TTM_ENUMTOOLSW, 0, reinterpret_cast<LPARAM>(&info))) break;
        SendMessage(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

int CPPToolTip::ToolCount() const {
    return m_hWnd ? static_cast<int>(SendMessage(TTM_GETTOOLCOUNT)) : 0;
}

void CPPToolTip::RelayEvent(MSG* msg) {
    if (!m_hWnd || !msg) return;
    if (msg->message < WM_MOUSEFIRST || msg->message > WM_MOUSELAST) return;
    SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(msg));
}
