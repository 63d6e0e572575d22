// The fan curve model, the curve control and the fan control dialog against the
// simulated driver and Wine's registry.
#include "../e2e/process.h"
#include "dialogs/fan_ctrl_dlg.h"
#include "dialogs/fan_curve.h"
#include "dialogs/info_dlg.h"
#include "dialogs/status_dlg.h"
#include "dialogs/led_ctrl_dlg.h"
#include "dialogs/led_rules.h"
#include "dialogs/overclock_dlg.h"
#include "dialogs/overclock_page.h"
#include "dialogs/companions.h"
#include "framework/prompt.h"
#include "gpu/clocks.h"
#include "gpu/frame_rate.h"
#include "gpu/power_thermal.h"
#include "gpu/voltage.h"
#include "profiles/board_features.h"
#include "gpu/led.h"
#include "profiles/led_effects.h"
#include "fan_follower_host.h"
#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "product_key.h"
#include "profiles/builtin_modes.h"
#include "profiles/settings_store.h"
#include "resources/resource.h"
#include "sim_driver.h"
#include "skin/image.h"
#include "skin/skin_paths.h"

#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>

namespace {

GdiplusSession imaging;

// ---------------------------------------------------------------- the curve model

TEST(FanCurve, StoredPointsDecodeClampedToTheScaleAndTheFan) {
    const struct {
        int value;
        bool stored;
        CurvePoint point;
    } cases[] = {
        {900010000, true, {90, 100}},  // "0900010000"
        {1500000000, true, {100, 30}},  // temperature 150 is clamped, level 0 raised to the minimum
        {450000500, true, {45, 30}},     // 5 % on a fan whose minimum is 30 %
        {360003300, true, {36, 33}},
        {0, false, {}},  // missing or not a number: the default point
    };
    for (const auto& c : cases) {
        CurvePoint point{};
        EXPECT_EQ(DecodeCurvePoint(c.value, 30, 100, point), c.stored) << c.value;
        if (c.stored) {
            EXPECT_EQ(point, c.point) << c.value;
        }
    }
    EXPECT_EQ(CurvePointText(36, 33), L"0360003300");
    EXPECT_EQ(CurvePointText(90, 100), L"0900010000");
    EXPECT_EQ(CurveCaption({45, 60}), L" 60% @  45'C");
}

TEST(FanCurve, PlotAreaPixelsAndTheDefaultCurve) {
    const PlotArea plot = PlotAreaFor(372, 218);  // the default skin's curve control
    EXPECT_EQ(plot.left, 40);
    EXPECT_EQ(plot.top, 28);
    EXPECT_EQ(plot.right, 350);
    EXPECT_EQ(plot.bottom, 178);
    EXPECT_EQ(PercentToPixel(plot, {36, 33}), (CurvePoint{152, 128}));
    EXPECT_EQ(PixelToPercent(plot, {152, 128}), (CurvePoint{36, 33}));
    Curve pixels;
    DefaultCurve(plot, LevelToY(plot, 30), LevelToY(plot, 100), pixels);
    EXPECT_EQ(pixels[0], (CurvePoint{40, 133}));
    EXPECT_EQ(pixels[1], (CurvePoint{71, 133}));   // ceil(10 % of 310) to the right, on the minimum
    EXPECT_EQ(pixels[4], (CurvePoint{319, 28}));   // ceil(90 %), on the maximum
    EXPECT_EQ(pixels[2], (CurvePoint{71 + 248 / 3, 133 - 105 / 3}));
    EXPECT_EQ(pixels[3], (CurvePoint{71 + 248 * 2 / 3, 133 - 105 * 2 / 3}));
    EXPECT_EQ(pixels[5], (CurvePoint{350, 28}));
}

TEST(FanCurve, EvaluationBetweenAndAtThePoints) {
    const Curve curve = {{0, 30}, {10, 30}, {36, 33}, {63, 66}, {90, 100}, {100, 100}};
    const struct {
        int temperature, level;
    } cases[] = {
        {50, 51},   // 33 + ceil(33 x 14 / 27)
        {36, 33},   // exactly an inner point
        {63, 66},   {5, 30}, {0, 30}, {-5, 30},  // at or below P0
        {100, 100}, {120, 100},                   // at or above P5
        {95, 100},
    };
    for (const auto& c : cases) EXPECT_EQ(EvaluateCurve(curve, c.temperature), c.level) << c.temperature;
    // Points on one temperature: the higher level counts there.
    const Curve steep = {{0, 20}, {40, 20}, {40, 80}, {60, 80}, {90, 90}, {100, 90}};
    EXPECT_EQ(EvaluateCurve(steep, 40), 80);
}

// ---------------------------------------------------------------- the curve control

class CurveControl : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(owner.CreateEx(0, L"STATIC", L"", WS_POPUP, RECT{0, 0, 400, 240}, nullptr, 0));
        ASSERT_TRUE(curve.Create(RECT{0, 0, 372, 218}, &owner, 1046));
        curve.SetLevelLimits(30, 100);
    }
    void TearDown() override { owner.DestroyWindow(); }
    void Drag(CurvePoint from, CurvePoint to) {
        curve.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(from.x, from.y));
        curve.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to.x, to.y));
        curve.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(to.x, to.y));
    }
    CWnd owner;
    CPolycurveCtrl curve;
};

TEST_F(CurveControl, DraggedPointsKeepTheirNeighboursAndLines) {
    const Curve& p = curve.Pixels();
    const CurvePoint p1 = p[1], p2 = p[2], p3 = p[3], p4 = p[4];
    Drag(p2, {p3.x + 60, p2.y - 5});
    EXPECT_EQ(curve.Pixels()[2].x, p3.x) << "P2 stops at P3's temperature";
    EXPECT_EQ(curve.Pixels()[2].y, p2.y - 5);
    EXPECT_EQ(curve.Selected(), 2);
    Drag(p1, {p1.x + 10, p1.y - 80});
    EXPECT_EQ(curve.Pixels()[1], (CurvePoint{p1.x + 10, p1.y})) << "P1 stays on the minimum level";
    Drag(p4, {5, 0});
    EXPECT_EQ(curve.Pixels()[4], (CurvePoint{p3.x, p4.y})) << "P4 stays on the maximum, right of P3";
    const CurvePoint grabbed = curve.Pixels()[3];
    Drag(grabbed, {grabbed.x, 500});
    EXPECT_EQ(curve.Pixels()[3].y, curve.Pixels()[0].y) << "P3 no lower than the minimum line";
    Drag({1, 1}, {100, 100});
    EXPECT_EQ(curve.Selected(), 3) << "a press beside every mark grabs nothing";
    EXPECT_EQ(curve.Pixels()[0], p[0]);
}

TEST_F(CurveControl, DrawsTheGridAxesMarksAndCaption) {
    const PlotArea& plot = curve.Plot();
    HDC picture = curve.Picture();
    EXPECT_EQ(::GetPixel(picture, plot.left, plot.bottom + 2), RGB(192, 192, 192)) << "the y axis runs 3 px below";
    EXPECT_EQ(::GetPixel(picture, plot.left + 31, plot.bottom + 2), RGB(192, 192, 192)) << "a tick under a grid line";
    const CurvePoint p2 = curve.Pixels()[2];
    EXPECT_EQ(::GetPixel(picture, p2.x - 4, p2.y - 4), RGB(255, 255, 255)) << "an 8 x 8 mark";
    EXPECT_NE(::GetPixel(picture, p2.x + 4, p2.y + 4), RGB(255, 255, 255));
    auto captionPixels = [&] {
        int lit = 0;
        for (int x = plot.right - 120; x < plot.right; ++x) {
            for (int y = 5; y < 18; ++y) lit += ::GetPixel(picture, x, y) == RGB(192, 192, 192);
        }
        return lit;
    };
    EXPECT_EQ(captionPixels(), 0) << "no caption before a point is grabbed";
    Drag(p2, p2);
    EXPECT_GT(captionPixels(), 0);
}

// ---------------------------------------------------------------- the dialog

