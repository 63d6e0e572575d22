// The yardstick for start-up times: the smallest Win32 dialog, built from a template
// in memory and run modally, titled "Minimal dialog".
#include <windows.h>

namespace {

INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_CLOSE || (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL)) {
        ::EndDialog(window, 0);
        return TRUE;
    }
    return message == WM_INITDIALOG;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    // DLGTEMPLATE, then menu, class and title as strings, WORD-aligned.
    alignas(4) WORD buffer[64] = {};
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(buffer);
    dialog->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_CENTER;
    dialog->cx = 200;
    dialog->cy = 100;
    WORD* p = reinterpret_cast<WORD*>(dialog + 1);
    *p++ = 0;  // no menu
    *p++ = 0;  // the dialog class
    for (const wchar_t* title = L"Minimal dialog"; (*p++ = *title) != 0; ++title) {
    }
    return static_cast<int>(::DialogBoxIndirectParamW(instance, dialog, nullptr, Procedure, 0));
}
