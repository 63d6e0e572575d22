#include "skin_catalog.h"

#include "resources/resource.h"

#include <cwchar>
#include <iterator>

namespace {

using K = ElementKind;

using C = ControlKind;

constexpr SkinElement PushButton(const wchar_t* key, UINT id, const wchar_t* text, bool hidden = false) {
    return {L"PButton", key, K::PushButton, 0, C::Button, id, text, hidden};
}
constexpr SkinElement ToggleButton(const wchar_t* key, UINT id, const wchar_t* text, bool hidden = false) {
    return {L"TButton", key, K::ToggleButton, 0, C::Button, id, text, hidden};
}
constexpr bool kHidden = true;

// A control read from a rectangle element.
constexpr SkinElement Control(const wchar_t* section, const wchar_t* key, ControlKind control, UINT id) {
    return {section, key, K::Rectangle, 0, control, id};
}

// The front panel, in the order its controls are made.
constexpr SkinElement kMainElements[] = {
    {L"Slider", L"SliderFanCtrl", K::Rectangle, 0, C::Slider, IDC_SLIDER_FANCTRL},
    PushButton(L"ButtonLogo", IDC_BUTTON_LOGO, L"LOGO"),
    PushButton(L"ButtonMinimize", IDC_BUTTON_MINIMIZE, L"MINIMIZE"),
    PushButton(L"ButtonClose", IDC_BUTTON_CLOSE, L"CLOSE"),
    PushButton(L"ButtonLEDCtrl", IDC_BUTTON_LEDCTRL, L"LEDCTRL", kHidden),
    PushButton(L"ButtonFanDutyInc", IDC_BUTTON_FANDUTYINC, L"FANDUTYINC"),
    PushButton(L"ButtonFanDutyDec", IDC_BUTTON_FANDUTYDEC, L"FANDUTYDEC"),
    PushButton(L"ButtonSetting", IDC_BUTTON_SETTING, L"SETTING"),
    PushButton(L"ButtonStatus", IDC_BUTTON_STATUS, L"STATUS"),
    PushButton(L"ButtonApply", IDC_BUTTON_APPLY, L"APPLY"),
    PushButton(L"ButtonRestore", IDC_BUTTON_RESTORE, L"RESTORE"),
    PushButton(L"ButtonInfo", IDC_BUTTON_INFO, L"INFO"),
    PushButton(L"ButtonNVPanel", IDC_BUTTON_NVPANEL, L"NVPANEL"),
    PushButton(L"ButtonOC", IDC_BUTTON_OC, L"OC"),
    ToggleButton(L"ButtonTempUnit", IDC_BUTTON_TEMPUNIT, L"TEMPUNIT"),
    ToggleButton(L"ButtonUserMode1", IDC_BUTTON_USERMODE1, L"USERMODE1"),
    ToggleButton(L"ButtonUserMode2", IDC_BUTTON_USERMODE2, L"USERMODE2"),
    ToggleButton(L"ButtonUserMode3", IDC_BUTTON_USERMODE3, L"USERMODE3"),
    ToggleButton(L"ButtonUserMode4", IDC_BUTTON_USERMODE4, L"USERMODE4"),
    ToggleButton(L"ButtonUserMode5", IDC_BUTTON_USERMODE5, L"USERMODE5"),
    ToggleButton(L"ButtonUserMode6", IDC_BUTTON_USERMODE6, L"USERMODE6", kHidden),
    ToggleButton(L"ButtonUserMode7", IDC_BUTTON_USERMODE7, L"USERMODE7", kHidden),
    ToggleButton(L"ButtonUserMode8", IDC_BUTTON_USERMODE8, L"USERMODE8", kHidden),
    ToggleButton(L"ButtonOCMode", IDC_BUTTON_OCMODE, L"", kHidden),
    ToggleButton(L"ButtonGamingMode", IDC_BUTTON_GAMINGMODE, L"GAMINGMODE", kHidden),
    ToggleButton(L"ButtonSilenceMode", IDC_BUTTON_SILENCEMODE, L"SILENCEMODE", kHidden),
    ToggleButton(L"ButtonOC2Mode", IDC_BUTTON_OC2MODE, L"", kHidden),
    ToggleButton(L"ButtonSave", IDC_BUTTON_SAVE, L"SAVE"),
    ToggleButton(L"ButtonGPU1", IDC_BUTTON_GPU1, L"GPU1", kHidden),
    ToggleButton(L"ButtonGPU2", IDC_BUTTON_GPU2, L"GPU #2", kHidden),
    ToggleButton(L"ButtonGPU3", IDC_BUTTON_GPU3, L"GPU #3", kHidden),
    ToggleButton(L"ButtonGPU4", IDC_BUTTON_GPU4, L"GPU #4", kHidden),
    ToggleButton(L"ButtonGPU5", IDC_BUTTON_GPU5, L"GPU #5", kHidden),
    ToggleButton(L"ButtonGPU6", IDC_BUTTON_GPU6, L"GPU #6", kHidden),
    ToggleButton(L"ButtonGPU7", IDC_BUTTON_GPU7, L"GPU #7", kHidden),
    ToggleButton(L"ButtonGPU8", IDC_BUTTON_GPU8, L"GPU #8", kHidden),
    // The digit pictures every read-out shows.
    {L"Static", L"Static", K::FrameList, 10, C::None, 0, L"", false, L"digi_num\\%d.png"},
    {L"Static", L"StaticFanDuty1", K::Rectangle, 0, C::Display, IDC_STATIC_FANDUTY1, L"FANDUTY1", false, nullptr, L"Static"},
    {L"Static", L"StaticFanDuty2", K::Rectangle, 0, C::Display, IDC_STATIC_FANDUTY2, L"FANDUTY2", false, nullptr, L"Static"},
    {L"Static", L"StaticFanDuty3", K::Rectangle, 0, C::Display, IDC_STATIC_FANDUTY3, L"FANDUTY3", false, nullptr, L"Static"},
    {L"Static", L"StaticTemp1", K::Rectangle, 0, C::Display, IDC_STATIC_TEMP1, L"TEMP1", false, nullptr, L"Static"},
    {L"Static", L"StaticTemp2", K::Rectangle, 0, C::Display, IDC_STATIC_TEMP2, L"TEMP2", false, nullptr, L"Static"},
    {L"Static", L"StaticTemp3", K::Rectangle, 0, C::Display, IDC_STATIC_TEMP3, L"TEMP3", false, nullptr, L"Static"},
    {L"Static", L"StaticCore1", K::Rectangle, 0, C::Display, IDC_STATIC_CORE1, L"CORE1", false, nullptr, L"Static"},
    {L"Static", L"StaticCore2", K::Rectangle, 0, C::Display, IDC_STATIC_CORE2, L"CORE2", false, nullptr, L"Static"},
    {L"Static", L"StaticCore3", K::Rectangle, 0, C::Display, IDC_STATIC_CORE3, L"CORE3", false, nullptr, L"Static"},
    {L"Static", L"StaticCore4", K::Rectangle, 0, C::Display, IDC_STATIC_CORE4, L"CORE4", false, nullptr, L"Static"},
    {L"Static", L"StaticMemory1", K::Rectangle, 0, C::Display, IDC_STATIC_MEMORY1, L"MEMORY1", false, nullptr, L"Static"},
    {L"Static", L"StaticMemory2", K::Rectangle, 0, C::Display, IDC_STATIC_MEMORY2, L"MEMORY2", false, nullptr, L"Static"},
    {L"Static", L"StaticMemory3", K::Rectangle, 0, C::Display, IDC_STATIC_MEMORY3, L"MEMORY3", false, nullptr, L"Static"},
    {L"Static", L"StaticMemory4", K::Rectangle, 0, C::Display, IDC_STATIC_MEMORY4, L"MEMORY4", false, nullptr, L"Static"},
    {L"Meter", L"MemMeter", K::Frames, 20, C::Display, IDC_METER_MEMORY, L"MEMORY_METER", false,
     L"mem_meter\\zanth_UI_517x517_01_%05d.png"},
    {L"Meter", L"CoreMeter", K::Frames, 20, C::Display, IDC_METER_CORE, L"CORE_METER", false,
     L"core_meter\\zanth_UI_517x517_02_%05d.png"},
    {L"Meter", L"TempMeter", K::Frames, 17, C::Display, IDC_METER_TEMP, L"TEMP_METER", false,
     L"Master-QUARNIX-gauge-assets\\GPU CoreMeter QUARNIX UI\\GPU-meter-quarnix-ui-%02d.png"},
    {L"Meter", L"FanMeter", K::Frames, 17, C::Display, IDC_METER_FAN, L"FAN_METER", false,
     L"Master-QUARNIX-gauge-assets\\Fan Duty CoreMeter QUARNIX UI\\Fan-duty-meter-quarnix-ui-%02d.png"},
    // Made after the board list: the current clock and the board's name.
    {L"Static", L"StaticCoreCurrent", K::Rectangle, 0, C::Label, IDC_STATIC_CORECURRENT, L""},
    {L"Static", L"StaticGPUName", K::Rectangle, 0, C::Label, IDC_STATIC_GPUNAME, L"GPU Name"},
};

constexpr LanguageText kMainTexts[] = {
    {L"Main", L"Current", L"Current"},
};

// The settings dialog.
constexpr SkinElement kSettingElements[] = {
    Control(L"Check", L"CheckStartup", C::Check, IDC_SET_STARTUP),
    Control(L"Check", L"CheckTooltip", C::Check, IDC_SET_TOOLTIPS),
    {L"Check", L"CheckTellix", K::Rectangle, 0, C::Check, IDC_SET_COMPANION, L"", kHidden},
    Control(L"Check", L"CheckCurrentCLK", C::Check, IDC_SET_CURRENT),
    Control(L"Check", L"CheckBase3DCLK", C::Check, IDC_SET_BASE),
    Control(L"Check", L"CheckBoost3DCLK", C::Check, IDC_SET_BOOST),
    // The picture carries the texts of the hidden labels; the boost clock's is live.
    {L"Setting", L"TextItemStartup", K::Rectangle, 0, C::Label, IDC_SET_STARTUP_LABEL, L"", kHidden},
    {L"Setting", L"TextItemToolTips", K::Rectangle, 0, C::Label, IDC_SET_TOOLTIPS_LABEL, L"", kHidden},
    {L"Setting", L"TextItemTellix", K::Rectangle, 0, C::Label, IDC_SET_COMPANION_LABEL, L"Enable TELLIX", kHidden},
    {L"Setting", L"TextItemMeterMode", K::Rectangle, 0, C::Label, IDC_SET_METER_LABEL, L"", kHidden},
    {L"Setting", L"TextItemCurrentCLK", K::Rectangle, 0, C::Label, IDC_SET_CURRENT_LABEL, L"", kHidden},
    {L"Setting", L"TextItemBase3DCLK", K::Rectangle, 0, C::Label, IDC_SET_BASE_LABEL, L"", kHidden},
    Control(L"Setting", L"TextItemBoost3DCLK", C::Label, IDC_SET_BOOST_LABEL),
    // The monitoring interval: its label, and the two-digit box with its arrows.
    Control(L"Setting", L"TextItemInterval", C::Label, IDC_SET_INTERVAL_LABEL),
    Control(L"Setting", L"EditInterval", C::Custom, IDC_SET_INTERVAL),
    PushButton(L"ButtonSettingApply", IDOK, L"APPLY"),
    PushButton(L"ButtonSettingCancel", IDCANCEL, L"CANCEL"),
};

constexpr LanguageText kSettingTexts[] = {
    {L"Setting", L"Autorun", L"Run at Windows startup"},
    {L"Setting", L"ToolTips", L"Enable ToolTips"},
    {L"Setting", L"MeterMode", L"Meter Display"},
    {L"Setting", L"CurrentCLK", L"Current clock"},
    {L"Setting", L"Base3DCLK", L"Base clock"},
    {L"Setting", L"Boost3DCLK", L"Boost clock"},
    {L"Setting", L"Interval", L"Update interval (s)"},
};

// The status dialog: eight charts, each with its value line.
constexpr SkinElement kStatusElements[] = {
    {L"Histogram", L"Histogram1", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART1},
    {L"Histogram", L"Histogram2", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART2},
    {L"Histogram", L"Histogram3", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART3},
    {L"Histogram", L"Histogram4", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART4},
    {L"Histogram", L"Histogram5", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART5},
    {L"Histogram", L"Histogram6", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART6},
    {L"Histogram", L"Histogram7", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART7},
    {L"Histogram", L"Histogram8", K::Rectangle, 0, C::Custom, IDC_STATUS_CHART8},
    {L"Histogram", L"TextDataCCLK", K::Rectangle, 0, C::Label, IDC_STATUS_LINE1},
    {L"Histogram", L"TextDataMCLK", K::Rectangle, 0, C::Label, IDC_STATUS_LINE2},
    {L"Histogram", L"TextDataTemp", K::Rectangle, 0, C::Label, IDC_STATUS_LINE3},
    {L"Histogram", L"TextDataFanSpeed", K::Rectangle, 0, C::Label, IDC_STATUS_LINE4},
    {L"Histogram", L"TextDataCVolt", K::Rectangle, 0, C::Label, IDC_STATUS_LINE5},
    {L"Histogram", L"TextDataPower", K::Rectangle, 0, C::Label, IDC_STATUS_LINE6},
    {L"Histogram", L"TextDataCoreUsage", K::Rectangle, 0, C::Label, IDC_STATUS_LINE7},
    {L"Histogram", L"TextDataMemoryUsage", K::Rectangle, 0, C::Label, IDC_STATUS_LINE8},
    PushButton(L"ButtonStatusClose", IDC_STATUS_CLOSE, L"StatusClose"),
};

constexpr LanguageText kStatusTexts[] = {
    {L"Status", L"CurrentCClk", L"Core Clock"},     {L"Status", L"BaseCClk", L"Base"},
    {L"Status", L"BoostCClk", L"Boost"},            {L"Status", L"CurrentMCLK", L"Memory Clock"},
    {L"Status", L"BaseMCLK", L"Base"},              {L"Status", L"BoostMCLK", L"Boost"},
    {L"Status", L"CurrentCTemp", L"Core Tempature"}, {L"Status", L"CurrentFanSpd", L"Fan Speed"},
    {L"Status", L"CurrentCVolt", L"Core Voltage"},  {L"Status", L"BaseCVolt", L"Base"},
    {L"Status", L"CurrentPower", L"Power Usage"},   {L"Status", L"CurrentCoreUsage", L"Core Usage"},
    {L"Status", L"CurrentMemoryUsage", L"Memory Usage"},
};

// The information dialog: rows of text painted on the picture.
constexpr SkinElement kInfoElements[] = {
    PushButton(L"ButtonInfoClose", IDC_INFO_CLOSE, L"InfoClose"),
    {L"Information", L"TextHeight", K::Number, 0},
    {L"Information", L"TextItem", K::Rectangle, 0},
    {L"Information", L"TextData", K::Rectangle, 0},
};

constexpr LanguageText kInfoTexts[] = {
    {L"Information", L"Version", L"Zorvane version"},      {L"Information", L"OSVersion", L"OS version"},
    {L"Information", L"GPUName", L"Graphic chip"},         {L"Information", L"DevID", L"Device ID"},
    {L"Information", L"SubsID", L"Subsystem ID"},          {L"Information", L"DriverVer", L"Driver version"},
    {L"Information", L"CUDA", L"CUDA Cores"},              {L"Information", L"BaseCCLK", L"Graphic base clock"},
    {L"Information", L"BoostCCLK", L"Graphic boost clock"}, {L"Information", L"BaseMCLK", L"Memory base clock"},
    {L"Information", L"BoostMCLK", L"Memory boost clock"},  {L"Information", L"MemInf", L"Memory Interface"},
    {L"Information", L"MemSize", L"Memory size"},          {L"Information", L"BaseCVolt", L"Core base voltage"},
    {L"Information", L"VBIOSVer", L"Video BIOS version"},  {L"Information", L"IRQ", L"IRQ"},
    {L"Information", L"BusType", L"Bus type"},
};

// The overclock dialog: the normal page, then master mode's switches (the wider
// second page shows them). One table; the normal page is its first rows.
constexpr SkinElement kOverClockElements[] = {
    {L"Slider", L"SliderCCLK", K::Rectangle, 0, C::Slider, IDC_OC_CORE_SLIDER},
    {L"Slider", L"SliderMCLK", K::Rectangle, 0, C::Slider, IDC_OC_MEMORY_SLIDER},
    {L"Slider", L"SliderCVolt", K::Rectangle, 0, C::Slider, IDC_OC_VOLTAGE_SLIDER},
    {L"Slider", L"SliderPower", K::Rectangle, 0, C::Slider, IDC_OC_POWER_SLIDER},
    {L"Slider", L"SliderTemp", K::Rectangle, 0, C::Slider, IDC_OC_TEMP_SLIDER},
    {L"Slider", L"SliderVoltMax", K::Rectangle, 0, C::Slider, IDC_OC_VOLTMAX_SLIDER},
    {L"Slider", L"SliderFrame", K::Rectangle, 0, C::Slider, IDC_OC_FRAME_SLIDER},
    {L"Slider", L"TextItemCCLK", K::Rectangle, 0, C::Label, IDC_OC_CORE_ITEM},
    {L"Slider", L"TextItemMCLK", K::Rectangle, 0, C::Label, IDC_OC_MEMORY_ITEM},
    {L"Slider", L"TextItemCVolt", K::Rectangle, 0, C::Label, IDC_OC_VOLTAGE_ITEM},
    {L"Slider", L"TextItemPower", K::Rectangle, 0, C::Label, IDC_OC_POWER_ITEM},
    {L"Slider", L"TextItemTemp", K::Rectangle, 0, C::Label, IDC_OC_TEMP_ITEM},
    {L"Slider", L"TextItemVoltMax", K::Rectangle, 0, C::Label, IDC_OC_VOLTMAX_ITEM},
    {L"Slider", L"TextItemFrame", K::Rectangle, 0, C::Label, IDC_OC_FRAME_ITEM},
    {L"Slider", L"TextDataCCLK", K::Rectangle, 0, C::Label, IDC_OC_CORE_VALUE},
    {L"Slider", L"TextDataMCLK", K::Rectangle, 0, C::Label, IDC_OC_MEMORY_VALUE},
    {L"Slider", L"TextDataCVOLT", K::Rectangle, 0, C::Label, IDC_OC_VOLTAGE_VALUE},
    {L"Slider", L"TextDataPower", K::Rectangle, 0, C::Label, IDC_OC_POWER_VALUE},
    {L"Slider", L"TextDataTemp", K::Rectangle, 0, C::Label, IDC_OC_TEMP_VALUE},
    {L"Slider", L"TextDataVoltMax", K::Rectangle, 0, C::Label, IDC_OC_VOLTMAX_VALUE},
    {L"Slider", L"TextDataFrame", K::Rectangle, 0, C::Label, IDC_OC_FRAME_VALUE},
    {L"Slider", L"TextUnitCCLK", K::Rectangle, 0, C::Label, IDC_OC_CORE_UNIT, L"MHz"},
    {L"Slider", L"TextUnitMCLK", K::Rectangle, 0, C::Label, IDC_OC_MEMORY_UNIT, L"MHz"},
    {L"Slider", L"TextUnitCVolt", K::Rectangle, 0, C::Label, IDC_OC_VOLTAGE_UNIT, L"V"},
    {L"Slider", L"TextUnitPower", K::Rectangle, 0, C::Label, IDC_OC_POWER_UNIT, L"%"},
    {L"Slider", L"TextUnitTemp", K::Rectangle, 0, C::Label, IDC_OC_TEMP_UNIT, L"'C"},
    {L"Slider", L"TextUnitVoltMax", K::Rectangle, 0, C::Label, IDC_OC_VOLTMAX_UNIT, L"V"},
    {L"Slider", L"TextUnitFrame", K::Rectangle, 0, C::Label, IDC_OC_FRAME_UNIT, L"FPS"},
    {L"Check", L"CheckPrioritizeTemp", K::Rectangle, 0, C::Check, IDC_OC_PRIORITIZE},
    {L"Check", L"CheckLinkTemp", K::Rectangle, 0, C::Check, IDC_OC_LINKED},
    {L"Check", L"CheckOVMax", K::Rectangle, 0, C::Check, IDC_OC_OVERVOLTAGED},
    {L"Slider", L"TextTempPrioritize", K::Rectangle, 0, C::Label, IDC_OC_PRIORITIZE_LABEL},
    {L"Slider", L"TextTempLink", K::Rectangle, 0, C::Label, IDC_OC_LINKED_LABEL},
    {L"Slider", L"TextVoltMaxEnable", K::Rectangle, 0, C::Label, IDC_OC_OVERVOLTAGED_LABEL},
    PushButton(L"ButtonOCOK", IDOK, L"OK"),
    PushButton(L"ButtonOCCancel", IDCANCEL, L"CANCEL"),
    PushButton(L"ButtonFenrask", IDC_OC_SCANNER, L"O.C.Scanner"),
    ToggleButton(L"ButtonNormalMode", IDC_OC_NORMAL_MODE, L"NormalMode"),
    ToggleButton(L"ButtonMasterMode", IDC_OC_MASTER_MODE, L"MasterMode", kHidden),
    // Master mode.
    ToggleButton(L"ButtonOCCoreOV", IDC_OC_CORE_OV, L"", kHidden),
    ToggleButton(L"ButtonOCMemOV", IDC_OC_MEMORY_OV, L"", kHidden),
    ToggleButton(L"ButtonOCFanFS", IDC_OC_FAN_FULL_SPEED, L"", kHidden),
    ToggleButton(L"ButtonOCP", IDC_OC_OVER_CURRENT, L"", kHidden),
    {L"Slider", L"TextCoreOV", K::Rectangle, 0, C::Label, IDC_OC_CORE_OV_LABEL, L"", kHidden},
    {L"Slider", L"TextMemOV", K::Rectangle, 0, C::Label, IDC_OC_MEMORY_OV_LABEL, L"", kHidden},
    {L"Slider", L"TextFanFS", K::Rectangle, 0, C::Label, IDC_OC_FAN_FULL_SPEED_LABEL, L"", kHidden},
    {L"Slider", L"TextOCP", K::Rectangle, 0, C::Label, IDC_OC_OVER_CURRENT_LABEL, L"", kHidden},
};
// The normal page: every row before master mode's switches.
constexpr std::size_t kOverClockNormalCount = std::size(kOverClockElements) - 8;

constexpr LanguageText kOverClockTexts[] = {
    {L"OverClock", L"CoreCLK", L"GPU Clock Offset"},
    {L"OverClock", L"MemCLk", L"Memory Clock Offset"},
    {L"OverClock", L"CoreVolt", L"Voltage Minimum Offset"},
    {L"OverClock", L"CoreVoltPct", L"GPU Over Voltage"},
    {L"OverClock", L"PowerLimit", L"Power Target"},
    {L"OverClock", L"TempTarget", L"GPU Temp. Target"},
    {L"OverClock", L"VoltMax", L"GPU Max. Voltage"},
    {L"OverClock", L"Frame", L"Frame Rate Target"},
    {L"OverClock", L"TempPrioritize", L"Prioritize"},
    {L"OverClock", L"TempLink", L"Linked"},
    {L"OverClock", L"VoltMaxEnable", L"Overvoltaged"},
    {L"OverClock", L"CoreOV", L"GPU  OverVoltage"},
    {L"OverClock", L"MemOV", L"Memory  OverVoltage"},
    {L"OverClock", L"FanFS", L"Fan   FullSpeed"},
    {L"OverClock", L"OCP", L"OverCurrent Limit"},
};


// The fan control dialog with one fan group, and with two. Label texts come from the
// language file; with one group the second group's controls are made from the
// two-group rows and stay hidden.
constexpr SkinElement kFanCtrlElements[] = {
    Control(L"Polycurve", L"Polycurve1", C::Custom, IDC_FAN_CURVE1),
    Control(L"Slider", L"SliderFanSpeed", C::Slider, IDC_FAN_SLIDER1),
    Control(L"Slider", L"TextItemFanCtrl", C::Label, IDC_FAN_ITEM1),
    Control(L"Slider", L"TextDataFanCtrl", C::Label, IDC_FAN_VALUE1),
    Control(L"Slider", L"TextUnitFanCtrl", C::Label, IDC_FAN_UNIT1),
    Control(L"Slider", L"TextAutoFanCtrl", C::Label, IDC_FAN_AUTO_LABEL1),
    Control(L"Slider", L"TextFixedFanCtrl", C::Label, IDC_FAN_FIXED_LABEL1),
    Control(L"Slider", L"TextPolycurveFanCtrl", C::Label, IDC_FAN_CURVE_LABEL1),
    Control(L"Check", L"CheckFanAuto", C::Check, IDC_FAN_AUTO1),
    Control(L"Check", L"CheckFanPolycurve", C::Check, IDC_FAN_CURVE_CHECK1),
    Control(L"Check", L"CheckFanFixed", C::Check, IDC_FAN_FIXED1),
    PushButton(L"ButtonFanCtrlApply", IDC_FAN_APPLY, L"APPLY"),
    PushButton(L"ButtonFanCtrlCancel", IDC_FAN_CANCEL, L"CANCEL"),
};

constexpr LanguageText kFanCtrlTexts[] = {
    {L"FanControl", L"AxisXLabel", L"Temperature, (C')"},
    {L"FanControl", L"AxisYLabel", L"Fan Speed, (%)"},
    {L"FanControl", L"FanCtrl", L"Fan Speed"},
    {L"FanControl", L"AutoFanCtrl", L"Default fan curve"},
    {L"FanControl", L"FixedFanCtrl", L"Fixed Fan Speed"},
    {L"FanControl", L"PolycurveFanCtrl", L"User defined fan curve"},
};

constexpr SkinElement kFanCtrl2Elements[] = {
    Control(L"Polycurve", L"Polycurve1", C::Custom, IDC_FAN_CURVE1),
    Control(L"Slider", L"SliderFanSpeed", C::Slider, IDC_FAN_SLIDER1),
    Control(L"Slider", L"TextItemFanCtrl", C::Label, IDC_FAN_ITEM1),
    Control(L"Slider", L"TextDataFanCtrl", C::Label, IDC_FAN_VALUE1),
    Control(L"Slider", L"TextUnitFanCtrl", C::Label, IDC_FAN_UNIT1),
    Control(L"Slider", L"TextAutoFanCtrl", C::Label, IDC_FAN_AUTO_LABEL1),
    Control(L"Slider", L"TextFixedFanCtrl", C::Label, IDC_FAN_FIXED_LABEL1),
    Control(L"Slider", L"TextPolycurveFanCtrl", C::Label, IDC_FAN_CURVE_LABEL1),
    Control(L"Check", L"CheckFanAuto", C::Check, IDC_FAN_AUTO1),
    Control(L"Check", L"CheckFanPolycurve", C::Check, IDC_FAN_CURVE_CHECK1),
    Control(L"Check", L"CheckFanFixed", C::Check, IDC_FAN_FIXED1),
    Control(L"Polycurve", L"Polycurve2", C::Custom, IDC_FAN_CURVE2),
    Control(L"Slider", L"SliderFan2Speed", C::Slider, IDC_FAN_SLIDER2),
    Control(L"Slider", L"TextItemFan2Ctrl", C::Label, IDC_FAN_ITEM2),
    Control(L"Slider", L"TextDataFan2Ctrl", C::Label, IDC_FAN_VALUE2),
    Control(L"Slider", L"TextUnitFan2Ctrl", C::Label, IDC_FAN_UNIT2),
    Control(L"Slider", L"TextAutoFan2Ctrl", C::Label, IDC_FAN_AUTO_LABEL2),
    Control(L"Slider", L"TextFixedFan2Ctrl", C::Label, IDC_FAN_FIXED_LABEL2),
    Control(L"Slider", L"TextPolycurveFan2Ctrl", C::Label, IDC_FAN_CURVE_LABEL2),
    Control(L"Check", L"CheckFan2Auto", C::Check, IDC_FAN_AUTO2),
    Control(L"Check", L"CheckFan2Polycurve", C::Check, IDC_FAN_CURVE_CHECK2),
    Control(L"Check", L"CheckFan2Fixed", C::Check, IDC_FAN_FIXED2),
    PushButton(L"ButtonFan2CtrlApply", IDC_FAN_APPLY, L"APPLY"),
    PushButton(L"ButtonFan2CtrlCancel", IDC_FAN_CANCEL, L"CANCEL"),
};

constexpr LanguageText kFanCtrl2Texts[] = {
    {L"FanControl", L"AxisXLabel", L"Temperature, (C')"},
    {L"FanControl", L"AxisYLabel", L"Fan Speed, (%)"},
    {L"FanControl", L"FanCtrl", L"Fan Speed"},
    {L"FanControl", L"AutoFanCtrl", L"Default fan curve"},
    {L"FanControl", L"FixedFanCtrl", L"Fixed Fan Speed"},
    {L"FanControl", L"PolycurveFanCtrl", L"User defined fan curve"},
    {L"FanControl", L"Fan2Ctrl", L"Fan Speed"},
    {L"FanControl", L"AutoFan2Ctrl", L"Default fan curve"},
    {L"FanControl", L"FixedFan2Ctrl", L"Fixed Fan Speed"},
    {L"FanControl", L"PolycurveFan2Ctrl", L"User defined fan curve"},
};

// The LED control dialog; the swatches are labels painted in their colour.
constexpr SkinElement kLedCtrlElements[] = {
    Control(L"Check", L"CheckLedOff", C::Check, IDC_LED_OFF),
    Control(L"Slider", L"TextLedOffLedCtrl", C::Label, IDC_LED_OFF_LABEL),
    Control(L"Check", L"CheckGpuTemp", C::Check, IDC_LED_GPUTEMP),
    Control(L"Slider", L"TextGPUTempLedCtrl", C::Label, IDC_LED_GPUTEMP_LABEL),
    Control(L"Check", L"CheckStill", C::Check, IDC_LED_STILL),
    Control(L"Slider", L"TextStillLedCtrl", C::Label, IDC_LED_STILL_LABEL),
    Control(L"Check", L"CheckRainbow", C::Check, IDC_LED_RAINBOW),
    Control(L"Slider", L"TextRainbowLedCtrl", C::Label, IDC_LED_RAINBOW_LABEL),
    Control(L"Check", L"CheckPowerOn", C::Check, IDC_LED_POWERON),
    Control(L"Slider", L"TextPowerOnLedCtrl", C::Label, IDC_LED_POWERON_LABEL),
    Control(L"Check", L"CheckNvCtrl", C::Check, IDC_LED_NVCTRL),
    Control(L"Slider", L"TextNvCtrlLedCtrl", C::Label, IDC_LED_NVCTRL_LABEL),
    Control(L"Check", L"CheckBreath", C::Check, IDC_LED_BREATH),
    Control(L"Slider", L"TextBreathLedCtrl", C::Label, IDC_LED_BREATH_LABEL),
    Control(L"Check", L"CheckCycle", C::Check, IDC_LED_CYCLE),
    Control(L"Slider", L"TextCycleLedCtrl", C::Label, IDC_LED_CYCLE_LABEL),
    Control(L"Check", L"CheckStrobe", C::Check, IDC_LED_STROBE),
    Control(L"Slider", L"TextStrobeLedCtrl", C::Label, IDC_LED_STROBE_LABEL),
    Control(L"Slider", L"TextStaticColorLedCtrl", C::Label, IDC_LED_STILL_COLOUR),
    Control(L"Slider", L"TextStaticNvCtrlColorLedCtrl", C::Label, IDC_LED_NV_COLOUR),
    Control(L"Slider", L"TextBreathColorLedCtrl", C::Label, IDC_LED_BREATH_COLOUR),
    Control(L"Slider", L"TextBreathColorBLedCtrl", C::Label, IDC_LED_BREATH_COLOUR_B),
    Control(L"Slider", L"TextStrobeColorLedCtrl", C::Label, IDC_LED_STROBE_COLOUR),
    Control(L"Slider", L"SliderLedBright", C::Slider, IDC_LED_STILL_BRIGHTNESS),
    Control(L"Slider", L"SliderBreathBright", C::Slider, IDC_LED_BREATH_BRIGHTNESS),
    Control(L"Slider", L"TextBreathBrightLedCtrl", C::Label, IDC_LED_BREATH_BRIGHTNESS_LABEL),
    Control(L"Slider", L"SliderBreathSpeed", C::Slider, IDC_LED_BREATH_SPEED),
    Control(L"Slider", L"TextBreathSpeedLedCtrl", C::Label, IDC_LED_BREATH_SPEED_LABEL),
    Control(L"Slider", L"SliderCycleSpeed", C::Slider, IDC_LED_CYCLE_SPEED),
    Control(L"Slider", L"TextCycleSpeedLedCtrl", C::Label, IDC_LED_CYCLE_SPEED_LABEL),
    Control(L"Slider", L"SliderCycleDirection", C::Slider, IDC_LED_CYCLE_DIRECTION),
    Control(L"Slider", L"TextCycleDirectionLedCtrl", C::Label, IDC_LED_CYCLE_DIRECTION_LABEL),
    Control(L"Slider", L"SliderStrobeSpeed", C::Slider, IDC_LED_STROBE_SPEED),
    Control(L"Slider", L"TextStrobeSpeedLedCtrl", C::Label, IDC_LED_STROBE_SPEED_LABEL),
    Control(L"Slider", L"SliderStrobeDirectiion", C::Slider, IDC_LED_STROBE_DIRECTION),
    Control(L"Slider", L"TextStrobeDirectionLedCtrl", C::Label, IDC_LED_STROBE_DIRECTION_LABEL),
    Control(L"Slider", L"TextLedCtrlVersion", C::Label, IDC_LED_KIND),
    PushButton(L"ButtonLedCtrlClose", IDC_LED_CLOSE, L"CLOSE"),
};

constexpr LanguageText kLedCtrlTexts[] = {
    {L"LedControl", L"LedOff", L"Off"},
    {L"LedControl", L"GpuTemp", L"GPU Temperature"},
    {L"LedControl", L"Still", L"Still"},
    {L"LedControl", L"Rainbow", L"Rainbow"},
    {L"LedControl", L"PowerOn", L"Set to power-on default color"},
    {L"LedControl", L"NVCtrl", L"By NVIDIA Control"},
    {L"LedControl", L"Breath", L"Breath"},
    {L"LedControl", L"Cycle", L"Cycle"},
    {L"LedControl", L"Strobe", L"Strobe"},
};

// The quit question (a plain dialog).
constexpr LanguageText kQuitTexts[] = {
    {L"Quit", L"TextMsg", L"Quit Zorvane now ?"},
    {L"Quit", L"OK", L"Restore default && Quit"},
    {L"Quit", L"Cancel", L"Keep current && Quit"},
};

constexpr WindowSkin kWindows[] = {
    {L"Main", BackgroundMain, kMainElements, std::size(kMainElements), kMainTexts, std::size(kMainTexts)},
    {L"Setting", BackgroundSetting, kSettingElements, std::size(kSettingElements), kSettingTexts,
     std::size(kSettingTexts)},
    {L"Status", BackgroundStatus, kStatusElements, std::size(kStatusElements), kStatusTexts, std::size(kStatusTexts)},
    {L"Info", BackgroundInfo, kInfoElements, std::size(kInfoElements), kInfoTexts, std::size(kInfoTexts)},
    {L"OverClock", BackgroundOverClock, kOverClockElements, kOverClockNormalCount, kOverClockTexts,
     std::size(kOverClockTexts)},
    // Master mode's page: the normal page and the four switches.
    {L"OverClock2", BackgroundOverClock2, kOverClockElements, std::size(kOverClockElements), kOverClockTexts,
     std::size(kOverClockTexts)},
    {L"FanCtrl", BackgroundFanCtrl, kFanCtrlElements, std::size(kFanCtrlElements), kFanCtrlTexts,
     std::size(kFanCtrlTexts)},
    {L"FanCtrl2", BackgroundFanCtrl2, kFanCtrl2Elements, std::size(kFanCtrl2Elements), kFanCtrl2Texts,
     std::size(kFanCtrl2Texts)},
    {L"LedCtrl", BackgroundLedCtrl, kLedCtrlElements, std::size(kLedCtrlElements), kLedCtrlTexts,
     std::size(kLedCtrlTexts)},
};

}  // namespace

const WindowSkin* WindowSkins(std::size_t* count) {
    *count = std::size(kWindows);
    return kWindows;
}

const LanguageText* PlainWindowTexts(std::size_t* count) {
    *count = std::size(kQuitTexts);
    return kQuitTexts;
}

const WindowSkin* FindWindowSkin(const wchar_t* name) {
    for (const WindowSkin& window : kWindows) {
        if (std::wcscmp(window.name, name) == 0) return &window;
    }
    return nullptr;
}