const std::wstring kFans2Key = L"Software\\Drelmont\\Zorvane\\10DE1E8712340002\\0";

std::wstring Stored(const std::wstring& path, const wchar_t* name) { return StoredValue(path, name); }

class FanDialog : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(sim.ok());
        ClearProductKey();
        BuildSkinPaths((StageDirectory() + L"\\Zorvane.exe").c_str(), g_skinPaths);
        ReadDialogBackgrounds(g_skinPaths);
        SelectedBoard = 0;
    }
    void TearDown() override {
        if (dialog && dialog->m_hWnd) dialog->DestroyWindow();
        dialog.reset();
        ClearProductKey();
    }
    void Open(const char* scenario) {
        ASSERT_EQ(sim.Use(scenario), 1);
        dialog = std::make_unique<CFanCtrlDlg>(GpuGetFanMode(0, kFanGeneric, 10) > 1);
        ASSERT_TRUE(dialog->Create());
    }
    SimDriver sim;
    std::unique_ptr<CFanCtrlDlg> dialog;
};

TEST_F(FanDialog, AutomaticApplyStoresAndLoadsTheResetCurve) {
    Open("fans2");
    dialog->SelectMode(0, kFanCurve);
    dialog->ApplyFanSettings();
    EXPECT_EQ(Stored(kFans2Key, L"FanCtrlMode"), L"2");
    dialog->SelectMode(0, kFanAutomatic);
    dialog->SelectMode(1, kFanAutomatic);
    dialog->ApplyFanSettings();
    const wchar_t* const texts[] = {L"0100000000", L"0360003300", L"0630006600", L"0900010000"};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(Stored(kFans2Key, (L"FanCrvPt" + std::to_wstring(i)).c_str()), texts[i - 1]) << i;
        EXPECT_EQ(Stored(kFans2Key, (L"Fan2CrvPt" + std::to_wstring(i)).c_str()), texts[i - 1]) << i;
    }
    EXPECT_EQ(Stored(kFans2Key, L"FanCtrlMode"), L"0");
    // Loaded at once, each level inside the fan's limits (30 to 100 on the generic cooler).
    Curve percent;
    dialog->CurveControl(0).PercentPoints(percent);
    EXPECT_EQ(percent[1], (CurvePoint{10, 30}));
    EXPECT_EQ(percent[2], (CurvePoint{36, 33}));
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0) << "the fan is the driver's again";
}

TEST_F(FanDialog, AFanUnderAutomaticControlOpensAutomatic) {
    Open("fans2");
    WriteBoardString(0, setting::FanCtrlMode, L"1");
    WriteBoardString(0, setting::Fan2CtrlMode, L"2");
    dialog->RefreshFromDriver();
    EXPECT_EQ(dialog->ShownMode(0), kFanAutomatic);
    EXPECT_EQ(dialog->ShownMode(1), kFanAutomatic);
    EXPECT_EQ(dialog->StoredMode(1), kFanCurve);
    GpuSetFan(0, 1, kFanSecond, 60);  // the second fan manual: its stored curve mode shows
    dialog->RefreshFromDriver();
    EXPECT_EQ(dialog->ShownMode(1), kFanCurve);
}

TEST_F(FanDialog, AClickOnTheDisabledSliderChoosesFixed) {
    Open("fans2");
    dialog->SelectMode(0, kFanAutomatic);
    CSliderControl& slider = dialog->Slider(0);
    ASSERT_FALSE(::IsWindowEnabled(slider.m_hWnd));
    RECT rect;
    ::GetWindowRect(slider.m_hWnd, &rect);
    POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::ScreenToClient(dialog->m_hWnd, &centre);
    dialog->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    EXPECT_EQ(dialog->ShownMode(0), kFanFixed);
    EXPECT_TRUE(::IsWindowEnabled(slider.m_hWnd));
    EXPECT_FALSE(::IsWindowEnabled(dialog->CurveControl(0).m_hWnd));
}

TEST_F(FanDialog, WithOneCoolerTheSecondGroupIsNeverTouched) {
    Open("curve");  // one cooler
    ASSERT_FALSE(dialog->TwoFans());
    const std::wstring key = L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0";
    EXPECT_FALSE(::IsWindowVisible(dialog->Slider(1).m_hWnd));
    dialog->SelectMode(0, kFanFixed);
    dialog->SelectMode(1, kFanFixed);
    dialog->Slider(0).SetPos(70);
    dialog->ApplyFanSettings();
    EXPECT_EQ(Stored(key, L"FanCtrlMode"), L"1");
    EXPECT_EQ(Stored(key, L"Fan2CtrlMode"), L"(no value)");
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 70);
}

// The follower, as the main window's 5-second timer runs it, with this dialog's curve.
TEST_F(FanDialog, TheFollowerSetsTheCurvesLevelLetsGoWithoutATemperatureAndHandsBackARefusedAutomatic) {
    Open("fans2");  // 55 degC
    for (int i = 1; i <= 4; ++i) {
        const wchar_t* const texts[] = {L"0100000000", L"0360003300", L"0630006600", L"0900010000"};
        WriteBoardString(0, (L"FanCrvPt" + std::to_wstring(i)).c_str(), texts[i - 1]);
    }
    WriteBoardString(0, setting::FanCtrlMode, L"2");
    FanFollowerHost host;
    host.dialog = dialog.get();
    ApplyFanModes(host, true);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    EXPECT_EQ(GpuGetFan(0, kFanFirst, 0), 33 + (33 * 19 * 100 / 27 + 99) / 100);  // 55 degC on (36, 33)-(63, 66)
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 0) << "the second group is not in curve mode";

    sim.injectFault(NvId_GetThermalSettings, NvError, 1);
    ApplyFanModes(host, false);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0) << "no temperature: the driver's control";
    EXPECT_EQ(ReadBoardInt(0, setting::FanCtrlMode), 2) << "the stored mode stays";
    ApplyFanModes(host, false);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1) << "the next readable pass follows again";

    // Back to automatic, refused by the driver: the next pass hands the fan back. A fan
    // under manual control the curve never held (the second group) is left alone.
    WriteBoardString(0, setting::FanCtrlMode, L"0");
    sim.injectFault(NvId_SetFanCoolersControl, NvError, 1);
    GpuSetFan(0, 0, kFanFirst, 0);
    ASSERT_EQ(GpuGetFanMode(0, kFanFirst, 0), 1);
    GpuSetFan(0, 1, kFanSecond, 70);
    ApplyFanModes(host, false);
    EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), 0) << "the refused switch is made again";
    EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 1) << "not the curve's: not touched";
    const unsigned calls = sim.callCount(NvId_SetFanCoolersControl);
    ApplyFanModes(host, false);
    ApplyFanModes(host, false);
    EXPECT_EQ(sim.callCount(NvId_SetFanCoolersControl), calls) << "once back with the driver, nothing more is written";
}

// At the end: curve-mode groups and automatic ones the driver still holds manually (a
// refused switch to automatic) go back to the driver; a fixed speed stays.
TEST_F(FanDialog, TheEndReleasesCurvesAndRefusedSwitchesToAutomaticButKeepsFixedSpeeds) {
    Open("fans2");
    for (const auto& [stored, releasedFirst] : {std::pair{L"2", true}, std::pair{L"0", true}, std::pair{L"1", false}}) {
        GpuSetFan(0, 1, kFanFirst, 70);
        GpuSetFan(0, 1, kFanSecond, 70);
        WriteBoardString(0, setting::FanCtrlMode, stored);
        WriteBoardString(0, setting::Fan2CtrlMode, L"1");
        sim.injectFault(NvId_SetFanCoolersControl, NvError, 1);
        GpuSetFan(0, 0, kFanFirst, 0);  // refused: still manual
        ReleaseCurveFans();
        EXPECT_EQ(GpuGetFanMode(0, kFanFirst, 0), releasedFirst ? 0 : 1) << "stored mode " << stored;
        EXPECT_EQ(GpuGetFanMode(0, kFanSecond, 0), 1) << "a fixed speed stays";
        EXPECT_EQ(ReadBoardInt(0, setting::FanCtrlMode), _wtoi(stored)) << "the stored mode stays";
    }
}

