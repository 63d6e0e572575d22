// CWinApp: the one application object and the program's entry point.
#pragma once

#include "wnd.h"

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Start-up work. Returning false ends the program without a message loop.
    virtual BOOL InitInstance() { return TRUE; }
    // Runs the thread's message loop until WM_QUIT; returns ExitInstance().
    virtual int Run();
    virtual int ExitInstance() { return m_exitCode; }

    HINSTANCE m_hInstance = nullptr;
    const wchar_t* m_lpCmdLine = L"";  // the arguments, without the program path
    int m_nCmdShow = SW_SHOWNORMAL;
    CWnd* m_pMainWnd = nullptr;

protected:
    int m_exitCode = 0;
};

// The application object, or null when none exists.
CWinApp* AfxGetApp();

// Runs the application object: InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE instance, const wchar_t* commandLine, int showCommand);
