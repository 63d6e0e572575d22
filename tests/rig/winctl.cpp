// Drives windows from the Windows side for scripts:
//   winctl wait  CLASS TITLE SECONDS   waits until the window is visible (exit 0) or times out (exit 1)
//   winctl click CLASS TITLE ID X Y  a left click at a client point of control ID
//   winctl shot  FILE.png [TITLE]      saves the screen, or the area of the window with TITLE, as PNG
//   winctl close CLASS TITLE SECONDS   closes the window like its close box and waits for it to go
//                                      (Zorvane's quit question answered "Keep current & Quit")
//   winctl press CLASS TITLE ID        presses the dialog's button ID
#include "png_fixture.h"

#include <windows.h>
#include <gdiplus.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// The first visible top-level window of that class and title, else the first hidden
// one. Trailing blanks of a title do not count: setup wizards add one on later pages.
struct FindRequest {
    const wchar_t* className;
    std::wstring title;
    HWND visible = nullptr;
    HWND hidden = nullptr;
};

std::wstring TrimmedTitle(const wchar_t* text) {
    std::wstring title = text;
    while (!title.empty() && title.back() == L' ') title.pop_back();
    return title;
}

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto& request = *reinterpret_cast<FindRequest*>(context);
    wchar_t text[256] = {};
    if (request.className) {
        if (!::GetClassNameW(window, text, 256) || std::wcscmp(text, request.className) != 0) return TRUE;
    }
    ::GetWindowTextW(window, text, 256);
    if (TrimmedTitle(text) != request.title) return TRUE;
    if (::IsWindowVisible(window)) {
        request.visible = window;
        return FALSE;
    }
    if (!request.hidden) request.hidden = window;
    return TRUE;
}

HWND Find(const wchar_t* className, const wchar_t* title) {
    FindRequest request{className && *className ? className : nullptr, TrimmedTitle(title)};
    ::EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&request));
    return request.visible ? request.visible : request.hidden;
}

int Shot(const wchar_t* file, const wchar_t* title) {
    RECT area{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    if (title) {
        HWND window = Find(nullptr, title);
        if (!window || !::GetWindowRect(window, &area)) return 1;
    }
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return 1;

    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::SelectObject(memory, old);

    int result = 1;
    {
        Gdiplus::Bitmap image(bitmap, nullptr);
        CLSID png;
        if (PngEncoder(&png) && image.Save(file, &png, nullptr) == Gdiplus::Ok) result = 0;
    }
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return result;
}

int Wait(const wchar_t* className, const wchar_t* title, int seconds) {
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    do {
        HWND window = Find(className, title);
        if (window && ::IsWindowVisible(window)) return 0;
        ::Sleep(100);
    } while (::GetTickCount64() < end);
    return 1;
}

int Close(const wchar_t* className, const wchar_t* title, int seconds) {
    HWND window = Find(className, title);
    if (!window) return 1;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    const ULONGLONG end = ::GetTickCount64() + static_cast<ULONGLONG>(seconds) * 1000;
    while (::IsWindow(window)) {
        if (::GetTickCount64() >= end) return 1;
        // Zorvane's quit question: "Keep current & Quit".
        if (HWND question = ::FindWindowW(L"#32770", L"Quit - Zorvane")) {
            ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
        ::Sleep(100);
    }
    return 0;
}

int Press(const wchar_t* className, const wchar_t* title, int id) {
    HWND window = Find(className, title);
    if (!window) return 1;
    ::PostMessageW(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    return 0;
}

// A left click at a client point of one of the window's controls.
int Click(const wchar_t* className, const wchar_t* title, int id, int x, int y) {
    HWND window = Find(className, title);
    HWND control = window ? ::GetDlgItem(window, id) : nullptr;
    if (!control) return 1;
    ::PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::PostMessageW(control, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc >= 5 && std::wcscmp(argv[1], L"wait") == 0) return Wait(argv[2], argv[3], _wtoi(argv[4]));
    if (argc >= 5 && std::wcscmp(argv[1], L"close") == 0) return Close(argv[2], argv[3], _wtoi(argv[4]));
    if (argc >= 5 && std::wcscmp(argv[1], L"press") == 0) return Press(argv[2], argv[3], _wtoi(argv[4]));
    if (argc >= 7 && std::wcscmp(argv[1], L"click") == 0) {
        return Click(argv[2], argv[3], _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]));
    }
    if (argc >= 3 && std::wcscmp(argv[1], L"shot") == 0) {
        const GdiplusSession imaging;
        return Shot(argv[2], argc >= 4 ? argv[3] : nullptr);
    }
    std::fwprintf(stderr, L"usage: winctl wait|close CLASS TITLE SECONDS | winctl press CLASS TITLE ID | winctl click CLASS TITLE ID X Y | winctl shot FILE.png [TITLE]\n");
    return 2;
}
