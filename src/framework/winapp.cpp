#include "winapp.h"

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

int CWinApp::Run() {
    MSG msg;
    BOOL got;
    while ((got = ::GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        CWnd* target = CWnd::FromHandlePermanent(msg.hwnd);
        if (target && target->PreTranslateMessage(&msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    m_exitCode = got == 0 ? static_cast<int>(msg.wParam) : -1;
    return ExitInstance();
}

int AfxWinMain(HINSTANCE instance, const wchar_t* commandLine, int showCommand) {
    CWinApp* app = AfxGetApp();
    if (!app) return -1;
    app->m_hInstance = instance;
    app->m_lpCmdLine = commandLine ? commandLine : L"";
    app->m_nCmdShow = showCommand;
    if (!app->InitInstance()) return app->ExitInstance();
    return app->Run();
}