// ---------------------------------------------------------------- LED control

TEST(LedRules, WhatEachControllerKindKeeps) {
    const struct {
        int kind;
        bool nvControl, powerOn, stillBrightness, rainbow, breath, cycleStrobe;
    } cases[] = {
        {-1, false, true, false, true, true, true},  // none found: nothing hides the generic rows
        {1, false, true, false, true, false, false},  {2, true, true, false, true, false, false},
        {10, false, false, false, true, false, false}, {1000, false, false, false, true, true, false},
        {1001, false, false, true, false, true, false}, {1202, false, false, false, true, true, true},
        {2003, false, false, false, true, true, true},
    };
    for (const auto& c : cases) {
        const LedRows rows = LedRowsFor(c.kind);
        EXPECT_EQ(rows.nvControl, c.nvControl) << c.kind;
        EXPECT_EQ(rows.powerOn, c.powerOn) << c.kind;
        EXPECT_EQ(rows.stillBrightness, c.stillBrightness) << c.kind;
        EXPECT_EQ(rows.rainbow, c.rainbow) << c.kind;
        EXPECT_EQ(rows.breath, c.breath) << c.kind;
        EXPECT_EQ(rows.cycleStrobe, c.cycleStrobe) << c.kind;
    }
    int index = NormaliseNvIndex(69);  // the low byte of the default still colour
    EXPECT_EQ(index, 5);
    EXPECT_EQ(NormaliseNvIndex(8), 2);
    const int start = index;
    for (int click = 0; click < 7; ++click) index = NextNvIndex(index);
    EXPECT_EQ(index, start) << "seven clicks come round";
    EXPECT_EQ(NvIndexColour(3), 0x00FFFFu);  // yellow: red and green
    EXPECT_EQ(NvIndexColour(4), 0xFF0000u);  // blue
    EXPECT_EQ(InvertedSlider(10, 4900, 255), 4655);
    EXPECT_EQ(Grey(128), 8421504u);
}

TEST(LedEffects, TemperatureBandsAndTheRainbow) {
    const struct {
        int celsius;
        std::uint32_t colour, grey;
    } cases[] = {{50, 0x00FF00, 0x0F0F0F}, {51, 0xFF0000, 0x3F3F3F}, {85, 0x0040FF, 0x7F7F7F}, {91, 0x0000FF, 0xFFFFFF}};
    for (const auto& c : cases) {
        EXPECT_EQ(LedTemperatureColour(c.celsius, false), c.colour) << c.celsius;
        EXPECT_EQ(LedTemperatureColour(c.celsius, true), c.grey) << c.celsius;
    }
    EXPECT_EQ(RainbowColour(640), 0x80FF00u);  // (0, 255, 128)
    EXPECT_EQ(RainbowColour(0), 0x0000FFu);
    ResetRainbowPhase();
    for (int pass = 0; pass < 96; ++pass) AdvanceRainbowPhase();
    EXPECT_EQ(RainbowPhase(), 0) << "96 passes make one turn";
}

