// The front panel's commands that are not a dialog of their own: board selection, the
// temperature unit, the companion programs, the quit flow and the session's end.
#include "mainwnd/morvik_dlg.h"

#include "dialogs/companions.h"
#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/led.h"
#include "gpu/sensors.h"
#include "mainwnd/monitor_sample.h"
#include "mainwnd/quit_dlg.h"
#include "platform/executable_path.h"
#include "profiles/board_features.h"
#include "profiles/builtin_modes.h"
#include "profiles/led_effects.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "skin/skin_paths.h"

#include <algorithm>
#include <iterator>

namespace {

int AskWithQuitDialog(CWnd& owner) {
    CQuitDlg question(&owner);
    return static_cast<int>(question.DoModal());
}

constexpr const wchar_t* kControlPanel = L"C:\\Program Files\\NVIDIA Corporation\\Control Panel Client\\nvcplui.exe";
constexpr const wchar_t* kWebPage = L"https://www.drelmont.com/zorvane";

}  // namespace

CMorvikDlg::QuitQuestion CMorvikDlg::s_askQuit = &AskWithQuitDialog;

void CMorvikDlg::PrepareQuit() {
    const int state = ReadProductInt(setting::QuitState);
    const bool restore = state == 1 || (state != 2 && s_askQuit(*this) == IDOK);
    if (restore) RestoreDefaults(*this);
    // After a restore too: a switch to automatic the driver refused is tried again.
    ReleaseCurveFans();
}

// Quitting cannot be cancelled: the question only decides what is restored.
LRESULT CMorvikDlg::OnClose(WPARAM, LPARAM) {
    PrepareQuit();
    EndDialog(IDCANCEL);
    return 0;
}

void CMorvikDlg::OnQuitCommand() { PostMessage(WM_CLOSE); }

void CMorvikDlg::OnTrayOpen() { ShowWindow(SW_RESTORE); }

// Log-off or shut-down: every board's LEDs to the fixed colour, curve-mode fans back
// to the driver (nothing follows the curve afterwards).
LRESULT CMorvikDlg::OnQueryEndSession(WPARAM, LPARAM) {
    const LRESULT allowed = Default();
    if (!allowed) return allowed;
    for (unsigned b = 0; b < BoardCount; ++b) LedSetSessionEndColour(static_cast<int>(b), LedControllerKind(static_cast<int>(b)));
    ReleaseCurveFans();
    return TRUE;
}

LRESULT CMorvikDlg::OnPowerBroadcast(WPARAM wParam, LPARAM) {
    if (wParam == PBT_APMRESUMEAUTOMATIC) {
        UpdateLedButton();
        ApplyLedSettings(*this, true);
    }
    return Default();
}

void CMorvikDlg::OnSelectBoard(UINT id) {
    const auto button = std::find(std::begin(kBoardButtonIds), std::end(kBoardButtonIds), id);
    if (button == std::end(kBoardButtonIds)) return;
    const int index = static_cast<int>(button - std::begin(kBoardButtonIds));
    DestroyChildDialogs();
    SelectedBoard = index;
    for (int b = 0; b < static_cast<int>(std::size(kBoardButtonIds)); ++b) SetButtonToggled(kBoardButtonIds[b], b == index);
    RestoreAtStart(*this, 0);
    RefreshBoardFeatures();
    TakeSample();
    RefreshDisplay();
    UpdateFanControls();
    UpdateLedButton();
}

void CMorvikDlg::OnTemperatureUnit() {
    CControlButton* button = Button(IDC_BUTTON_TEMPUNIT);
    if (!button) return;
    ::EnableWindow(button->m_hWnd, FALSE);
    const bool fahrenheit = button->IsToggled();
    DisplaySettings.temperatureUnit = fahrenheit ? 1 : 0;
    WriteProductString(setting::TemperatureUnit, fahrenheit ? L"1" : L"0");
    TakeSample();
    RefreshDisplay();
    // Open dialogs that show a temperature follow at once.
    if (m_statusDialog) m_statusDialog->RefreshLines();
    if (m_overclockDialog) m_overclockDialog->SetFahrenheit(fahrenheit);
    ::EnableWindow(button->m_hWnd, TRUE);
}

namespace {

// Whether the process token is in the local Administrators group.
bool RunsAsAdministrator() {
    SID_IDENTIFIER_AUTHORITY authority = SECURITY_NT_AUTHORITY;
    PSID administrators = nullptr;
    if (!::AllocateAndInitializeSid(&authority, 2, SECURITY_BUILTIN_DOMAIN_RID, DOMAIN_ALIAS_RID_ADMINS, 0, 0, 0, 0,
                                    0, 0, &administrators)) {
        return false;
    }
    BOOL member = FALSE;
    const bool checked = ::CheckTokenMembership(nullptr, administrators, &member) != FALSE;
    ::FreeSid(administrators);
    return checked && member;
}

}  // namespace

// The BIOS backup tool: with administrator rights (the program asks for them again when
// its token lacks them), the panel goes to the tray and Kelvor starts from the UI directory.
void CMorvikDlg::OnBiosTool() {
    if (!RunsAsAdministrator()) {
        Processes().open(L"runas", ExecutablePath().c_str(), nullptr, nullptr);
    }
    OnMinimize();
    wchar_t kelvor[MAX_PATH];
    FormatText(kelvor, L"%sKelvor.exe", g_skinPaths.uiDirectory);
    Processes().open(nullptr, kelvor, nullptr, nullptr);
}

void CMorvikDlg::OnControlPanel() { Processes().open(nullptr, kControlPanel, nullptr, nullptr); }

void CMorvikDlg::OnWebPage() { Processes().open(nullptr, kWebPage, nullptr, nullptr); }
