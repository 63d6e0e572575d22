// The main window built in this process against the simulated driver: what runs
// periodically, the tooltips, and the notification-area icon with a shell that can
// refuse it.
#include "../e2e/process.h"
#include "framework/message_filter.h"
#include "gpu/fans.h"
#include "gpu/led.h"
#include "mainwnd/monitor_sample.h"
#include "profiles/settings_store.h"
#include "mainwnd/morvik_dlg.h"
#include "mainwnd/setting_dlg.h"
#include "mainwnd/system_tray.h"
#include "startup/logon_task.h"
#include "startup/start_with_windows.h"
#include "fake_task_service.h"
#include "resources/resource.h"
#include "product_key.h"
#include "sim_driver.h"
#include "skin/skin_catalog.h"
#include "skin/skin_paths.h"
#include "skin/image.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A shell that records every icon call and answers as told.
struct FakeShell {
    static std::vector<DWORD> calls;
    static std::vector<UINT> flags;
    static bool accepts;
    static DWORD refuses;  // one kind of call refused even while the shell accepts
    static BOOL WINAPI Notify(DWORD message, PNOTIFYICONDATAW data) {
        calls.push_back(message);
        flags.push_back(data->uFlags);
        return accepts && message != refuses ? TRUE : FALSE;
    }
    static int Adds() {
        int n = 0;
        for (DWORD call : calls) n += call == NIM_ADD;
        return n;
    }
};
std::vector<DWORD> FakeShell::calls;
std::vector<UINT> FakeShell::flags;
bool FakeShell::accepts = true;
DWORD FakeShell::refuses = ~0u;

class PanelTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim_.ok());
        ClearProductKey();
        BuildSkinPaths((StageDirectory() + L"\\Zorvane.exe").c_str(), g_skinPaths);
        ReadDialogBackgrounds(g_skinPaths);
        FakeShell::calls.clear();
        FakeShell::flags.clear();
        FakeShell::accepts = true;
        CSystemTray::s_notify = &FakeShell::Notify;
    }
    void TearDown() override {
        if (panel_.m_hWnd) panel_.DestroyWindow();
        CSystemTray::s_notify = ::Shell_NotifyIconW;
        ClearProductKey();
    }
    void Open(const char* scenario) {
        ASSERT_GE(sim_.Use(scenario), 0);
        ASSERT_TRUE(panel_.Create(IDD_MORVIK_DIALOG));
    }
    void Ticks(int count) {
        for (int i = 0; i < count; ++i) panel_.SendMessage(WM_TIMER, IDT_ANIMATION);
    }
    HWND ToolTipWindow() {
        HWND found = nullptr;
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND window, LPARAM lParam) {
                wchar_t name[64] = L"";
                ::GetClassNameW(window, name, 64);
                if (std::wstring(name) != TOOLTIPS_CLASSW) return TRUE;
                *reinterpret_cast<HWND*>(lParam) = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&found));
        return found;
    }

    SimDriver sim_;
    CMorvikDlg panel_;
};

// KillTimer answers whether the timer was running.
bool TimerRuns(HWND window, UINT id) { return ::KillTimer(window, id) != FALSE; }

TEST_F(PanelTest, TimersRunOnlyWithABoard) {
    const struct {
        const char* scenario;
        bool running;
    } cases[] = {{"panel", true}, {"sensors", true}, {"nodriver", false}};
    for (const auto& c : cases) {
        Open(c.scenario);
        for (UINT id : {IDT_ANIMATION, IDT_MONITOR, IDT_FAN_MODES, IDT_LED_SETTINGS}) {
            EXPECT_EQ(TimerRuns(panel_.m_hWnd, id), c.running) << c.scenario << " timer " << id;
        }
        panel_.DestroyWindow();
    }
}

