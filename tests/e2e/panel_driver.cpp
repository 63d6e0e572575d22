#include "panel_driver.h"

#include <algorithm>

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kTitle = L"Zorvane";
constexpr const wchar_t* kDebugModeTitle = L"NVIDIA Control Panel - Debug Mode";

std::wstring WindowText(HWND window) {
    wchar_t text[256] = {};
    ::GetWindowTextW(window, text, 256);
    return text;
}

}  // namespace

std::string Narrow(const std::wstring& text) {
    std::string narrow;
    for (wchar_t c : text) narrow += c < 128 ? static_cast<char>(c) : '?';
    return narrow;
}

std::string Observation::Summary() const {
    if (faults.empty()) return debugWarning ? "ok, Debug Mode warning" : "ok";
    std::string text = faults.front();
    if (faults.size() > 1) text += " (+" + std::to_string(faults.size() - 1) + " more)";
    return text;
}

bool PanelDriver::Start(Observation& seen) {
    m_zorvane = ChildProcess::Start(m_executable, L"");
    if (!m_zorvane.started()) {
        seen.Fault("did not start");
        return false;
    }
    for (int i = 0; i < 200 && !(m_main = m_zorvane.FindWindow(kDialogClass, kTitle)); ++i) {
        AnswerBoxes(seen);
        if (m_zorvane.WaitForExit(0)) break;
        ::Sleep(100);
    }
    if (!m_main) {
        seen.Fault("no front panel");
        return false;
    }
    return Check(seen, "start");
}

void PanelDriver::Quit(Observation& seen) {
    if (!m_main) return;
    m_zorvane.Close(m_main);
    DWORD code = 1;
    if (!m_zorvane.WaitForExit(5000, &code)) seen.Fault("did not quit");
    m_main = nullptr;
}

void PanelDriver::AnswerBoxes(Observation& seen) {
    struct Context {
        DWORD process;
        std::vector<HWND> boxes;
    } context{m_zorvane.id(), {}};
    ::EnumWindows(
        [](HWND window, LPARAM p) -> BOOL {
            auto& c = *reinterpret_cast<Context*>(p);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(window, &owner);
            wchar_t cls[64] = {};
            ::GetClassNameW(window, cls, 64);
            if (owner == c.process && ::IsWindowVisible(window) && std::wstring(cls) == kDialogClass) {
                const std::wstring title = WindowText(window);
                if (title != kTitle && title.find(L" - Zorvane") == std::wstring::npos) c.boxes.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&context));
    for (HWND box : context.boxes) {
        const std::wstring title = WindowText(box);
        if (title == kDebugModeTitle) {
            seen.debugWarning = true;
        } else {
            seen.Fault("message box \"" + Narrow(title) + "\"");
        }
        ::PostMessageW(box, WM_COMMAND, IDOK, 0);
        ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
}

bool PanelDriver::Check(Observation& seen, const std::string& step) {
    AnswerBoxes(seen);
    if (m_zorvane.WaitForExit(0)) {
        m_main = nullptr;
        seen.Fault("ended during " + step);
        return false;
    }
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(m_main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) {
        seen.Fault("not answering after " + step);
        return false;
    }
    return true;
}

void PanelDriver::Press(Observation& seen, int id) {
    if (!m_main) return;
    ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
    ::Sleep(150);
    Check(seen, "button " + std::to_string(id));
}

void PanelDriver::OpenAndPress(Observation& seen, int button, const wchar_t* title, int action, DWORD showFor) {
    if (!m_main) return;
    const ULONGLONG pressed = ::GetTickCount64();
    ::PostMessageW(m_main, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
    HWND dialog = nullptr;
    // Generous: a loaded machine slows Wine's first showing of a skinned dialog down.
    while (!(dialog && ::IsWindowVisible(dialog)) && ::GetTickCount64() - pressed < 10000) {
        ::Sleep(dialog ? 20 : 50);
        AnswerBoxes(seen);
        dialog = m_zorvane.FindWindow(kDialogClass, title);
    }
    if (!dialog || !::IsWindowVisible(dialog)) {
        seen.Fault("\"" + Narrow(title) + "\" did not open" + (dialog ? " (made, left hidden)" : " (not made)"));
        Check(seen, Narrow(title));
        return;
    }
    seen.slowestOpen = std::max(seen.slowestOpen, static_cast<DWORD>(::GetTickCount64() - pressed));
    ::Sleep(showFor);
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(action, BN_CLICKED), 0);
    ::Sleep(150);
    if (!Check(seen, Narrow(title))) return;
    DWORD_PTR result = 0;
    if (!::SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result)) {
        seen.Fault("\"" + Narrow(title) + "\" not answering");
    }
}