class LedDialog : public FanDialog {
protected:
    void OpenLed(const std::string& controller) {
        ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x00031234\ntemperature = 55\n" +
                              controller),
                  1);
        led = std::make_unique<CLedCtrlDlg>();
        ASSERT_TRUE(led->Create());
    }
    void TearDown() override {
        if (led && led->m_hWnd) led->DestroyWindow();
        led.reset();
        FanDialog::TearDown();
    }
    bool Shown(UINT id) { return (::GetWindowLongPtrW(led->Control(id).m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    void Press(UINT id) {
        RECT rect;
        ::GetWindowRect(led->Control(id).m_hWnd, &rect);
        POINT centre{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
        ::ScreenToClient(led->m_hWnd, &centre);
        led->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
    }
    std::unique_ptr<CLedCtrlDlg> led;
    const std::wstring key = L"Software\\Drelmont\\Zorvane\\10DE1E8712340003\\0";
};

TEST_F(LedDialog, AOneChannelControllerGetsABrightnessAndNoColourEffects) {
    OpenLed("zone = 1\nled_second = 1, 0, 0, 1\n");  // kind 1001
    led->RefreshLedDialog();
    led->SelectEffect(kLedStill);
    EXPECT_TRUE(Shown(IDC_LED_STILL_BRIGHTNESS));
    EXPECT_FALSE(Shown(IDC_LED_RAINBOW));
    EXPECT_FALSE(Shown(IDC_LED_CYCLE));
    EXPECT_FALSE(Shown(IDC_LED_STROBE));
    EXPECT_FALSE(Shown(IDC_LED_BREATH_COLOUR_B));
    CSliderControl& brightness = led->Slider(IDC_LED_STILL_BRIGHTNESS);
    brightness.SetPos(128);
    led->SendMessage(WM_HSCROLL, SB_THUMBPOSITION, reinterpret_cast<LPARAM>(brightness.m_hWnd));
    EXPECT_EQ(Stored(key, L"LedCtrlColor"), L"8421504");
    EXPECT_EQ(Stored(key, L"LedCtrlMode"), L"1");
}

TEST_F(LedDialog, SwatchesSpeedsAndThePowerOnDefault) {
    OpenLed("led_first = 1, 0\n");  // kind 2: by NVIDIA control and the power-on default offered
    static int chooserCalls = 0;
    chooserCalls = 0;
    CLedCtrlDlg::s_chooseColour = [](std::uint32_t& colour) {
        ++chooserCalls;
        colour = 0x00123456;
        return true;
    };
    led->RefreshLedDialog();
    led->SelectEffect(kLedNvControl);
    const int start = led->NvIndex();
    for (int click = 0; click < 7; ++click) Press(IDC_LED_NV_COLOUR);
    EXPECT_EQ(led->NvIndex(), start);
    EXPECT_EQ(chooserCalls, 0) << "the driver-control swatch steps, it opens no dialog";
    Press(IDC_LED_STILL_COLOUR);
    EXPECT_EQ(led->TickedEffect(), kLedStill);
    EXPECT_EQ(chooserCalls, 1);
    EXPECT_EQ(Stored(key, L"LedCtrlColor"), std::to_wstring(0x00123456));

    // With the power-on default ticked, Rainbow unticks and hides it.
    auto& powerOn = static_cast<CButton&>(led->Control(IDC_LED_POWERON));
    EXPECT_TRUE(Shown(IDC_LED_POWERON));
    powerOn.SetCheck(BST_CHECKED);
    led->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_LED_RAINBOW, BN_CLICKED));
    EXPECT_EQ(powerOn.GetCheck(), BST_UNCHECKED);
    EXPECT_FALSE(Shown(IDC_LED_POWERON));
    EXPECT_EQ(Stored(key, L"LedCtrlMode"), L"2");
    CLedCtrlDlg::s_chooseColour = nullptr;
}

TEST_F(LedDialog, EachEffectBoxStoresItsCodeAtOnceAndSendsItsBytes) {
    OpenLed("zone = 1\nled_second = 1, 2, 0, 2\n");  // kind 1202
    WriteBoardString(0, setting::LedCtrlColor, std::to_wstring(0x00123456).c_str());
    led->RefreshLedDialog();
    struct Case {
        UINT box;
        const wchar_t* code;
        const char* log;  // "" when the effect's bytes are not checked here
    };
    const Case cases[] = {
        {IDC_LED_RAINBOW, L"2", ""},
        {IDC_LED_BREATH, L"4", ""},
        {IDC_LED_CYCLE, L"5", ""},
        {IDC_LED_STROBE, L"6", ""},
        {IDC_LED_GPUTEMP, L"0", ""},
        {IDC_LED_STILL, L"1", "W 92 E0 00\nW 92 60 01\nW 92 6C 56\nW 92 6D 34\nW 92 6E 12\nW 92 6F 64\n"},
        {IDC_LED_OFF, L"9", "W 92 E0 00\nW 92 60 01\nW 92 6C 00\nW 92 6D 00\nW 92 6E 00\nW 92 6F 64\n"},
    };
    for (const Case& c : cases) {
        sim.resetCounters();
        led->SendMessage(WM_COMMAND, MAKEWPARAM(c.box, BN_CLICKED));
        EXPECT_EQ(Stored(key, L"LedCtrlMode"), c.code) << c.box;
        EXPECT_EQ(led->TickedEffect(), static_cast<LedEffect>(std::stoi(c.code))) << c.box;
        if (*c.log) {
            EXPECT_EQ(sim.I2cLog(), c.log) << c.box;
        }
    }
}

TEST_F(LedDialog, ShowingAndHidingSendTheStoredEffectAgain) {
    OpenLed("zone = 1\nled_second = 1, 2, 0, 2\n");  // kind 1202
    WriteBoardString(0, setting::LedCtrlMode, L"4");
    WriteBoardString(0, setting::LedCtrlBreathSpeed, L"255");
    sim.resetCounters();
    led->ShowWindow(SW_SHOW);
    EXPECT_EQ(led->Slider(IDC_LED_BREATH_SPEED).GetPos(), 4655);
    EXPECT_EQ(led->TickedEffect(), kLedBreath);
    const unsigned afterShow = sim.callCount(0);
    EXPECT_GT(afterShow, 0u);
    led->ShowWindow(SW_HIDE);
    EXPECT_GT(sim.callCount(0), afterShow);
}

TEST_F(LedDialog, TheTimerSendsATemperatureColourOnlyWhenItChanges) {
    OpenLed("zone = 1\nled_second = 1, 2, 0, 2\n");
    LedDetectController(0);
    FanFollowerHost host;
    ApplyLedSettings(host, false);
    sim.resetCounters();
    for (int pass = 0; pass < 5; ++pass) ApplyLedSettings(host, false);
    EXPECT_EQ(sim.callCount(NvId_I2cWriteEx) + sim.callCount(NvId_SetIllumZonesControl), 0u) << "55 degC all along";
    WriteBoardString(0, setting::LedCtrlMode, L"2");  // the rainbow moves on every pass
    ApplyLedSettings(host, false);
    EXPECT_GT(sim.callCount(NvId_I2cWriteEx) + sim.callCount(NvId_SetIllumZonesControl), 0u);
}

// ---------------------------------------------------------------- overclock

TEST(OverclockTexts, NumberFormats) {
    EXPECT_EQ(ClockText(50, ClockMechanism::Curve), L"+50");
    EXPECT_EQ(ClockText(0, ClockMechanism::Pstates20), L"+0");
    EXPECT_EQ(ClockText(-75, ClockMechanism::Curve), L"-75");
    EXPECT_EQ(ClockText(602, ClockMechanism::PerfLevels), L"602") << "an absolute clock has no sign";
    EXPECT_EQ(MillivoltText(1050), L"+1.050");
    EXPECT_EQ(MillivoltText(0), L"+0.000");
    EXPECT_EQ(MillivoltText(-25), L"-0.025");
    EXPECT_EQ(MillivoltText(-1250), L"-1.250");
    EXPECT_EQ(Fahrenheit(83), 181);
    EXPECT_EQ(Fahrenheit(0), 32);

    OverclockPage page;
    page.rows[kRowFrameRate].position = 255;
    page.frameTargetSet = true;
    EXPECT_EQ(ValueText(page, kRowFrameRate, TextMoment::Load), L"255") << "a stored 255 opens as its number";
    EXPECT_EQ(ValueText(page, kRowFrameRate, TextMoment::Movement), L"MAX");
    page.frameTargetSet = false;
    EXPECT_EQ(ValueText(page, kRowFrameRate, TextMoment::Load), L"MAX");
    page.rows[kRowFrameRate].position = 60;
    EXPECT_EQ(ValueText(page, kRowFrameRate, TextMoment::Movement), L"60");
    page.rows[kRowMaxVoltage].position = 50;
    page.maxVoltageShift = true;
    EXPECT_EQ(ValueText(page, kRowMaxVoltage, TextMoment::Load), L"+0.075") << "the board controller's 25 mV";
    page.voltage = VoltageMode::Absolute;
    page.rows[kRowVoltage].position = 1050;
    EXPECT_EQ(ValueText(page, kRowVoltage, TextMoment::Load), L"1.050");
    page.fahrenheit = true;
    page.rows[kRowTemperature].position = 83;
    EXPECT_EQ(ValueText(page, kRowTemperature, TextMoment::Load), L"181");
}

class OverclockPageTest : public FanDialog {};

TEST_F(OverclockPageTest, UnchangedSlidersWriteNothingOnEveryMechanism) {
    const struct {
        const char* scenario;
        ClockMechanism clock;
        VoltageMode voltage;
    } cases[] = {
        {"curve", ClockMechanism::Curve, VoltageMode::Boost},
        {"pstates20", ClockMechanism::Pstates20, VoltageMode::Absolute},
        {"voltage", ClockMechanism::Pstates20, VoltageMode::Offset},
    };
    for (const auto& c : cases) {
        ASSERT_GE(sim.Use(c.scenario), 1) << c.scenario;
        GpuSetFrameRateTarget(90);
        const bool boost = GpuGetVoltageBoost(0) >= 0;
        OverclockPage page = LoadOverclockPage(0, 0, boost, false);
        EXPECT_EQ(page.clocks[0], c.clock) << c.scenario;
        EXPECT_EQ(page.voltage, c.voltage) << c.scenario;
        EXPECT_EQ(page.rows[kRowFrameRate].position, 90) << c.scenario;
        sim.resetCounters();
        ApplyOverclockPage(0, 0, page);
        EXPECT_EQ(sim.WriteCalls(), 0u) << c.scenario;

        // One slider moved: exactly its quantity is written.
        page.rows[kRowCore].position = page.rows[kRowCore].maximum / 2;
        ApplyOverclockPage(0, 0, page);
        const ClockSetting core = GpuGetClockSetting(0, kGraphicsDomain, 0);
        EXPECT_EQ(core.current, page.rows[kRowCore].maximum / 2) << c.scenario;
        EXPECT_EQ(sim.callCount(NvId_SetPowerPoliciesStatus) + sim.callCount(NvId_SetThermalPoliciesStatus) +
                      sim.callCount(NvId_DrsSetSetting),
                  0u)
            << c.scenario;
    }
}

TEST_F(OverclockPageTest, ABoardWithoutOffsetRangesShowsAndWritesTheLevelsClock) {
    ASSERT_EQ(sim.Use("perflevels"), 1);
    OverclockPage page = LoadOverclockPage(0, 2, false, false);
    EXPECT_EQ(page.clocks[0], ClockMechanism::PerfLevels);
    EXPECT_EQ(page.rows[kRowCore].minimum, 500);
    EXPECT_EQ(page.rows[kRowCore].maximum, 800);
    EXPECT_EQ(page.rows[kRowCore].position, 602);
    EXPECT_EQ(ValueText(page, kRowCore, TextMoment::Movement), L"602");
    EXPECT_FALSE(page.rows[kRowVoltage].shown) << "no voltage range: the row is not offered";
    sim.resetCounters();
    ApplyOverclockPage(0, 2, page);
    EXPECT_EQ(sim.callCount(NvId_SetPerfClocks), 2u) << "both domains, unchanged or not";
    EXPECT_EQ(sim.callCount(NvId_SetPstatesInfo), 0u) << "an unreadable voltage is never written";
    page.rows[kRowCore].position = 700;
    ApplyOverclockPage(0, 2, page);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 2, 0), 700);

    // Levels that could not be read show 0 and are never written as 0 MHz.
    sim.injectFault(NvId_GetPerfClocks, NvError, 6);  // three reads a domain
    page = LoadOverclockPage(0, 2, false, false);
    ASSERT_EQ(page.rows[kRowCore].maximum, 0);
    ASSERT_EQ(page.rows[kRowMemory].maximum, 0);
    sim.resetCounters();
    ApplyOverclockPage(0, 2, page);
    EXPECT_EQ(sim.callCount(NvId_SetPerfClocks), 0u);
    EXPECT_EQ(GpuGetPerfLevelClock(0, kGraphicsDomain, 2, 0), 700);
}