TEST_F(PanelTest, WithoutABoardARefusedIconIsStillOfferedAgain) {
    FakeShell::accepts = false;
    Open("nodriver");
    Ticks(51);
    EXPECT_EQ(FakeShell::Adds(), 2);
    FakeShell::accepts = true;
    Ticks(51);
    EXPECT_EQ(FakeShell::Adds(), 3);
    // Taken: the timer that ran for the icon alone stops.
    EXPECT_FALSE(TimerRuns(panel_.m_hWnd, IDT_ANIMATION));
    EXPECT_FALSE(TimerRuns(panel_.m_hWnd, IDT_MONITOR));
}

// Runs the window's messages for `milliseconds`.
void Pump(DWORD milliseconds) {
    const ULONGLONG end = ::GetTickCount64() + milliseconds;
    while (::GetTickCount64() < end) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(10);
    }
}

TEST_F(PanelTest, MonitoringPeriodFromTheInterval) {
    // Timers never fire early: a 10-second period takes no sample in 2.5 s, a 1-second
    // one does (the fan and LED timers run meanwhile and are not counted).
    ASSERT_TRUE(SetProductValue(L"Interval", L"10"));
    Open("panel");
    unsigned before = panel_.SamplesTaken();
    Pump(2500);
    EXPECT_EQ(panel_.SamplesTaken(), before);
    panel_.DestroyWindow();

    ASSERT_TRUE(SetProductValue(L"Interval", L"1"));
    Open("panel");
    before = panel_.SamplesTaken();
    for (int i = 0; i < 10 && panel_.SamplesTaken() == before; ++i) Pump(500);
    EXPECT_GT(panel_.SamplesTaken(), before);
}

TEST_F(PanelTest, WindowStylesAboutBoxAndDragIcon) {
    const struct {
        const wchar_t* taskIcon;
        bool taskbarButton;
    } cases[] = {{nullptr, true}, {L"0", true}, {L"1", false}, {L"junk", true}};
    for (const auto& c : cases) {
        if (c.taskIcon) SetProductValue(L"TaskIcon", c.taskIcon);
        Open("panel");
        const LONG_PTR style = ::GetWindowLongPtrW(panel_.m_hWnd, GWL_STYLE);
        const LONG_PTR exStyle = ::GetWindowLongPtrW(panel_.m_hWnd, GWL_EXSTYLE);
        EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
        EXPECT_EQ((exStyle & WS_EX_APPWINDOW) != 0, c.taskbarButton);
        EXPECT_EQ((exStyle & WS_EX_TOOLWINDOW) != 0, !c.taskbarButton);
        EXPECT_NE(exStyle & WS_EX_LAYERED, 0);
        BYTE alpha = 0;
        DWORD flags = 0;
        EXPECT_TRUE(::GetLayeredWindowAttributes(panel_.m_hWnd, nullptr, &alpha, &flags));
        EXPECT_EQ(alpha, 255) << "a layered window without opacity shows nothing";
        panel_.DestroyWindow();
    }

    Open("panel");
    HMENU systemMenu = ::GetSystemMenu(panel_.m_hWnd, FALSE);
    wchar_t text[64] = L"";
    ::GetMenuStringW(systemMenu, IDM_ABOUTBOX, text, 64, MF_BYCOMMAND);
    EXPECT_STREQ(text, L"&About Morvik...");
    EXPECT_NE(panel_.SendMessage(WM_QUERYDRAGICON), 0);
}

TEST_F(PanelTest, ToolTipsOnlyWhenEnabledAndReloadedOnRequest) {
    ASSERT_TRUE(SetProductValue(L"ToolTips", L"1"));
    Open("panel");
    HWND tip = ToolTipWindow();
    ASSERT_NE(tip, nullptr);
    EXPECT_EQ(::GetWindow(tip, GW_OWNER), panel_.m_hWnd);
    // Every button of the panel but the LED button has a text in the default language file.
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), CMorvikDlg::kButtonCount - 1);

    ASSERT_TRUE(SetProductValue(L"ToolTips", L"0"));
    panel_.LoadToolTips();
    EXPECT_EQ(::SendMessageW(tip, TTM_GETTOOLCOUNT, 0, 0), 0);
}

