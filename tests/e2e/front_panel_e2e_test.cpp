// The front panel of the real Zorvane.exe against the simulated boards: its shape and
// place, the read-outs as they appear on the screen, the board buttons and gauges.
#include "process.h"
#include "screen_match.h"

#include "../unit/png_fixture.h"
#include "../unit/product_key.h"

#include <gtest/gtest.h>

#include <commctrl.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr const wchar_t* kDialogClass = L"#32770";
constexpr const wchar_t* kTitle = L"Zorvane";
constexpr DWORD kStartTimeout = 20000;
constexpr double kTolerance = 12.0;  // mean colour distance of a picture drawn where expected

std::wstring UiDirectory() { return StageDirectory() + L"\\UI\\"; }

std::wstring SkinValue(const wchar_t* section, const wchar_t* key) {
    wchar_t value[MAX_PATH] = L"";
    ::GetPrivateProfileStringW(section, key, L"", value, MAX_PATH, (UiDirectory() + L"Zorvane.cfg").c_str());
    return value;
}

POINT SkinOrigin(const wchar_t* section, const wchar_t* key) {
    POINT origin{};
    std::swscanf(SkinValue(section, key).c_str(), L"%ld %ld", &origin.x, &origin.y);
    return origin;
}

Picture SkinPicture(const wchar_t* section, const std::wstring& key) {
    return LoadPicture(UiDirectory() + SkinValue(section, key.c_str()));
}


