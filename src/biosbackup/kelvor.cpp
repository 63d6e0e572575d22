// Kelvor: saves the video BIOS of the first NVIDIA board. A message-only main
// window drives a progress box from a timer while a worker thread unpacks the
// flashing utility, runs it with the display devices disabled, and cleans up.
#include "biosbackup/backup_core.h"
#include "biosbackup/backup_worker.h"
#include "biosbackup/resource.h"
#include "platform/system_library.h"

#include <windows.h>
#include <commdlg.h>

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT_PTR kProgressTimer = 101;

volatile LONG ProgressPercent = 0;
// [0] the temporary BIOS image, [1] the temporary log; [2] and [3] the names
// the system reserved for them, removed at the end.
char (*TempPaths)[MAX_PATH] = nullptr;

HINSTANCE g_instance = nullptr;
HWND g_progressBox = nullptr;
HANDLE g_worker = nullptr;
char g_caption[100] = "Kelvor";
char g_exeDirectory[MAX_PATH] = "";

BackupOutcome g_outcome;  // written by the worker before it sets 100

DWORD WINAPI BackupWorker(void* parameter) {
    const auto paths = static_cast<char (*)[MAX_PATH]>(parameter);
    char self[MAX_PATH] = "";
    char temp[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    GetTempPathA(MAX_PATH, temp);
    g_outcome = RunBackup(SystemBackupActions(), self, temp, paths[0], paths[1]);
    FinishProgress(&ProgressPercent);
    return 0;
}

// Reserves a unique temporary name and gives it the extension `extension`.
void ReserveTempPath(const char* temp, const char* prefix, const char* extension, char* path, char* reserved) {
    if (GetTempFileNameA(temp, prefix, 0, reserved) == 0) {
        reserved[0] = '\0';
        std::snprintf(path, MAX_PATH, "%s%s.%s", temp, prefix, extension);
        return;
    }
    std::snprintf(path, MAX_PATH, "%s", reserved);
    char* dot = std::strrchr(path, '.');
    if (dot != nullptr && static_cast<std::size_t>(dot + 1 - path) + std::strlen(extension) < MAX_PATH) {
        std::strcpy(dot + 1, extension);
    }
}

// The first kReportScanBytes bytes of a file; the number read.
std::size_t ReadHead(const char* path, char* buffer) {
    std::FILE* file = std::fopen(path, "rb");
    if (file == nullptr) return 0;
    const std::size_t read = std::fread(buffer, 1, kReportScanBytes, file);
    std::fclose(file);
    return read;
}

void Report(HWND window) {
    static char buffer[kReportScanBytes];
    char partNumber[kReportFieldChars + 1];
    char eepromId[kReportFieldChars + 1];
    FindPartNumber(buffer, ReadHead(TempPaths[0], buffer), partNumber, sizeof partNumber);
    FindEepromId(buffer, ReadHead(TempPaths[1], buffer), eepromId, sizeof eepromId);
    DeleteFileA(TempPaths[1]);

    char notice[256];
    ComposeNotice(g_outcome.devicesNotDisabled, g_outcome.devicesNotEnabled, notice, sizeof notice);
    char text[512];
    ComposeReport(notice, partNumber, eepromId, text, sizeof text);
    if (MessageBoxA(nullptr, text, g_caption, MB_YESNO | MB_ICONINFORMATION) == IDYES) {
        char file[MAX_PATH];
        ProposedFileName(partNumber, file, sizeof file);
        OPENFILENAMEA dialog{};
        dialog.lStructSize = sizeof dialog;
        dialog.hInstance = g_instance;
        dialog.lpstrFilter = "ROM files(*.rom)\0*.rom\0All files(*.*)\0*.*\0";
        dialog.nFilterIndex = 1;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof file;
        dialog.lpstrInitialDir = g_exeDirectory;
        dialog.lpstrTitle = "Save as";
        dialog.lpstrDefExt = "rom";
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY;
        if (GetSaveFileNameA(&dialog) && CopyFileA(TempPaths[0], file, FALSE)) {
            char done[MAX_PATH + 64];
            std::snprintf(done, sizeof done, "Saved VGA BIOS to \n \n%s\n \ndone!\n", file);
            MessageBoxA(nullptr, done, g_caption, MB_ICONINFORMATION);
        }
    }
    DeleteFileA(TempPaths[0]);
    for (int reserved = 2; reserved < 4; ++reserved) {
        if (TempPaths[reserved][0] != '\0') DeleteFileA(TempPaths[reserved]);
    }
    DestroyWindow(window);
}

INT_PTR CALLBACK AboutProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        EndDialog(dialog, LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

// Escape (or the hidden buttons) hides the box; the work goes on.
INT_PTR CALLBACK ProgressProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
    if (message == WM_INITDIALOG) return TRUE;
    if (message == WM_COMMAND && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)) {
        ShowWindow(dialog, SW_HIDE);
        return TRUE;
    }
    return FALSE;
}