TEST_F(PanelTest, RefusedIconIsOfferedAgainAboutEveryFiveSeconds) {
    FakeShell::accepts = false;
    Open("panel");
    ASSERT_EQ(FakeShell::Adds(), 1);
    EXPECT_EQ(FakeShell::flags[0], static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));

    Ticks(50);
    EXPECT_EQ(FakeShell::Adds(), 1) << "no retry before the 51st tick";
    Ticks(1);
    EXPECT_EQ(FakeShell::Adds(), 2);
    FakeShell::accepts = true;
    Ticks(51);
    EXPECT_EQ(FakeShell::Adds(), 3);
    Ticks(200);
    EXPECT_EQ(FakeShell::Adds(), 3) << "once the shell took it, no more retries";
}

TEST_F(PanelTest, MinimiseHidesAndPutsTheIconBack) {
    Open("panel");
    panel_.ShowWindow(SW_SHOW);
    FakeShell::calls.clear();
    panel_.SendMessage(WM_COMMAND, IDC_BUTTON_MINIMIZE);
    EXPECT_FALSE(panel_.IsWindowVisible());
    EXPECT_EQ(FakeShell::calls, (std::vector<DWORD>{NIM_DELETE, NIM_ADD}));
}

TEST_F(PanelTest, ClockDisplayModeAndFlagsFromTheRegistry) {
    const struct {
        const wchar_t* meterMode;
        const wchar_t* baseMode;
        const wchar_t* boostMode;
        int mode;
        bool base, boost;
    } cases[] = {
        {nullptr, nullptr, nullptr, kClockDisplayBase, false, false},
        {L"1", L"1", L"0", kClockDisplayCurrent, true, false},
        {L"2", L"2", L"1", kClockDisplayBoost, false, true},
        {L"3", L"", L"x", kClockDisplayBase, false, false},
        {L"-1", L"1", L"1", kClockDisplayBase, true, true},
    };
    for (const auto& c : cases) {
        ClearProductKey();
        if (c.meterMode) SetProductValue(L"MeterMode", c.meterMode);
        if (c.baseMode) SetProductValue(L"BaseMode", c.baseMode);
        if (c.boostMode) SetProductValue(L"BoostMode", c.boostMode);
        MonitorSettings settings;
        settings.clockDisplayMode = 9;
        ReadClockDisplayMode(settings);
        EXPECT_EQ(settings.clockDisplayMode, c.mode) << (c.meterMode ? c.meterMode : L"(none)");
        EXPECT_EQ(settings.baseFlag, c.base);
        EXPECT_EQ(settings.boostFlag, c.boost);
    }
}

TEST_F(PanelTest, FanButtonsTimerAndSlider) {
    Open("fans2");
    ASSERT_NE(panel_.FanDialogIfMade(), nullptr) << "made hidden at start for the follower";
    EXPECT_FALSE(panel_.FanDialogIfMade()->IsWindowVisible());
    panel_.SendMessage(WM_COMMAND, IDC_BUTTON_FANDUTYDEC);
    EXPECT_TRUE(panel_.FanDialogIfMade()->IsWindowVisible());
    EXPECT_TRUE(panel_.FanDialogIfMade()->TwoFans());

    // The 5-second pass follows a curve stored now.
    WriteBoardString(0, setting::FanCtrlMode, L"2");
    panel_.SendMessage(WM_TIMER, IDT_FAN_MODES);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);

    // "Fans to automatic": both groups stored automatic, every fan the driver's.
    GpuSetFan(0, 1, kFanSecond, 80);
    panel_.SendMessage(WM_COMMAND, IDC_BUTTON_FANDUTYINC);
    EXPECT_EQ(ReadBoardInt(0, setting::FanCtrlMode), 0);
    EXPECT_EQ(ReadBoardInt(0, setting::Fan2CtrlMode), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0);
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 0);
}