class FrontPanel : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(::FindWindowW(kDialogClass, kTitle), nullptr) << "a Zorvane window is left from elsewhere";
        ClearProductKey();
        for (int d = 0; d < 10; ++d) digits_.push_back(SkinPicture(L"Static", L"Static" + std::to_wstring(d)));
        for (const Picture& digit : digits_) ASSERT_FALSE(digit.empty()) << "the staged skin has no digit pictures";
    }
    void TearDown() override {
        if (window_) {
            DWORD code = 1;
            zorvane_.Close(window_);
            EXPECT_TRUE(zorvane_.WaitForExit(0, &code));
            EXPECT_EQ(code, 0u);
        }
        ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", nullptr);
        ClearProductKey();
    }

    void Start(const wchar_t* scenario, const wchar_t* arguments = L"") {
        ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", scenario);
        zorvane_ = ChildProcess::Start(StageDirectory() + L"\\Zorvane.exe", arguments);
        ASSERT_TRUE(zorvane_.started());
        window_ = zorvane_.WaitForWindow(kDialogClass, kTitle, kStartTimeout);
        ASSERT_NE(window_, nullptr);
    }

    // Waits until the first paint has shaped and shown the panel.
    void WaitUntilShown() {
        for (int i = 0; i < 200 && !IsShownShaped(window_); ++i) ::Sleep(50);
        ASSERT_TRUE(IsShownShaped(window_));
        ::Sleep(500);  // the paint after the window took its shape
    }

    Picture Screen() {
        RECT rect;
        ::GetWindowRect(window_, &rect);
        return CaptureScreen(rect);
    }

    // A read-out group as shown, highest digit first; a blank digit reads as ' ',
    // anything else unreadable as '?'.
    std::wstring Readout(const Picture& screen, const wchar_t* prefix, int count) {
        std::wstring text;
        for (int i = count; i >= 1; --i) {
            const std::wstring key = prefix + std::to_wstring(i);
            const POINT at = SkinOrigin(L"Static", key.c_str());
            const int digit = ClosestPicture(screen, at.x, at.y, digits_, kTolerance);
            if (digit >= 0) {
                text += static_cast<wchar_t>(L'0' + digit);
            } else {
                // Nothing drawn: the panel's own picture shows through.
                text += PictureDistance(screen, at.x, at.y, digits_[8]) > kTolerance ? L' ' : L'?';
            }
        }
        return text;
    }

    // Whether a toggle button shows its toggled picture (rather than its normal one).
    bool ShowsToggled(const Picture& screen, const wchar_t* key) {
        const POINT at = SkinOrigin(L"TButton", key);
        const std::vector<Picture> states{SkinPicture(L"TButton", std::wstring(key) + L"N"),
                                          SkinPicture(L"TButton", std::wstring(key) + L"TN")};
        return ClosestPicture(screen, at.x, at.y, states, kTolerance) == 1;
    }

    bool Shown(int id) {
        HWND control = ::GetDlgItem(window_, id);
        return control && ::IsWindowVisible(control);
    }

    bool Exists(int id) { return ::GetDlgItem(window_, id) != nullptr; }

    // The program's dialog of that caption once it is shown with its shape, else null.
    HWND WaitForDialog(const wchar_t* caption) {
        for (int i = 0; i < 100; ++i) {
            const HWND dialog = zorvane_.FindWindow(kDialogClass, caption);
            if (dialog && IsShownShaped(dialog)) return dialog;
            ::Sleep(50);
        }
        return nullptr;
    }

    // A left click in one of the panel's buttons, as the user makes it.
    void ClickButton(int id) {
        HWND button = ::GetDlgItem(window_, id);
        ASSERT_NE(button, nullptr) << id;
        ::SendMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
        ::SendMessageW(button, WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    }

    // A value of the first board's settings of that identity, as the program stored it.
    static std::wstring StoredForBoard(const wchar_t* identity, const wchar_t* name) {
        const std::wstring key = std::wstring(L"Software\\Drelmont\\Zorvane\\") + identity + L"\\0";
        HKEY k;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, KEY_READ | KEY_WOW64_32KEY, &k) != ERROR_SUCCESS) {
            return L"(no key)";
        }
        wchar_t text[64] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        const LONG status = ::RegQueryValueExW(k, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes);
        ::RegCloseKey(k);
        return status == ERROR_SUCCESS ? std::wstring(text) : std::wstring(L"(no value)");
    }

    // Polls until `readouts` shows `expected` (the window repaints on its own schedule).
    void ExpectReadouts(const std::vector<std::pair<const wchar_t*, std::wstring>>& expected) {
        std::wstring seen;
        for (int attempt = 0; attempt < 20; ++attempt) {
            const Picture screen = Screen();
            seen.clear();
            bool all = true;
            for (const auto& [prefix, text] : expected) {
                const std::wstring shown = Readout(screen, prefix, static_cast<int>(text.size()));
                seen += std::wstring(prefix) + L"=[" + shown + L"] ";
                all = all && shown == text;
            }
            if (all) return;
            ::Sleep(250);
        }
        ADD_FAILURE() << "read-outs show " << std::string(seen.begin(), seen.end());
    }

    GdiplusSession gdiplus_;
    std::vector<Picture> digits_;
    ChildProcess zorvane_;
    HWND window_ = nullptr;
};

