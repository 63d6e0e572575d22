// Drives the real Zorvane.exe the way a user does, for the sweeps: starts it, opens a
// dialog from its front-panel button and presses one of its buttons, presses panel
// buttons, quits; after each step it checks that the process is alive and answers
// within 2 s, and answers any message box (the Debug Mode warning is noted, any other
// is a fault).
#pragma once

#include "process.h"

#include <windows.h>

#include <string>
#include <vector>

struct Observation {
    std::vector<std::string> faults;
    bool debugWarning = false;
    // The longest a dialog took to show after its button was pressed.
    DWORD slowestOpen = 0;

    void Fault(const std::string& what) { faults.push_back(what); }
    // The first fault and how many followed, or "ok".
    std::string Summary() const;
};

class PanelDriver {
public:
    explicit PanelDriver(std::wstring executable) : m_executable(std::move(executable)) {}

    // Starts the program and waits for its front panel.
    bool Start(Observation& seen);
    // Quits with the close box, answering the quit question "Keep current & Quit".
    void Quit(Observation& seen);
    bool Alive() const { return m_main != nullptr; }

    // Opens a dialog from its front-panel button (a fault when it has not shown within
    // 10 s), lets it show for `showFor` ms, then presses its button `action`.
    void OpenAndPress(Observation& seen, int button, const wchar_t* title, int action, DWORD showFor = 150);
    // Presses a front-panel button.
    void Press(Observation& seen, int id);

private:
    void AnswerBoxes(Observation& seen);
    bool Check(Observation& seen, const std::string& step);

    std::wstring m_executable;
    ChildProcess m_zorvane;
    HWND m_main = nullptr;
};

// Text of a wide window title for the test's output.
std::string Narrow(const std::wstring& text);