TEST_F(PanelTest, OneModeButtonIsLitAtATime) {
    Open("panel");
    const UINT modes[] = {IDC_BUTTON_USERMODE1, IDC_BUTTON_USERMODE3, IDC_BUTTON_USERMODE8, IDC_BUTTON_SILENCEMODE,
                          IDC_BUTTON_GAMINGMODE, IDC_BUTTON_OCMODE, IDC_BUTTON_OC2MODE};
    auto lit = [&] {
        std::vector<UINT> on;
        for (UINT id : modes) {
            auto* button = dynamic_cast<CControlButton*>(CWnd::FromHandlePermanent(::GetDlgItem(panel_.m_hWnd, id)));
            if (button && button->IsToggled()) on.push_back(id);
        }
        return on;
    };
    const struct {
        int slot;
        std::vector<UINT> lit;
    } cases[] = {{3, {IDC_BUTTON_USERMODE3}},  {8, {IDC_BUTTON_USERMODE8}},
                 {97, {IDC_BUTTON_SILENCEMODE}}, {98, {IDC_BUTTON_GAMINGMODE}},
                 {99, {IDC_BUTTON_OCMODE, IDC_BUTTON_OC2MODE}}, {0, {}}};
    for (const auto& c : cases) {
        panel_.LightModeButton(c.slot);
        EXPECT_EQ(lit(), c.lit) << "slot " << c.slot;
    }
}

// The catalogue is the panel's one list of controls: every control it names is made,
// and the panel looks none up that it does not name.
TEST_F(PanelTest, EveryCataloguedControlIsMade) {
    Open("panel");
    const WindowSkin* main = FindWindowSkin(L"Main");
    ASSERT_NE(main, nullptr);
    int controls = 0;
    for (std::size_t e = 0; e < main->elementCount; ++e) {
        const SkinElement& element = main->elements[e];
        if (element.control == ControlKind::None) continue;
        ++controls;
        EXPECT_NE(::GetDlgItem(panel_.m_hWnd, static_cast<int>(element.id)), nullptr)
            << std::string(element.key, element.key + std::wcslen(element.key));
    }
    EXPECT_EQ(controls, 1 + CMorvikDlg::kButtonCount + CMorvikDlg::kReadoutCount + CMorvikDlg::kGaugeCount + 2);
}

// A bare top-level window standing in for the main window.
// ---------------------------------------------------------------- commands and the window's life

TEST_F(PanelTest, SelectingABoardClosesTheDialogsAndLightsOnlyItsButton) {
    Open("multi");
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_STATUS, BN_CLICKED));
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_INFO, BN_CLICKED));
    ASSERT_NE(panel_.StatusDialogIfMade(), nullptr);
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_GPU3, BN_CLICKED));
    EXPECT_EQ(SelectedBoard, 2);
    EXPECT_EQ(panel_.StatusDialogIfMade(), nullptr);
    EXPECT_EQ(panel_.InfoDialogIfMade(), nullptr);
    for (UINT id : CMorvikDlg::kBoardButtonIds) EXPECT_EQ(panel_.IsButtonToggled(id), id == IDC_BUTTON_GPU3) << id;
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_GPU1, BN_CLICKED));
    EXPECT_EQ(SelectedBoard, 0);
}