TEST_F(FrontPanel, TwoBoardsShowTheFirstBoardLiveOnAShapedCentredPanel) {
    Start(L"panel");
    WaitUntilShown();

    const Picture background = LoadPicture(UiDirectory() + SkinValue(L"DIALOG", L"Main"));
    RECT rect;
    ::GetWindowRect(window_, &rect);
    EXPECT_EQ(rect.right - rect.left, background.width);
    EXPECT_EQ(rect.bottom - rect.top, background.height);
    EXPECT_EQ(rect.left, (::GetSystemMetrics(SM_CXSCREEN) - background.width) / 2);
    EXPECT_EQ(rect.top, (::GetSystemMetrics(SM_CYSCREEN) - background.height) / 2);
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(window_, shape), COMPLEXREGION);
    EXPECT_FALSE(::PtInRegion(shape, 0, 0)) << "the rounded corner is cut out";
    EXPECT_TRUE(::PtInRegion(shape, background.width / 2, background.height / 2));
    ::DeleteObject(shape);
    EXPECT_EQ(::GetWindowLongPtrW(window_, GWL_STYLE) & WS_CAPTION, 0);

    // 65 degC, 7 %, 1005 MHz with its inner zeros, 975 MHz without a thousands digit.
    ExpectReadouts({{L"StaticTemp", L" 65"}, {L"StaticFanDuty", L"  7"}, {L"StaticCore", L"1005"},
                    {L"StaticMemory", L" 975"}});

    EXPECT_TRUE(Shown(12349));   // GPU1
    EXPECT_TRUE(Shown(12350));   // GPU #2
    EXPECT_FALSE(Shown(12351));  // GPU #3
    EXPECT_FALSE(Shown(12390));  // GPU #8
    const Picture screen = Screen();
    EXPECT_TRUE(ShowsToggled(screen, L"ButtonGPU1"));
    EXPECT_FALSE(ShowsToggled(screen, L"ButtonGPU2"));
    EXPECT_FALSE(ShowsToggled(screen, L"ButtonTempUnit"));

    for (int gauge : {12337, 12338, 12395, 12396}) EXPECT_TRUE(Shown(gauge)) << gauge;
    EXPECT_FALSE(Shown(12371)) << "no LED controller on these boards";
    for (int hidden : {12344, 12345, 12346, 12391, 12392, 12393, 12394, 12348}) EXPECT_FALSE(Shown(hidden)) << hidden;
    for (int shown : {12324, 12313, 12314, 12311, 12317, 12343, 12320}) EXPECT_TRUE(Shown(shown)) << shown;

    // Neither key closes the panel.
    for (WPARAM key : {VK_ESCAPE, VK_RETURN}) {
        ::PostMessageW(window_, WM_KEYDOWN, key, 0);
        ::PostMessageW(window_, WM_KEYUP, key, 0);
    }
    ::Sleep(500);
    EXPECT_TRUE(::IsWindowVisible(window_));
    EXPECT_FALSE(zorvane_.WaitForExit(0));
}

TEST_F(FrontPanel, FahrenheitAndDisabledMetersFromTheRegistry) {
    ASSERT_TRUE(SetProductValue(L"TemperatureUnit", L"1"));
    ASSERT_TRUE(SetProductValue(L"DisableMeter", L"5"));
    Start(L"panel");
    WaitUntilShown();

    ExpectReadouts({{L"StaticTemp", L"149"}, {L"StaticFanDuty", L"  7"}});
    EXPECT_TRUE(ShowsToggled(Screen(), L"ButtonTempUnit"));
    EXPECT_FALSE(Exists(12337)) << "memory gauge: bit 1";
    EXPECT_TRUE(Exists(12338));
    EXPECT_FALSE(Exists(12395)) << "temperature gauge: bit 4";
    EXPECT_TRUE(Exists(12396));
}

TEST_F(FrontPanel, HoveringAButtonShowsItsToolTip) {
    ASSERT_TRUE(SetProductValue(L"ToolTips", L"1"));
    Start(L"panel");
    WaitUntilShown();
    RECT button;
    ::GetWindowRect(::GetDlgItem(window_, 12309), &button);  // "ButtonSetting"
    const POINT centre{(button.left + button.right) / 2, (button.top + button.bottom) / 2};
    ::SetCursorPos(centre.x - 3, centre.y);
    ::Sleep(100);
    ::SetCursorPos(centre.x, centre.y);

    wchar_t expected[MAX_PATH] = L"";
    ::GetPrivateProfileStringW(L"Button", L"ButtonSettingTip", L"", expected, MAX_PATH,
                               (UiDirectory() + L"Zorvane.loc").c_str());
    ASSERT_NE(expected[0], L'\0');
    HWND tip = nullptr;
    for (int i = 0; i < 60 && !(tip && ::IsWindowVisible(tip)); ++i) {
        ::Sleep(50);
        tip = zorvane_.FindWindow(TOOLTIPS_CLASSW, nullptr);
    }
    ASSERT_NE(tip, nullptr);
    EXPECT_TRUE(::IsWindowVisible(tip));
    wchar_t text[MAX_PATH] = L"";
    // The tooltip answers with the text it shows (GetWindowText would not ask another process).
    ::SendMessageW(tip, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, expected);
    ::SetCursorPos(0, 0);
}

