#include "process.h"

#include <cstdio>
#include <vector>

std::wstring StageDirectory() {
    wchar_t directory[MAX_PATH] = {};
    if (::GetEnvironmentVariableW(L"ZORVANE_STAGE_DIR", directory, MAX_PATH) > 0) return directory;
    // Run by hand: build\tests\<test>.exe beside build\stage.
    ::GetModuleFileNameW(nullptr, directory, MAX_PATH);
    std::wstring path = directory;
    path.resize(path.find_last_of(L'\\'));
    path.resize(path.find_last_of(L'\\') + 1);
    return path + L"stage";
}

bool IsShownShaped(HWND window) {
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    const bool shaped = ::GetWindowRgn(window, shape) != ERROR;
    ::DeleteObject(shape);
    return shaped && ::IsWindowVisible(window) && !::IsIconic(window);
}

ChildProcess::~ChildProcess() { Release(); }

void ChildProcess::Release() {
    if (!m_process) return;
    // A program still running when its test ends is ended here, never left behind.
    if (::WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, 5000);
    }
    ::CloseHandle(m_process);
    m_process = nullptr;
    m_id = 0;
}

ChildProcess::ChildProcess(ChildProcess&& other) noexcept : m_process(other.m_process), m_id(other.m_id) {
    other.m_process = nullptr;
    other.m_id = 0;
}

ChildProcess& ChildProcess::operator=(ChildProcess&& other) noexcept {
    if (this != &other) {
        Release();
        m_process = other.m_process;
        m_id = other.m_id;
        other.m_process = nullptr;
        other.m_id = 0;
    }
    return *this;
}

ChildProcess ChildProcess::Start(const std::wstring& executable, const std::wstring& arguments) {
    ChildProcess child;
    std::wstring commandLine = L"\"" + executable + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    // Now and then (about one start in a few hundred) Wine's CreateProcess fails before
    // the program runs a line of its own: tried three times, each failure reported.
    for (int attempt = 1; attempt <= 3; ++attempt) {
        if (::CreateProcessW(executable.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                             &info)) {
            ::CloseHandle(info.hThread);
            child.m_process = info.hProcess;
            child.m_id = info.dwProcessId;
            break;
        }
        std::fprintf(stderr, "CreateProcess failed (attempt %d, error %lu)\n", attempt, ::GetLastError());
        ::Sleep(500);
    }
    return child;
}

bool ChildProcess::WaitForExit(DWORD milliseconds, DWORD* exitCode) {
    if (!m_process || ::WaitForSingleObject(m_process, milliseconds) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(m_process, exitCode);
    return true;
}

HWND ChildProcess::FindWindow(const wchar_t* className, const wchar_t* title) const {
    HWND window = nullptr;
    while ((window = ::FindWindowExW(nullptr, window, className, title)) != nullptr) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == m_id) return window;
    }
    return nullptr;
}

HWND ChildProcess::WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD milliseconds) const {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    do {
        if (HWND window = FindWindow(className, title)) return window;
        ::Sleep(50);
    } while (::GetTickCount64() < end);
    return nullptr;
}

void ChildProcess::Close(HWND window) {
    if (window) ::PostMessageW(window, WM_CLOSE, 0, 0);
    // Zorvane asks whether to restore the defaults: the answer is "Keep current & Quit".
    bool exited = false;
    for (int wait = 0; wait < 100 && !(exited = WaitForExit(100)); ++wait) {
        if (HWND question = FindWindow(L"#32770", L"Quit - Zorvane")) {
            ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        }
    }
    if (!exited && m_process) {
        ::TerminateProcess(m_process, 1);
        ::WaitForSingleObject(m_process, 5000);
    }
}