TEST_F(PanelTest, TheUnitButtonStoresOneThenZero) {
    Open("demo");
    HWND unit = ::GetDlgItem(panel_.m_hWnd, IDC_BUTTON_TEMPUNIT);
    for (const wchar_t* stored : {L"1", L"0"}) {
        ::SendMessageW(unit, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::SendMessageW(unit, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        HKEY key;
        ASSERT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, kProductKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);
        wchar_t text[8] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        ::RegQueryValueExW(key, L"TemperatureUnit", nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes);
        ::RegCloseKey(key);
        EXPECT_STREQ(text, stored);
        EXPECT_EQ(DisplaySettings.temperatureUnit, stored[0] - L'0');
        EXPECT_TRUE(::IsWindowEnabled(unit));
    }
}

struct QuitAnswer {
    static inline int asked = 0;
    static inline int answer = IDCANCEL;
    static int Ask(CWnd&) {
        ++asked;
        return answer;
    }
};

TEST_F(PanelTest, TheQuitStateAndTheAnswerDecideWhatIsRestored) {
    const CMorvikDlg::QuitQuestion previous = CMorvikDlg::s_askQuit;
    CMorvikDlg::s_askQuit = &QuitAnswer::Ask;
    const std::wstring boardKey = L"Software\\Drelmont\\Zorvane\\10DE1E8712340002\\0";
    const struct {
        const wchar_t* quitState;
        int answer;
        int asked;
        bool restored;
    } cases[] = {
        {nullptr, IDOK, 1, true},      // "Restore default & Quit"
        {nullptr, IDCANCEL, 1, false},  // "Keep current & Quit", Escape or the close box
        {L"1", IDCANCEL, 0, true},     // restore without asking
        {L"2", IDOK, 0, false},        // keep without asking
        {L"7", IDCANCEL, 1, false},
    };
    Open("fans2");
    for (const auto& c : cases) {
        ClearProductKey();
        if (c.quitState) SetProductValue(L"QuitState", c.quitState);
        WriteBoardString(0, setting::UserModeActive, L"1");
        WriteBoardString(0, setting::FanCtrlMode, L"2");   // the first group follows its curve
        WriteBoardString(0, setting::Fan2CtrlMode, L"1");  // the second runs at a fixed speed
        GpuSetFan(0, 1, kFanFirst, 70);
        GpuSetFan(0, 1, kFanSecond, 60);
        QuitAnswer::asked = 0;
        QuitAnswer::answer = c.answer;
        panel_.PrepareQuit();
        EXPECT_EQ(QuitAnswer::asked, c.asked) << (c.quitState ? c.quitState : L"(none)");
        EXPECT_EQ(ReadBoardInt(0, setting::UserModeActive) == 0, c.restored) << (c.quitState ? c.quitState : L"-");
        EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0) << "a curve-mode fan never stays at its last level";
        if (!c.restored) {
            EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 1) << "a fixed speed stays";
            EXPECT_EQ(ReadBoardInt(0, setting::FanCtrlMode), 2) << "the stored mode stays";
        }
    }
    CMorvikDlg::s_askQuit = previous;
}

TEST_F(PanelTest, LogOffLeavesTheLedsInTheFixedColourAndResumeAppliesTheEffectAgain) {
    ASSERT_EQ(sim_.UseText("[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x00031234\nzone = 1\n"
                           "led_second = 1, 0, 0, 1\n"),  // kind 1001, one channel
              1);
    ASSERT_TRUE(panel_.Create(IDD_MORVIK_DIALOG));
    ASSERT_EQ(LedControllerKind(0), 1001);
    sim_.resetCounters();
    EXPECT_EQ(panel_.SendMessage(WM_QUERYENDSESSION, 0, 0), TRUE);
    const std::string log = sim_.I2cLog();
    EXPECT_EQ(log.rfind("W 92 60 01\nW 92 6C C8\nW 92 6D C8\nW 92 6E C8\nW 92 6F 64\n", 0), 0u) << log;

    WriteBoardString(0, setting::LedCtrlMode, L"1");
    sim_.resetCounters();
    panel_.SendMessage(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
    EXPECT_FALSE(sim_.I2cLog().empty()) << "the stored effect is sent again";
}

TEST(LedButton, OfferedForTheKindsTheDialogDrives) {
    const std::pair<int, bool> cases[] = {{-1, false}, {0, true},     {2, true},    {10, true}, {11, false},
                                          {500, false}, {999, false}, {1001, true}, {2003, true}};
    for (const auto& [kind, offered] : cases) EXPECT_EQ(IsUsableLedController(kind), offered) << kind;
}

TEST_F(PanelTest, ExitFromTheTrayMenuAsksTheQuitQuestion) {
    const CMorvikDlg::QuitQuestion previous = CMorvikDlg::s_askQuit;
    CMorvikDlg::s_askQuit = &QuitAnswer::Ask;
    QuitAnswer::asked = 0;
    QuitAnswer::answer = IDCANCEL;
    Open("demo");
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TRAY_EXIT, 0));
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
    EXPECT_EQ(QuitAnswer::asked, 1);
    CMorvikDlg::s_askQuit = previous;
}

