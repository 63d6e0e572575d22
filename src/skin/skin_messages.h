// Messages the skinned windows post to themselves, so that painting only paints.
#pragma once

#include <windows.h>

// The first paint asks for this: the window is sized, shaped and shown outside any paint.
constexpr UINT WM_SKIN_FIRST_PAINT = WM_APP + 0x100;
// A control whose picture has another size than the control: wParam width, lParam height.
constexpr UINT WM_SKIN_FIT_PICTURE = WM_APP + 0x101;

// Sent to every child when the dialog has (another) picture: copies of it go stale.
constexpr UINT WM_SKIN_BACKGROUND_CHANGED = WM_APP + 0x102;

// Posts WM_SKIN_FIT_PICTURE to `window` when its size differs from `picture`.
inline void RequestFitToPicture(HWND window, SIZE picture) {
    RECT client;
    ::GetClientRect(window, &client);
    if (client.right != picture.cx || client.bottom != picture.cy) {
        ::PostMessageW(window, WM_SKIN_FIT_PICTURE, static_cast<WPARAM>(picture.cx), static_cast<LPARAM>(picture.cy));
    }
}

// The answer to it: the window takes the picture's size where it stands.
inline LRESULT FitToPicture(HWND window, WPARAM width, LPARAM height) {
    ::SetWindowPos(window, nullptr, 0, 0, static_cast<int>(width), static_cast<int>(height),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}