TEST_F(OverclockPageTest, WithoutAPowerTargetTheStoredLinkStillDecides) {
    ASSERT_EQ(sim.UseText("[board]\npci_device = 0x1E8710DE\npci_subsystem = 0x00031234\n"
                          "thermal = 16640, 21248, 22784, 21248\n"),
              1);
    OverclockPage page = LoadOverclockPage(0, 0, false, false);
    EXPECT_FALSE(page.rows[kRowPower].shown);
    EXPECT_FALSE(page.linkedShown);
    EXPECT_TRUE(page.linked) << "nothing stored: linked";
    EXPECT_FALSE(page.rows[kRowTemperature].enabled);
    page.rows[kRowTemperature].position = 80;  // a linked slider is not the user's
    sim.resetCounters();
    ApplyOverclockPage(0, 0, page);
    EXPECT_EQ(sim.callCount(NvId_SetThermalPoliciesStatus), 0u);
    EXPECT_EQ(GpuGetTempTarget(0), 83);

    WriteBoardString(0, setting::Linked, L"0");
    page = LoadOverclockPage(0, 0, false, false);
    EXPECT_FALSE(page.linked);
    EXPECT_TRUE(page.rows[kRowTemperature].enabled);
    page.rows[kRowTemperature].position = 80;
    ApplyOverclockPage(0, 0, page);
    EXPECT_EQ(GpuGetTempTarget(0), 80);
    EXPECT_EQ(Stored(L"Software\\Drelmont\\Zorvane\\10DE1E8712340003\\0", L"Linked"), L"0");
}

class RecordingOverclockHost : public OverclockHost {
public:
    bool ShowsFahrenheit() override { return fahrenheit; }
    void OverclockApplied() override { ++applied; }
    bool fahrenheit = false;
    int applied = 0;
};

// The dialog on the `curve` board: boost percent, a power and a temperature target
// (83 degC), over-voltage to 100 mV, the board controller and both driver switches.
class OverclockDialog : public FanDialog {
protected:
    void OpenOverclock(const char* scenario = "curve") {
        ASSERT_GE(sim.Use(scenario), 1);
        RefreshBoardFeatures();
        oc = std::make_unique<COverClkDlg>(host);
        ASSERT_TRUE(oc->Create());
    }
    void TearDown() override {
        if (oc && oc->m_hWnd) oc->DestroyWindow();
        oc.reset();
        if (COverClkDlg::MasterMode()) COverClkDlg(host).SelectMode(false);
        SetMessageBoxFunction(nullptr);
        FanDialog::TearDown();
    }
    std::wstring Text(UINT id) {
        wchar_t text[64] = {};
        ::GetWindowTextW(oc->Control(id).m_hWnd, text, 64);
        return text;
    }
    void Move(OverclockRow row, int position) {
        CSliderControl& slider = oc->Slider(row);
        slider.SetPos(position);
        oc->SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), reinterpret_cast<LPARAM>(slider.m_hWnd));
    }
    void Click(UINT id) { oc->SendMessage(WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0); }
    bool Shown(UINT id) { return (::GetWindowLongPtrW(oc->Control(id).m_hWnd, GWL_STYLE) & WS_VISIBLE) != 0; }
    RecordingOverclockHost host;
    std::unique_ptr<COverClkDlg> oc;
    const std::wstring curveKey = L"Software\\Drelmont\\Zorvane\\10DE1E8712340001\\0";
};

TEST_F(OverclockDialog, TheSlidersShowTheDriversRangesAndValues) {
    OpenOverclock();
    CSliderControl& core = oc->Slider(kRowCore);
    EXPECT_EQ(core.GetRangeMin(), -200);
    EXPECT_EQ(core.GetRangeMax(), 1000);
    EXPECT_EQ(core.GetPos(), 0);
    RECT thumb, channel;
    core.GetThumbRect(&thumb);
    core.GetChannelRect(&channel);
    EXPECT_GT(thumb.left, channel.left + (channel.right - channel.left) / 8) << "0 sits a sixth along -200 to 1000";
    EXPECT_EQ(Text(IDC_OC_CORE_VALUE), L"+0");
    EXPECT_EQ(Text(IDC_OC_VOLTAGE_ITEM), L"GPU Over Voltage");
    EXPECT_EQ(Text(IDC_OC_VOLTAGE_UNIT), L"%");
    EXPECT_EQ(Text(IDC_OC_TEMP_VALUE), L"83");
    EXPECT_EQ(Text(IDC_OC_TEMP_UNIT), L"'C");
    EXPECT_FALSE(Shown(IDC_OC_MASTER_MODE) && !OffersMasterMode(BoardFeatures));
    host.fahrenheit = true;
    oc->LoadSettings(oc->Level());
    EXPECT_EQ(Text(IDC_OC_TEMP_VALUE), L"181");
    EXPECT_EQ(Text(IDC_OC_TEMP_UNIT), L"'F");
}

TEST_F(OverclockDialog, LinkedMovesTheTemperatureWithEveryPowerMovement) {
    OpenOverclock();
    ASSERT_EQ(static_cast<CButton&>(oc->Control(IDC_OC_LINKED)).GetCheck(), BST_CHECKED);
    EXPECT_FALSE(::IsWindowEnabled(oc->Slider(kRowTemperature).m_hWnd));
    for (int power : {110, 124, 60}) {
        Move(kRowPower, power);
        double degrees = 0;
        ASSERT_TRUE(GpuLinkedTempTarget(0, power, degrees));
        EXPECT_EQ(oc->Slider(kRowTemperature).GetPos(), static_cast<int>(degrees)) << power;
        EXPECT_EQ(Text(IDC_OC_POWER_VALUE), std::to_wstring(power));
    }
    EXPECT_FALSE(::IsWindowEnabled(oc->Slider(kRowTemperature).m_hWnd));
    static_cast<CButton&>(oc->Control(IDC_OC_LINKED)).SetCheck(BST_UNCHECKED);
    Click(IDC_OC_LINKED);
    EXPECT_TRUE(::IsWindowEnabled(oc->Slider(kRowTemperature).m_hWnd));
}

TEST_F(OverclockDialog, NoFrameRateTargetShowsMaxAndOkWrites255) {
    OpenOverclock();
    EXPECT_EQ(oc->Slider(kRowFrameRate).GetPos(), 255);
    EXPECT_EQ(Text(IDC_OC_FRAME_VALUE), L"MAX");
    oc->ShowWindow(SW_SHOW);
    Click(IDOK);
    EXPECT_EQ(GpuGetFrameRateTarget(), 255);
    EXPECT_FALSE(oc->IsWindowVisible());
    EXPECT_EQ(Stored(curveKey, L"UserModeActive"), L"0");
    EXPECT_EQ(host.applied, 1);
    oc->LoadSettings(oc->Level());
    EXPECT_EQ(Text(IDC_OC_FRAME_VALUE), L"255");
    Move(kRowCore, 10);
    EXPECT_EQ(Text(IDC_OC_FRAME_VALUE), L"MAX");
    EXPECT_EQ(Text(IDC_OC_CORE_VALUE), L"+10");
    sim.resetCounters();
    Click(IDCANCEL);
    EXPECT_EQ(sim.WriteCalls(), 0u) << "Cancel writes nothing";
}

int WINAPI AnswerNo(HWND, const wchar_t* text, const wchar_t* caption, UINT type) {
    EXPECT_STREQ(caption, L"*WARNING* GPU Max Overvoltage *WARNING*");
    EXPECT_STREQ(text, L"*WARNING MESSAGE* \n\nWarning: Increasing the GPU voltage may damage the GPU and impact "
                       L"long term reliability! \n\nAre you sure to enable the over-voltage function? \n\n"
                       L"*WARNING MESSAGE*");
    EXPECT_EQ(type, static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION | MB_TOPMOST));
    return IDNO;
}
int WINAPI AnswerYes(HWND, const wchar_t*, const wchar_t*, UINT) { return IDYES; }