TEST_F(PanelTest, TheTrayOpenCommandShowsTheWindow) {
    Open("demo");
    panel_.ShowWindow(SW_HIDE);
    panel_.SendMessage(WM_COMMAND, MAKEWPARAM(ID_TRAY_OPEN, 0));
    EXPECT_TRUE(panel_.IsWindowVisible());
}

class TrayTest : public testing::Test {
protected:
    void SetUp() override {
        owner_.CreateEx(0, L"STATIC", L"owner", WS_POPUP, RECT{0, 0, 10, 10}, nullptr, 0);
        FakeShell::calls.clear();
        FakeShell::flags.clear();
        FakeShell::accepts = true;
        CSystemTray::s_notify = &FakeShell::Notify;
    }
    void TearDown() override {
        CSystemTray::s_notify = ::Shell_NotifyIconW;
        owner_.DestroyWindow();
    }
    // The message the owner got, or 0.
    MSG Posted() {
        MSG msg{};
        while (::PeekMessageW(&msg, owner_.m_hWnd, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_COMMAND) return msg;
        }
        return MSG{};
    }
    CWnd owner_;
};

TEST_F(TrayTest, DoubleClickOpensAndOtherIconsAreIgnored) {
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&owner_, WM_TRAY_NOTIFY, L"Zorvane", nullptr, IDI_TRAY));
    tray.OnTrayNotification(IDI_TRAY + 1, WM_LBUTTONDBLCLK);
    EXPECT_EQ(Posted().message, 0u);
    tray.OnTrayNotification(IDI_TRAY, WM_LBUTTONDBLCLK);
    const MSG open = Posted();
    EXPECT_EQ(open.message, static_cast<UINT>(WM_COMMAND));
    EXPECT_EQ(open.wParam, static_cast<WPARAM>(ID_TRAY_OPEN));
}

TEST_F(TrayTest, ShellBroadcastsPutTheIconBackUnlessHidden) {
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&owner_, WM_TRAY_NOTIFY, L"Zorvane", nullptr, IDI_TRAY));
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    FakeShell::calls.clear();
    tray.SendMessage(taskbarCreated);
    // A work-area change finds the icon still there: it is refreshed, and added only
    // when the shell no longer knows it.
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETDESKWALLPAPER);
    EXPECT_EQ(FakeShell::calls, (std::vector<DWORD>{NIM_ADD, NIM_MODIFY}));
    FakeShell::calls.clear();
    FakeShell::refuses = NIM_MODIFY;
    tray.SendMessage(WM_SETTINGCHANGE, SPI_SETWORKAREA);
    EXPECT_EQ(FakeShell::calls, (std::vector<DWORD>{NIM_MODIFY, NIM_ADD}));
    FakeShell::refuses = ~0u;

    tray.RemoveIcon();
    EXPECT_TRUE(tray.IsHidden());
    FakeShell::calls.clear();
    tray.SendMessage(taskbarCreated);
    EXPECT_TRUE(FakeShell::calls.empty()) << "a removed icon stays away";

    // A refused re-add leaves the icon hidden.
    EXPECT_TRUE(tray.ShowIcon());
    FakeShell::accepts = false;
    tray.SendMessage(taskbarCreated);
    EXPECT_TRUE(tray.IsHidden());
}