TEST_F(FrontPanel, OneBoardHasNoBoardButtons) {
    Start(L"sensors");
    WaitUntilShown();
    ExpectReadouts({{L"StaticTemp", L" 65"}});
    for (int id : {12349, 12350, 12351, 12352, 12387, 12388, 12389, 12390}) EXPECT_FALSE(Shown(id)) << id;
}

TEST_F(FrontPanel, NoBoardShowsZerosEverywhere) {
    Start(L"nodriver");
    WaitUntilShown();
    ExpectReadouts({{L"StaticTemp", L"  0"}, {L"StaticFanDuty", L"  0"}, {L"StaticCore", L"   0"},
                    {L"StaticMemory", L"   0"}});
    for (int id : {12349, 12350, 12371}) EXPECT_FALSE(Shown(id)) << id;
}

TEST_F(FrontPanel, StartAtLogonLeavesTheWindowHidden) {
    Start(L"panel", L"/A");
    // Its first paint shapes it; from then on it stays hidden (a loaded machine may
    // take a while to get there).
    HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
    for (int i = 0; i < 200 && ::GetWindowRgn(window_, shape) == ERROR; ++i) ::Sleep(50);
    ::DeleteObject(shape);
    ::Sleep(1000);
    EXPECT_FALSE(::IsWindowVisible(window_));
    EXPECT_TRUE(::IsWindow(window_));
}

// The fan button opens the fan control dialog; its Apply stores what each mode stores.
TEST_F(FrontPanel, FanDialogAppliesAndStoresEachMode) {
    Start(L"fans2");
    WaitUntilShown();
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12322, BN_CLICKED), 0);  // "ButtonFanDutyDec"
    const HWND dialog = WaitForDialog(L"Fan Control - Zorvane");
    ASSERT_NE(dialog, nullptr);

    auto stored = [&](const wchar_t* name) { return StoredForBoard(L"10DE1E8712340002", name); };
    // A click on a mode's box, then Apply, as the user makes them.
    auto apply = [&](int box, int box2) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(box, BN_CLICKED), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(box2, BN_CLICKED), 0);
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(12311, BN_CLICKED), 0);
    };
    apply(1053, 1072);  // fixed
    EXPECT_EQ(stored(L"FanCtrlMode"), L"1");
    EXPECT_EQ(stored(L"Fan2CtrlMode"), L"1");
    apply(1052, 1070);  // curve: the points as the control holds them
    EXPECT_EQ(stored(L"FanCtrlMode"), L"2");
    EXPECT_EQ(stored(L"Fan2CtrlMode"), L"2");
    EXPECT_EQ(stored(L"FanCrvPt4").size(), 10u);
    apply(1004, 1071);  // automatic: the reset curve
    EXPECT_EQ(stored(L"FanCtrlMode"), L"0");
    EXPECT_EQ(stored(L"FanCrvPt1"), L"0100000000");
    EXPECT_EQ(stored(L"Fan2CrvPt4"), L"0900010000");
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "Cancel hides it";
    EXPECT_TRUE(::IsWindow(dialog));
}

TEST_F(FrontPanel, TheLedButtonOpensTheLedDialogWhoseBoxesStoreAtOnce) {
    Start(L"ledrgb");
    WaitUntilShown();
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12371, BN_CLICKED), 0);  // the LED button
    const HWND dialog = WaitForDialog(L"LED Control - Zorvane");
    ASSERT_NE(dialog, nullptr);
    for (const auto& [box, code] : {std::pair{12422, L"6"}, {12373, L"1"}, {12382, L"9"}}) {
        ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(box, BN_CLICKED), 0);
        EXPECT_EQ(StoredForBoard(L"10DE1E8712340007", L"LedCtrlMode"), code) << box;
    }
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "Cancel hides it";
}