bool OnCreate(HWND window) {
    GetModuleFileNameA(nullptr, g_exeDirectory, MAX_PATH);
    char* slash = std::strrchr(g_exeDirectory, '\\');
    if (slash != nullptr) slash[1] = '\0';
    char temp[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, temp);

    TempPaths = static_cast<char (*)[MAX_PATH]>(HeapAlloc(GetProcessHeap(), HEAP_ZERO_MEMORY, 4 * MAX_PATH));
    if (TempPaths == nullptr) return false;
    ReserveTempPath(temp, "~m0r", "rom", TempPaths[0], TempPaths[2]);
    ReserveTempPath(temp, "~g01", "log", TempPaths[1], TempPaths[3]);

    g_progressBox = CreateDialogParamA(g_instance, MAKEINTRESOURCEA(IDD_PROGRESS), window, ProgressProc, 0);
    ShowWindow(g_progressBox, SW_SHOW);
    SetForegroundWindow(g_progressBox);

    InterlockedExchange(&ProgressPercent, 0);
    SetTimer(window, kProgressTimer, 100, nullptr);
    g_worker = CreateThread(nullptr, 0, BackupWorker, TempPaths, 0, nullptr);
    return true;
}

void OnTimer(HWND window) {
    const LONG shown = TickProgress(&ProgressPercent);
    char text[64];
    std::snprintf(text, sizeof text, "%s%ld%%", "Waiting...", static_cast<long>(shown));
    SetDlgItemTextA(g_progressBox, IDC_PROGRESS_TEXT, text);
    // Painted now: after 100 the thread pauses before the report.
    UpdateWindow(GetDlgItem(g_progressBox, IDC_PROGRESS_TEXT));
    if (shown != 100) return;
    KillTimer(window, kProgressTimer);
    Sleep(1500);
    DestroyWindow(g_progressBox);
    g_progressBox = nullptr;
    Report(window);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate(window) ? 0 : -1;
    case WM_TIMER:
        if (wParam == kProgressTimer) OnTimer(window);
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDM_ABOUT) {
            DialogBoxParamA(g_instance, MAKEINTRESOURCEA(IDD_ABOUTBOX), window, AboutProc, 0);
        } else if (LOWORD(wParam) == IDM_EXIT) {
            DestroyWindow(window);
        } else {
            break;
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RestrictDllSearchToSystem();
    g_instance = instance;
    char className[100] = "KELVOR";
    LoadStringA(instance, IDS_APP_TITLE, g_caption, sizeof g_caption);
    LoadStringA(instance, IDC_KELVOR, className, sizeof className);

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_KELVOR));
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszMenuName = MAKEINTRESOURCEA(IDC_KELVOR);
    windowClass.lpszClassName = className;
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    RegisterClassExA(&windowClass);

    HANDLE mutex = CreateMutexA(nullptr, TRUE, g_caption);
    if (mutex == nullptr) return 0;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return 0;
    }
    const int answer = MessageBoxA(nullptr,
                                   "VGA BIOS loading procedure.\n\nThis might take several minutes.\n\n"
                                   "Do not turn off the system !\n",
                                   g_caption, MB_OKCANCEL | MB_ICONWARNING);
    if (answer == IDOK) {
        HWND window = CreateWindowExA(0, className, g_caption, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, 0, CW_USEDEFAULT, 0,
                                      HWND_MESSAGE, nullptr, instance, nullptr);
        if (window != nullptr) {
            SetForegroundWindow(window);
            HACCEL accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDC_KELVOR));
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) {
                if (TranslateAcceleratorA(window, accelerators, &message)) continue;
                if (g_progressBox != nullptr && IsDialogMessageA(g_progressBox, &message)) continue;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
        // Ending while the worker runs would leave the devices disabled.
        if (g_worker != nullptr) {
            WaitForSingleObject(g_worker, INFINITE);
            CloseHandle(g_worker);
        }
    }
    ReleaseMutex(mutex);
    CloseHandle(mutex);
    return 0;
}