TEST_F(TrayTest, ExplorersMessagesAreLetThroughToBothWindows) {
    static std::vector<std::pair<HWND, UINT>> allowed;
    allowed.clear();
    const MessageFilterFunction previous = SetMessageFilterFunction(
        [](HWND window, UINT message, DWORD action, PCHANGEFILTERSTRUCT) -> BOOL {
            if (action == MSGFLT_ALLOW) allowed.push_back({window, message});
            return TRUE;
        });
    CSystemTray tray;
    ASSERT_TRUE(tray.Create(&owner_, WM_TRAY_NOTIFY, L"Zorvane", nullptr, IDI_TRAY));
    SetMessageFilterFunction(previous);
    const UINT taskbarCreated = ::RegisterWindowMessageW(L"TaskbarCreated");
    for (HWND window : {tray.m_hWnd, owner_.m_hWnd}) {
        for (UINT message : {taskbarCreated, static_cast<UINT>(WM_TRAY_NOTIFY)}) {
            EXPECT_NE(std::find(allowed.begin(), allowed.end(), std::make_pair(window, message)), allowed.end())
                << std::hex << message;
        }
    }
}

TEST_F(TrayTest, DestroyedTrayRemovesItsIcon) {
    {
        CSystemTray tray;
        ASSERT_TRUE(tray.Create(&owner_, WM_TRAY_NOTIFY, L"Zorvane", nullptr, IDI_TRAY));
        FakeShell::calls.clear();
    }
    EXPECT_EQ(FakeShell::calls, (std::vector<DWORD>{NIM_DELETE}));
}

// ---------------------------------------------------------------- the settings dialog

TEST(SettingsPage, IntervalFromTheTypedText) {
    const std::pair<const wchar_t*, int> cases[] = {{L"0", 1}, {L"", 1}, {L"7", 7}, {L"99", 99},
                                                    {L"100", 99}, {L"-3", 99}, {L"05", 5}};
    for (const auto& [text, seconds] : cases) EXPECT_EQ(ParseMonitoringInterval(text), seconds) << text;
}

std::wstring RunValue() { return StoredValue(kRunKeyPath, kRunValueName); }

std::wstring ProductValue(const wchar_t* name) { return StoredValue(kProductKeyPath, name); }

class SettingsDialog : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        previousTasks_ = SetTaskServiceFactory(&FakeTaskServiceCreate);
        FakeTaskServiceReset(nullptr);
    }
    void TearDown() override {
        UnregisterStartWithWindows();
        SetTaskServiceFactory(previousTasks_);
        PanelTest::TearDown();
    }
    CSettingDlg& OpenSettings() {
        panel_.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_BUTTON_SETTING, BN_CLICKED));
        CSettingDlg* dialog = panel_.SettingDialogIfMade();
        EXPECT_NE(dialog, nullptr);
        return *dialog;
    }
    static std::wstring Executable() {
        wchar_t path[MAX_PATH] = {};
        ::GetModuleFileNameW(nullptr, path, MAX_PATH);
        return path;
    }
    TaskServiceFactory previousTasks_ = nullptr;
};

TEST_F(SettingsDialog, AStaleRunPathIsRewrittenAndTheBoxTicked) {
    HKEY run;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY,
                                nullptr, &run, nullptr),
              ERROR_SUCCESS);
    const wchar_t old[] = L"\"C:\\Old Place\\Zorvane.exe\" /A";
    ::RegSetValueExW(run, kRunValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(old), sizeof(old));
    ::RegCloseKey(run);
    Open("demo");
    CSettingDlg& dialog = OpenSettings();
    EXPECT_EQ(dialog.Box(IDC_SET_STARTUP).GetCheck(), BST_CHECKED);
    EXPECT_EQ(RunValue(), StartCommand(Executable().c_str()));
    EXPECT_TRUE(::IsWindowVisible(dialog.m_hWnd) || ::GetWindowLongPtrW(dialog.m_hWnd, GWL_STYLE) & WS_VISIBLE);
}