TEST_F(OverclockDialog, TheOverVoltageWarningGuardsTheMaximumVoltage) {
    WriteBoardString(0, setting::Overvoltaged, L"0");
    OpenOverclock();
    auto& box = static_cast<CButton&>(oc->Control(IDC_OC_OVERVOLTAGED));
    CSliderControl& slider = oc->Slider(kRowMaxVoltage);
    EXPECT_FALSE(::IsWindowEnabled(slider.m_hWnd));
    SetMessageBoxFunction(&AnswerNo);
    slider.SetPos(50);
    box.SetCheck(BST_CHECKED);
    Click(IDC_OC_OVERVOLTAGED);
    EXPECT_EQ(box.GetCheck(), BST_UNCHECKED);
    EXPECT_EQ(slider.GetPos(), 0);
    EXPECT_EQ(Text(IDC_OC_VOLTMAX_VALUE), L"+0.000");
    EXPECT_FALSE(::IsWindowEnabled(slider.m_hWnd));

    SetMessageBoxFunction(&AnswerYes);
    box.SetCheck(BST_CHECKED);
    Click(IDC_OC_OVERVOLTAGED);
    EXPECT_TRUE(::IsWindowEnabled(slider.m_hWnd));
    Move(kRowMaxVoltage, 50);
    oc->ApplyOverclockSettings();
    EXPECT_EQ(GpuGetOverVoltage(0, 0), 50);
    EXPECT_EQ(Stored(curveKey, L"Overvoltaged"), L"1");
}

TEST_F(OverclockDialog, MasterModeOnABoardWithTheBoardController) {
    OpenOverclock();
    ASSERT_TRUE(OffersMasterMode(BoardFeatures));
    EXPECT_TRUE(Shown(IDC_OC_MASTER_MODE));
    EXPECT_FALSE(Shown(IDC_OC_CORE_OV));
    oc->SelectMode(true);
    EXPECT_TRUE(COverClkDlg::MasterMode());
    for (UINT id : {IDC_OC_CORE_OV, IDC_OC_MEMORY_OV, IDC_OC_FAN_FULL_SPEED, IDC_OC_OVER_CURRENT,
                    IDC_OC_CORE_OV_LABEL}) {
        EXPECT_TRUE(Shown(id)) << id;
    }
    EXPECT_EQ(Text(IDC_OC_MEMORY_OV_LABEL), L"Memory  OverVoltage");
    EXPECT_FALSE(::IsWindowEnabled(oc->Control(IDC_OC_MASTER_MODE).m_hWnd)) << "the current mode's button";
    EXPECT_TRUE(::IsWindowEnabled(oc->Control(IDC_OC_NORMAL_MODE).m_hWnd));

    // Core over-voltage on: the power target goes to its maximum; OK writes the registers.
    auto& core = static_cast<CControlButton&>(oc->Control(IDC_OC_CORE_OV));
    core.SetToggled(1);
    Click(IDC_OC_CORE_OV);
    EXPECT_EQ(oc->Slider(kRowPower).GetPos(), 124);
    auto& overCurrent = static_cast<CControlButton&>(oc->Control(IDC_OC_OVER_CURRENT));
    overCurrent.SetToggled(1);
    Click(IDC_OC_OVER_CURRENT);
    sim.resetCounters();
    oc->ApplyOverclockSettings();
    const std::string log = sim.I2cLog();
    EXPECT_NE(log.find("W 40 DD 04"), std::string::npos) << log;
    EXPECT_NE(log.find("W 40 E2 1F"), std::string::npos) << log;
    EXPECT_TRUE(BoardFeatures & feature::CoreOverVoltageOn);
    EXPECT_EQ(GpuGetPowerTarget(0), 124);
    oc->LoadSettings(oc->Level());
    EXPECT_TRUE(oc->Switches().on[kCoreOverVoltage]);
    EXPECT_EQ(Text(IDC_OC_VOLTMAX_VALUE), L"+0.025") << "the controller's over-voltage shows in the maximum";

    oc->SelectMode(false);
    EXPECT_FALSE(Shown(IDC_OC_CORE_OV));
}

TEST_F(OverclockDialog, BoardsWithoutSwitchesStayInNormalMode) {
    OpenOverclock("pstates20");
    EXPECT_FALSE(Shown(IDC_OC_MASTER_MODE));
    oc->SelectMode(true);
    EXPECT_FALSE(COverClkDlg::MasterMode());
    EXPECT_FALSE(Shown(IDC_OC_CORE_OV));
    EXPECT_EQ(Text(IDC_OC_VOLTAGE_ITEM), L"Voltage Minimum Offset");
    EXPECT_FALSE(Shown(IDC_OC_VOLTAGE_SLIDER)) << "no voltage range on this board";
}

// A stand-in scanner: any program that stays open, under the scanner's name.
class ScannerCopy {
public:
    ScannerCopy() {
        wchar_t temp[MAX_PATH];
        ::GetTempPathW(MAX_PATH, temp);
        directory = std::wstring(temp) + L"zorvane-scanner-" + std::to_wstring(::GetCurrentProcessId()) + L"\\";
        ::CreateDirectoryW(directory.c_str(), nullptr);
        ::CopyFileW((StageDirectory() + L"\\..\\tests\\minimal_dialog.exe").c_str(),
                    (directory + kScannerExecutable).c_str(), FALSE);
    }
    ~ScannerCopy() {
        StopAll();
        ::DeleteFileW((directory + kScannerExecutable).c_str());
        ::RemoveDirectoryW(directory.c_str());
    }
    // Every running copy, ended.
    int StopAll() {
        int stopped = 0;
        HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
        PROCESSENTRY32W entry{};
        entry.dwSize = sizeof(entry);
        for (BOOL more = ::Process32FirstW(snapshot, &entry); more; more = ::Process32NextW(snapshot, &entry)) {
            if (::lstrcmpiW(entry.szExeFile, kScannerExecutable) != 0) continue;
            HANDLE process = ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, entry.th32ProcessID);
            if (!process) continue;
            ::TerminateProcess(process, 0);
            ::WaitForSingleObject(process, 5000);
            ::CloseHandle(process);
            ++stopped;
        }
        ::CloseHandle(snapshot);
        return stopped;
    }
    std::wstring directory;
};

TEST_F(OverclockDialog, TheScannerStartsOnceAndARunningOneMakesTheButtonDoNothing) {
    OpenOverclock();
    ScannerCopy scanner;
    ASSERT_NE(::GetFileAttributesW((scanner.directory + kScannerExecutable).c_str()), INVALID_FILE_ATTRIBUTES);
    COverClkDlg::s_scannerDirectory = scanner.directory;
    oc->ShowWindow(SW_SHOW);
    ASSERT_FALSE(ScannerRunning());
    Click(IDC_OC_SCANNER);
    EXPECT_TRUE(ScannerRunning());
    EXPECT_FALSE(oc->IsWindowVisible()) << "started: the dialog hides";

    oc->ShowWindow(SW_SHOW);
    const DWORD start = ::GetTickCount();
    Click(IDC_OC_SCANNER);
    EXPECT_LT(::GetTickCount() - start, 2000u) << "no wait";
    EXPECT_TRUE(oc->IsWindowVisible()) << "one runs: nothing happens";
    EXPECT_EQ(scanner.StopAll(), 1) << "no second copy";
    COverClkDlg::s_scannerDirectory.clear();
}

// ---------------------------------------------------------------- status and information