TEST_F(FrontPanel, SaveThenASlotStoresItRestoreForgetsItAndTheSlotAppliesItAgain) {
    Start(L"demo");
    WaitUntilShown();
    auto stored = [&](const wchar_t* name) { return StoredForBoard(L"10DE1E8712340001", name); };
    ClickButton(12320);  // Save
    ClickButton(12317);  // user mode 1
    EXPECT_EQ(stored(L"UserModeActive"), L"1");
    EXPECT_NE(stored(L"UserMode1CClkDelta2"), L"(no value)");
    EXPECT_NE(stored(L"UserMode1FS"), L"(no value)");
    ::SendMessageW(window_, WM_COMMAND, MAKEWPARAM(12312, BN_CLICKED), 0);  // Restore
    EXPECT_EQ(stored(L"UserModeActive"), L"0");
    EXPECT_EQ(stored(L"LedCtrlMode"), L"0") << "the LEDs follow the temperature again";
    ClickButton(12317);
    EXPECT_EQ(stored(L"UserModeActive"), L"1");
}

TEST_F(FrontPanel, TheOverclockDialogOpensAndOkAppliesAndEndsTheUserMode) {
    Start(L"curve");
    WaitUntilShown();
    auto stored = [&](const wchar_t* name) { return StoredForBoard(L"10DE1E8712340001", name); };
    ClickButton(12320);  // Save
    ClickButton(12317);  // user mode 1
    ASSERT_EQ(stored(L"UserModeActive"), L"1");
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12339, BN_CLICKED), 0);  // "ButtonOC"
    const HWND dialog = WaitForDialog(L"Overclock - Zorvane");
    ASSERT_NE(dialog, nullptr);
    // The memory offset to +500 MHz, as a drag ends.
    const HWND memory = ::GetDlgItem(dialog, 1003);
    ASSERT_NE(memory, nullptr);
    ::SendMessageW(memory, TBM_SETPOS, TRUE, 500);
    ::SendMessageW(dialog, WM_HSCROLL, MAKEWPARAM(SB_ENDSCROLL, 0), reinterpret_cast<LPARAM>(memory));
    wchar_t value[16] = {};
    ::GetWindowTextW(::GetDlgItem(dialog, 1007), value, 16);
    EXPECT_STREQ(value, L"+500");
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "OK hides it";
    EXPECT_EQ(stored(L"UserModeActive"), L"0");
    // The panel's next sample shows the memory clock with the offset (7000 MHz + 500).
    ExpectReadouts({{L"StaticMemory", L"7500"}});
    EXPECT_FALSE(ShowsToggled(Screen(), L"ButtonUserMode1")) << "no mode button stays lit";
}