TEST_F(SettingsDialog, OkStoresEverythingAndThePanelFollows) {
    Open("demo");
    CSettingDlg& dialog = OpenSettings();
    EXPECT_EQ(dialog.Box(IDC_SET_BASE).GetCheck(), BST_CHECKED) << "nothing stored: base clock";
    EXPECT_EQ(dialog.Box(IDC_SET_STARTUP).GetCheck(), BST_UNCHECKED);
    wchar_t interval[8] = {};
    ::GetWindowTextW(dialog.IntervalEdit().m_hWnd, interval, 8);
    EXPECT_STREQ(interval, L"3");

    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SET_BOOST, BN_CLICKED));
    EXPECT_EQ(dialog.Box(IDC_SET_BOOST).GetCheck(), BST_CHECKED);
    EXPECT_EQ(dialog.Box(IDC_SET_BASE).GetCheck(), BST_UNCHECKED) << "one clock at a time";
    dialog.Box(IDC_SET_STARTUP).SetCheck(BST_CHECKED);
    dialog.Box(IDC_SET_TOOLTIPS).SetCheck(BST_CHECKED);
    dialog.IntervalEdit().SetWindowText(L"5");
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_FALSE(::GetWindowLongPtrW(dialog.m_hWnd, GWL_STYLE) & WS_VISIBLE) << "OK hides it";
    EXPECT_EQ(ProductValue(L"MeterMode"), L"2");
    EXPECT_EQ(ProductValue(L"ToolTips"), L"1");
    EXPECT_EQ(ProductValue(L"TELLIX"), L"0");
    EXPECT_EQ(ProductValue(L"Interval"), L"5");
    EXPECT_EQ(MonitoringInterval, 5);
    EXPECT_EQ(DisplaySettings.clockDisplayMode, kClockDisplayBoost) << "the panel read it again";
    EXPECT_EQ(RunValue(), StartCommand(Executable().c_str()));
    EXPECT_NE(std::wstring(FakeTaskServiceLog()).find(L"RegisterTaskDefinition"), std::wstring::npos);

    // Base, start with Windows off: the value and the task go.
    OpenSettings();
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SET_BASE, BN_CLICKED));
    dialog.Box(IDC_SET_STARTUP).SetCheck(BST_UNCHECKED);
    FakeTaskServiceReset(nullptr);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED));
    EXPECT_EQ(ProductValue(L"MeterMode"), L"0");
    EXPECT_EQ(DisplaySettings.clockDisplayMode, kClockDisplayBase);
    EXPECT_EQ(RunValue(), L"(no value)");
    EXPECT_NE(std::wstring(FakeTaskServiceLog()).find(L"DeleteTask"), std::wstring::npos);
    MonitoringInterval = 3;
}

TEST_F(SettingsDialog, CancelWritesNothingAndTheBoxesStayAsLeft) {
    Open("demo");
    CSettingDlg& dialog = OpenSettings();
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_SET_CURRENT, BN_CLICKED));
    dialog.Box(IDC_SET_TOOLTIPS).SetCheck(BST_CHECKED);
    dialog.SendMessage(WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED));
    EXPECT_FALSE(::GetWindowLongPtrW(dialog.m_hWnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_EQ(ProductValue(L"MeterMode"), L"(no value)");
    EXPECT_EQ(ProductValue(L"ToolTips"), L"(no value)");
    CSettingDlg& again = OpenSettings();
    EXPECT_EQ(&again, &dialog) << "the same dialog, not made again";
    EXPECT_EQ(again.Box(IDC_SET_CURRENT).GetCheck(), BST_CHECKED);
    EXPECT_EQ(again.Box(IDC_SET_TOOLTIPS).GetCheck(), BST_CHECKED);
}

}  // namespace