TEST(StatusPage, ChartScalesAndValues) {
    CoreClockLimits limits;  // base 1500, boost 1800, P0 300 to 2100 MHz, no offset range
    limits.p0Minimum = 300;
    limits.p0Maximum = 2100;
    limits.topLevelMaximum = 2000;
    limits.lowLevelMinimum = 400;
    limits.base = 1500;
    limits.boost = 1800;
    const ChartScale core = CoreClockScale(limits);
    EXPECT_EQ(core.offset, 138);
    EXPECT_EQ(core.range, 1962);
    limits.base = 0;  // no base clock: nothing under it
    EXPECT_EQ(CoreClockScale(limits).range, 9999);

    const struct {
        StatusChart chart;
        int value;
        std::optional<int> shown;
    } cases[] = {
        {kChartTemperature, 0, 1},    {kChartTemperature, 130, 127}, {kChartTemperature, 45, 45},
        {kChartFan, 101, 100},        {kChartCoreLoad, -1, 1},        {kChartMemoryLoad, 30, 30},
        {kChartVoltage, 1400, 1350},  {kChartVoltage, 0, std::nullopt}, {kChartCore, 0, std::nullopt},
        {kChartPower, 600, 500},      {kChartPower, 0, 1},
    };
    for (const auto& c : cases) {
        StatusSample sample;
        sample.temperature = sample.fanDuty = sample.coreLoad = sample.memoryLoad = sample.voltage = sample.coreClock =
            sample.power = c.value;
        EXPECT_EQ(ChartValue(c.chart, sample, 124), c.shown) << c.chart << " " << c.value;
    }
    StatusSample power;
    power.power = 60;
    EXPECT_EQ(ChartValue(kChartPower, power, 0), std::nullopt) << "no power target: no power chart";
}

TEST(StatusPage, LineFormats) {
    const StatusTexts texts;
    StatusSample s;
    s.coreClock = 1613;
    s.baseCore = 1515;
    s.boostCore = 1710;
    s.memoryClock = 7000;
    s.temperature = 45;
    s.fanDuty = 47;
    s.voltage = 1062;
    s.coreLoad = -1;
    auto lines = StatusLines(s, texts, true);
    EXPECT_EQ(lines[0], L"Core Clock : 1613 MHz      Base : 1515 MHz   Boost : 1710 MHz");
    EXPECT_EQ(lines[1], L"Memory Clock : 7000 MHz") << "no base or boost: the short form";
    EXPECT_EQ(lines[2], L"Core Tempature : 113 'F");
    EXPECT_EQ(lines[3], L"Fan Speed : 47 %") << "0 rpm: the percentage alone";
    EXPECT_EQ(lines[4], L"Core Voltage : 1.062 V");
    EXPECT_EQ(lines[6], L"Core Usage : -1 %") << "as sampled, before the chart's clamping";
    s.fanRpm = 1410;
    s.voltage = 950;
    s.baseVoltage = 1050;
    lines = StatusLines(s, texts, false);
    EXPECT_EQ(lines[2], L"Core Tempature : 45 'C");
    EXPECT_EQ(lines[3], L"Fan Speed : 47 % / 1410 rpm");
    EXPECT_EQ(lines[4], L"Core Voltage : 0.950 V      Base : 1.050 V");
}

TEST(InfoPage, ValueFormats) {
    EXPECT_EQ(DriverVersionText(45682), L": 456.82");
    EXPECT_EQ(DriverVersionText(39001), L": 390.01");
    EXPECT_EQ(PciIdText(0x1E8410DE), L": 10DE - 1E84\n") << "vendor first";
    EXPECT_EQ(VbiosVersionText(0x90040033, 0x2A), L": 90.04.00.33.2A");
    EXPECT_EQ(MemoryClockText(7000), L": 7000 MHz (14000 MHz data rate)\n");
    EXPECT_EQ(BusTypeText(3, 16), L": PCI Express x16");
    EXPECT_EQ(BusTypeText(9, 0), L": Unknown");
    wchar_t os[260];
    EXPECT_EQ(OsVersionText(os), 1);
    EXPECT_EQ(std::wstring(os).rfind(L"Microsoft ", 0), 0u);
    EXPECT_EQ(os[std::wcslen(os) - 1], L' ');
}

PanelSettings Fahrenheit(bool on) {
    PanelSettings settings;
    settings.intervalSeconds = 1;
    settings.fahrenheit = on;
    return settings;
}

class StatusDialog : public FanDialog {
protected:
    void OpenStatus(const char* scenario, bool fahrenheit = false) {
        ASSERT_GE(sim.Use(scenario), 1);
        status = std::make_unique<CStatusDlg>([fahrenheit] { return Fahrenheit(fahrenheit); });
        ASSERT_TRUE(status->Create());
    }
    void TearDown() override {
        if (status && status->m_hWnd) status->DestroyWindow();
        status.reset();
        if (info && info->m_hWnd) info->DestroyWindow();
        info.reset();
        FanDialog::TearDown();
    }
    std::wstring LineText(StatusChart chart) {
        wchar_t text[200] = {};
        ::GetWindowTextW(status->Line(chart).m_hWnd, text, 200);
        return text;
    }
    std::unique_ptr<CStatusDlg> status;
    std::unique_ptr<CInfoDlg> info;
};

TEST_F(StatusDialog, EveryLineShowsZeroUntilTheFirstSampleThenTheSample) {
    OpenStatus("sensors", true);
    const wchar_t* const zeros[kStatusCharts] = {
        L"Core Clock : 0 MHz", L"Memory Clock : 0 MHz",    L"Core Tempature : 32 'F", L"Fan Speed : 0 %",
        L"Core Voltage : 0.000 V", L"Power Usage : 0 %",   L"Core Usage : 0 %",        L"Memory Usage : 0 %"};
    for (int c = 0; c < kStatusCharts; ++c) EXPECT_EQ(LineText(static_cast<StatusChart>(c)), zeros[c]) << c;
    status->Sample();
    EXPECT_EQ(LineText(kChartTemperature), L"Core Tempature : 149 'F");  // 65 degC
    EXPECT_EQ(LineText(kChartVoltage), L"Core Voltage : 0.881 V") << "the rail when the core gives none";
    EXPECT_EQ(LineText(kChartCoreLoad), L"Core Usage : 42 %");
    EXPECT_EQ(LineText(kChartCore).rfind(L"Core Clock : 1600 MHz      Base : ", 0), 0u);
}

TEST_F(StatusDialog, ChartsRunOnlyForWhatTheBoardOffers) {
    OpenStatus("pstates20");  // no power policies, no voltage
    EXPECT_TRUE(status->ChartRunning(kChartCore));
    EXPECT_TRUE(status->ChartRunning(kChartTemperature));
    EXPECT_FALSE(status->ChartRunning(kChartPower));
    EXPECT_FALSE(status->ChartRunning(kChartVoltage));
    EXPECT_EQ(status->Chart(kChartMemory).m_range, 9999u) << "no memory levels";
    EXPECT_EQ(status->Chart(kChartMemory).m_valueOffset, 0);
    ASSERT_GE(sim.Use("demo"), 1);
    const std::array<ChartScale, kStatusCharts> scales = StatusChartScales();
    EXPECT_EQ(scales[kChartMemory].offset, 404) << "level 0 from 405 MHz";
    EXPECT_EQ(scales[kChartMemory].range, 7096) << "to level 1's 7500 MHz";
}