TEST_F(FrontPanel, TheStatusAndInformationDialogsOpenShowTheBoardAndClose) {
    Start(L"sensors");
    WaitUntilShown();
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12310, BN_CLICKED), 0);  // "ButtonStatus"
    const HWND status = WaitForDialog(L"Status - Zorvane");
    ASSERT_NE(status, nullptr);
    auto line = [](HWND dialog, int id) {
        wchar_t text[200] = {};
        ::GetWindowTextW(::GetDlgItem(dialog, id), text, 200);
        return std::wstring(text);
    };
    // The first sample comes one monitoring interval (3 s) after the dialog is made.
    for (int i = 0; i < 100 && line(status, 1039) != L"Core Tempature : 65 'C"; ++i) ::Sleep(100);
    EXPECT_EQ(line(status, 1039), L"Core Tempature : 65 'C");
    EXPECT_EQ(line(status, 1040), L"Core Usage : 42 %");
    EXPECT_EQ(line(status, 1009), L"Core Voltage : 0.881 V");
    EXPECT_EQ(line(status, 1005).rfind(L"Core Clock : 1600 MHz      Base : ", 0), 0u) << "with base and boost";
    ::SendMessageW(::GetDlgItem(status, 12341), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(::GetDlgItem(status, 12341), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(::IsWindowVisible(status)) << "its close button hides it";

    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12315, BN_CLICKED), 0);  // "ButtonInfo"
    const HWND info = WaitForDialog(L"Information - Zorvane");
    ASSERT_NE(info, nullptr);
    ::SendMessageW(::GetDlgItem(info, 12340), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    ::SendMessageW(::GetDlgItem(info, 12340), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
    EXPECT_FALSE(::IsWindowVisible(info)) << "its close button hides it";
    EXPECT_TRUE(::IsWindow(status) && ::IsWindow(info)) << "both are kept";
}

TEST_F(FrontPanel, TheSettingsPageStoresItsValuesAndStartWithWindows) {
    Start(L"demo");
    WaitUntilShown();
    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12309, BN_CLICKED), 0);  // "ButtonSetting"
    const HWND dialog = WaitForDialog(L"Setting - Zorvane");
    ASSERT_NE(dialog, nullptr);
    auto value = [](const wchar_t* path, const wchar_t* name) {
        HKEY key;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
            return std::wstring(L"(no key)");
        }
        wchar_t text[300] = {};
        DWORD bytes = sizeof(text) - sizeof(wchar_t);
        const LONG status = ::RegQueryValueExW(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(text), &bytes);
        ::RegCloseKey(key);
        return status == ERROR_SUCCESS ? std::wstring(text) : std::wstring(L"(no value)");
    };
    const wchar_t* run = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const wchar_t* product = L"Software\\Drelmont\\Zorvane";
    ::SendMessageW(::GetDlgItem(dialog, 1004), BM_CLICK, 0, 0);  // start with Windows
    ::SendMessageW(::GetDlgItem(dialog, 1035), BM_CLICK, 0, 0);  // current clock
    ::SendMessageW(::GetDlgItem(dialog, 1009), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7"));
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_FALSE(::IsWindowVisible(dialog)) << "OK hides it";
    EXPECT_EQ(value(product, L"MeterMode"), L"1");
    EXPECT_EQ(value(product, L"Interval"), L"7");
    const std::wstring command = value(run, L"Zorvane");
    EXPECT_EQ(command.rfind(L"\""), command.size() - 4) << "\"<path>\" /A";
    EXPECT_NE(command.find(L"Zorvane.exe\" /A"), std::wstring::npos) << std::string(command.begin(), command.end());

    ::PostMessageW(window_, WM_COMMAND, MAKEWPARAM(12309, BN_CLICKED), 0);
    ASSERT_NE(WaitForDialog(L"Setting - Zorvane"), nullptr);
    EXPECT_EQ(::SendMessageW(::GetDlgItem(dialog, 1004), BM_GETCHECK, 0, 0), BST_CHECKED);
    ::SendMessageW(::GetDlgItem(dialog, 1004), BM_CLICK, 0, 0);
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    EXPECT_EQ(value(run, L"Zorvane"), L"(no value)") << "unticked: the Run value goes";
}

TEST_F(FrontPanel, GpuTwoShowsTheSecondBoardAndOnlyItsButtonIsLit) {
    Start(L"panel");
    WaitUntilShown();
    ClickButton(12350);  // GPU #2
    ExpectReadouts({{L"StaticTemp", L" 80"}, {L"StaticFanDuty", L"100"}, {L"StaticCore", L"1234"},
                    {L"StaticMemory", L"5005"}});
    const Picture screen = Screen();
    EXPECT_TRUE(ShowsToggled(screen, L"ButtonGPU2"));
    EXPECT_FALSE(ShowsToggled(screen, L"ButtonGPU1"));
}

TEST_F(FrontPanel, CloseAsksTheQuitQuestionAndKeepCurrentEndsTheProgram) {
    Start(L"demo");
    WaitUntilShown();
    ClickButton(12314);  // the close button
    const HWND question = zorvane_.WaitForWindow(L"#32770", L"Quit - Zorvane", 10000);
    ASSERT_NE(question, nullptr);
    auto text = [question](int id) {
        wchar_t buffer[128] = {};
        ::GetWindowTextW(::GetDlgItem(question, id), buffer, 128);
        return std::wstring(buffer);
    };
    EXPECT_EQ(text(1033), L"Quit Zorvane now ?");
    EXPECT_EQ(text(IDOK), L"Restore default && Quit");
    EXPECT_EQ(text(IDCANCEL), L"Keep current && Quit");
    ::PostMessageW(question, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    DWORD code = 1;
    EXPECT_TRUE(zorvane_.WaitForExit(10000, &code));
    EXPECT_EQ(code, 0u);
    window_ = nullptr;
}

}  // namespace
