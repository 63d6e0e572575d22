#include "morvik_app.h"

#include "app/command_line.h"
#include "app/debug_mode_notice.h"
#include "app/private_fonts.h"
#include "platform/executable_path.h"
#include "skin/image.h"
#include "skin/skin_paths.h"
#include "startup/start_with_windows.h"
#include "gpu/board_list.h"
#include "gpu/status.h"
#include "mainwnd/morvik_dlg.h"
#include "profiles/builtin_modes.h"

#include <windows.h>
#include <commctrl.h>

#include <memory>

bool AutostartFlag = false;

namespace {

// The last chance of a process that dies of a fault: fans that followed a curve go back
// to the driver (nothing follows it any more); everything else is left to the system.
LONG WINAPI ReleaseFansOnFault(EXCEPTION_POINTERS*) {
    ReleaseCurveFans();
    return EXCEPTION_CONTINUE_SEARCH;
}

constexpr const wchar_t* kMutexName = L"Zorvane";
constexpr const wchar_t* kMainWindowClass = L"#32770";
constexpr const wchar_t* kMainWindowTitle = L"Zorvane";
constexpr UINT kMinimizeCommand = 12313;

// Hands control to the running instance: its window comes to the front.
void ActivateFirstInstance() {
    HWND first = ::FindWindowW(kMainWindowClass, kMainWindowTitle);
    if (!first) return;
    // A bounded wait, so a hung first instance cannot hang this one too.
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(first, WM_COMMAND, kMinimizeCommand, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
    ::ShowWindow(first, SW_RESTORE);
    ::SetForegroundWindow(first);
}


}  // namespace

CMorvikApp::CMorvikApp() = default;

CMorvikApp::~CMorvikApp() = default;

BOOL CMorvikApp::InitInstance() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    CWinApp::InitInstance();

    if (m_lpCmdLine && *m_lpCmdLine) {
        const CommandLineSwitches switches = ParseCommandLine(m_lpCmdLine);
        AutostartFlag = switches.autostart;
        SelectedBoard = switches.selectedBoard;
        if (switches.command == StartupCommand::Install) {
            wchar_t exePath[MAX_PATH];
            GetExecutablePath(exePath);
            m_exitCode = RegistrationExitCode(RegisterStartWithWindows(exePath));
            return FALSE;
        }
        if (switches.command == StartupCommand::Uninstall) {
            m_exitCode = RegistrationExitCode(UnregisterStartWithWindows());
            return FALSE;
        }
    }

    // Held until the process ends; the system releases it then.
    ::CreateMutexW(nullptr, TRUE, kMutexName);
    if (::GetLastError() == ERROR_ALREADY_EXISTS) {
        if (!AutostartFlag) ActivateFirstInstance();
        return FALSE;
    }

    const GdiplusSession imaging;
    SetDebugModeNotice(&ShowDebugModeNotice);
    ::SetUnhandledExceptionFilter(&ReleaseFansOnFault);

    wchar_t exePath[MAX_PATH];
    GetExecutablePath(exePath);
    BuildSkinPaths(exePath, g_skinPaths);
    ReadDialogBackgrounds(g_skinPaths);
    RegisterPrivateFonts(g_skinPaths.uiDirectory);

    auto mainWindow = std::make_unique<CMorvikDlg>(AutostartFlag);
    m_pMainWnd = mainWindow.get();
    mainWindow->DoModal();

    RemovePrivateFonts(g_skinPaths.uiDirectory);
    m_pMainWnd = nullptr;
    mainWindow.reset();
    return FALSE;  // GDI+ shuts down with `imaging`
}