TEST_F(StatusDialog, AZeroCoreLoadPlaceHidesItsChartButNotItsLine) {
    // The staged skin with "Histogram7" at four zeros, in a copy.
    wchar_t temp[MAX_PATH];
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring copy = std::wstring(temp) + L"zorvane-status-skin.cfg";
    const std::wstring original = g_skinPaths.skinFile;
    ASSERT_TRUE(::CopyFileW(original.c_str(), copy.c_str(), FALSE));
    ::WritePrivateProfileStringW(L"Histogram", L"Histogram7", L"0 0 0 0", copy.c_str());
    ::wcscpy(g_skinPaths.skinFile, copy.c_str());
    OpenStatus("sensors");
    ::wcscpy(g_skinPaths.skinFile, original.c_str());
    ::DeleteFileW(copy.c_str());
    EXPECT_FALSE(::GetWindowLongPtrW(status->Chart(kChartCoreLoad).m_hWnd, GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(::GetWindowLongPtrW(status->Chart(kChartMemoryLoad).m_hWnd, GWL_STYLE) & WS_VISIBLE);
    status->Sample();
    EXPECT_EQ(LineText(kChartCoreLoad), L"Core Usage : 42 %");
}

TEST_F(StatusDialog, InformationRowsFollowTheBoard) {
    ASSERT_EQ(sim.Use("perflevels"), 1);
    const InfoTexts texts = ReadInfoTexts();
    std::vector<InfoRow> rows = InformationRows(texts, PanelSettings{});
    auto find = [&](const std::wstring& item) -> const InfoRow* {
        for (const InfoRow& row : rows) {
            if (row.item == item) return &row;
        }
        return nullptr;
    };
    ASSERT_NE(find(L"Grahics clock"), nullptr) << "no driver base clock: the level's clock";
    EXPECT_EQ(find(L"Grahics clock")->value, L": 602 MHz\n");
    EXPECT_EQ(find(L"Graphic base clock"), nullptr);
    EXPECT_EQ(find(L"Memory clock")->value, L": 900 MHz (1800 MHz data rate)\n");
    EXPECT_EQ(find(L"IRQ"), nullptr) << "no interrupt line: the row is left out";
    EXPECT_EQ(rows.front().value, L": 1.4");

    ASSERT_EQ(sim.Use("demo"), 1);
    rows = InformationRows(texts, PanelSettings{});
    EXPECT_EQ(find(L"Device ID")->value, L": 10DE - 1E87\n");
    EXPECT_EQ(find(L"Memory base clock")->value, L": 7000 MHz (14000 MHz data rate)\n");
    EXPECT_EQ(find(L"Bus type")->value, L": PCI Express x16");
    EXPECT_EQ(find(L"Video BIOS version")->value, L": 90.04.00.00.6A");
}

TEST_F(StatusDialog, InformationRowsAreOneStepApartWithoutGaps) {
    const std::vector<InfoRow> rows = {{L"A", L": 1"}, {L"B", L": 2"}, {L"C", L": 3"}};
    HDC screen = ::GetDC(nullptr);
    gdi::MemoryPicture picture;
    ASSERT_TRUE(picture.Create(screen, 200, 100));
    ::ReleaseDC(nullptr, screen);
    HDC dc = picture.dc();
    const RECT all{0, 0, 200, 100};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    ::SetTextColor(dc, RGB(255, 255, 255));
    ::SetBkMode(dc, TRANSPARENT);
    PaintInfoRows(dc, rows, RECT{4, 10, 60, 24}, RECT{80, 10, 190, 24}, 16);
    auto inked = [&](int top, int bottom) {
        for (int y = top; y < bottom; ++y) {
            for (int x = 0; x < 200; ++x) {
                if (::GetPixel(dc, x, y) != RGB(0, 0, 0)) return true;
            }
        }
        return false;
    };
    for (int row = 0; row < 3; ++row) EXPECT_TRUE(inked(10 + 16 * row, 24 + 16 * row)) << row;
    EXPECT_FALSE(inked(10 + 16 * 3, 100)) << "nothing after the last row";
}

// ---------------------------------------------------------------- companion programs

// A process list the test controls, recording what the companion code does with it.
struct FakeProcesses {
    static inline bool running = false;
    static inline int looksUntilRunning = -1;  // the process shows after this many looks (-1 never)
    static inline bool exitsOnClose = false;
    static inline HWND window = nullptr;
    static inline std::wstring log;
    static bool Running(const wchar_t* image) {
        if (looksUntilRunning == 0) running = true;
        if (looksUntilRunning >= 0) --looksUntilRunning;
        log += L"look " + std::wstring(image) + L"\n";
        return running;
    }
    static void Open(const wchar_t* verb, const wchar_t* file, const wchar_t* arguments, const wchar_t*) {
        log += L"open " + std::wstring(verb ? verb : L"(default)") + L" " + file + L" " + (arguments ? arguments : L"") +
               L"\n";
    }
    static void Pause(unsigned ms) { log += L"pause " + std::to_wstring(ms) + L"\n"; }
    static HWND FindDialog(const wchar_t* title) {
        log += L"find " + std::wstring(title) + L"\n";
        return std::wstring(title) == L"TELLIX" ? window : nullptr;
    }
    static void Close(HWND) {
        log += L"close\n";
        if (exitsOnClose) running = false;
    }
    static void TerminateAll(const wchar_t* image) { log += L"terminate " + std::wstring(image) + L"\n"; }
    static int Count(const std::wstring& what) {
        int n = 0;
        for (std::size_t at = log.find(what); at != std::wstring::npos; at = log.find(what, at + 1)) ++n;
        return n;
    }
};

class Companions : public testing::Test {
protected:
    void SetUp() override {
        FakeProcesses::running = false;
        FakeProcesses::looksUntilRunning = -1;
        FakeProcesses::exitsOnClose = false;
        FakeProcesses::window = nullptr;
        FakeProcesses::log.clear();
        previous = InstallProcessLayer({&FakeProcesses::Running, &FakeProcesses::Open, &FakeProcesses::Pause,
                                        &FakeProcesses::FindDialog, &FakeProcesses::Close,
                                        &FakeProcesses::TerminateAll});
    }
    void TearDown() override { InstallProcessLayer(previous); }
    ProcessLayer previous{};
};

TEST_F(Companions, ThePanelCompanionStartsOnceAndIsWaitedFor) {
    FakeProcesses::running = true;
    UpdatePanelCompanion(L"C:\\Z\\UI\\", true);
    EXPECT_EQ(FakeProcesses::Count(L"open"), 0) << "already running: no second start";

    FakeProcesses::running = false;
    FakeProcesses::looksUntilRunning = 3;
    FakeProcesses::log.clear();
    UpdatePanelCompanion(L"C:\\Z\\UI\\", true);
    EXPECT_EQ(FakeProcesses::Count(L"open (default) C:\\Z\\UI\\TELLIX.exe \n"), 1);
    EXPECT_EQ(FakeProcesses::Count(L"pause 200"), 2) << "looked for until it shows (the fourth look, after "
                                                          "the check before the start)";

    FakeProcesses::running = false;
    FakeProcesses::looksUntilRunning = -1;
    FakeProcesses::log.clear();
    UpdatePanelCompanion(L"C:\\Z\\UI\\", true);
    EXPECT_EQ(FakeProcesses::Count(L"pause 200"), 15) << "at most 15 looks";
}

TEST_F(Companions, DisablingClosesThePanelCompanionThenEndsIt) {
    FakeProcesses::running = true;
    FakeProcesses::window = reinterpret_cast<HWND>(0x1234);
    UpdatePanelCompanion(L"C:\\Z\\UI\\", false);
    EXPECT_NE(FakeProcesses::log.find(L"find Q2V\nfind TELLIX\n"), std::wstring::npos) << FakeProcesses::log;
    EXPECT_NE(FakeProcesses::log.find(L"close\npause 200\nlook TELLIX.exe\nterminate TELLIX.exe\n"),
              std::wstring::npos)
        << FakeProcesses::log;

    FakeProcesses::exitsOnClose = true;
    FakeProcesses::log.clear();
    UpdatePanelCompanion(L"C:\\Z\\UI\\", false);
    EXPECT_EQ(FakeProcesses::Count(L"terminate"), 0) << "it closed in time";

    FakeProcesses::window = nullptr;
    FakeProcesses::log.clear();
    UpdatePanelCompanion(L"C:\\Z\\UI\\", false);
    EXPECT_EQ(FakeProcesses::Count(L"pause"), 0) << "nothing to stop: no wait at start-up";
    EXPECT_EQ(FakeProcesses::Count(L"close"), 0);
}

TEST_F(Companions, TheScannerGetsTheBoardAndItsDirectory) {
    FakeProcesses::looksUntilRunning = 1;
    StartScanner(L"C:\\Z\\", 2);
    EXPECT_EQ(FakeProcesses::Count(L"open open C:\\Z\\Fenrask.exe /G2\n"), 1) << FakeProcesses::log;
    EXPECT_EQ(FakeProcesses::Count(L"pause 200"), 1);
}

}  // namespace
