#include "message_filter.h"

namespace {

// ChangeWindowMessageFilterEx exists from Windows 7 on: looked up, not imported.
BOOL WINAPI SystemMessageFilter(HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT status) {
    static const auto function = reinterpret_cast<MessageFilterFunction>(reinterpret_cast<void*>(
        ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "ChangeWindowMessageFilterEx")));
    return function ? function(window, message, action, status) : FALSE;
}

MessageFilterFunction g_filter = &SystemMessageFilter;

}  // namespace

bool AllowMessageFromShell(HWND window, UINT message) {
    return window && g_filter(window, message, MSGFLT_ALLOW, nullptr) != FALSE;
}

MessageFilterFunction SetMessageFilterFunction(MessageFilterFunction function) {
    const MessageFilterFunction previous = g_filter;
    g_filter = function ? function : &SystemMessageFilter;
    return previous;
}
