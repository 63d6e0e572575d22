// Starting the real programs as separate processes and finding their windows.
#pragma once

#include <windows.h>

#include <string>

// Z:\...\build\stage, where Zorvane.exe runs with its UI directory.
std::wstring StageDirectory();

// Shown normally after its first paint, which gives a skinned window its shape. (The
// modal loop shows the dialog once before that paint hides, sizes and shows it again.)
bool IsShownShaped(HWND window);

class ChildProcess {
public:
    ChildProcess() = default;
    ~ChildProcess();
    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&& other) noexcept;
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    // Starts `executable` with `arguments`; check started() afterwards.
    static ChildProcess Start(const std::wstring& executable, const std::wstring& arguments);

    bool started() const { return m_process != nullptr; }
    DWORD id() const { return m_id; }
    HANDLE handle() const { return m_process; }

    // Waits for the process to end; true with its exit code when it did in time.
    bool WaitForExit(DWORD milliseconds, DWORD* exitCode = nullptr);

    // A visible or hidden top-level window of this process with the class and title, or null.
    HWND FindWindow(const wchar_t* className, const wchar_t* title) const;
    HWND WaitForWindow(const wchar_t* className, const wchar_t* title, DWORD milliseconds) const;

    // Closes `window` as its close box would (answering Zorvane's quit question with
    // "Keep current & Quit") and waits; the process is terminated after 10 s.
    void Close(HWND window);

private:
    void Release();

    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};
