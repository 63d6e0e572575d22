#include "skin_catalog.h"

#include <iterator>

namespace {

using K = ElementKind;

// The front panel.
constexpr SkinElement kMainElements[] = {
    {L"PButton", L"ButtonLogo", K::PushButton, 0},
    {L"PButton", L"ButtonMinimize", K::PushButton, 0},
    {L"PButton", L"ButtonClose", K::PushButton, 0},
    {L"PButton", L"ButtonLEDCtrl", K::PushButton, 0},
    {L"PButton", L"ButtonFanDutyInc", K::PushButton, 0},
    {L"PButton", L"ButtonFanDutyDec", K::PushButton, 0},
    {L"PButton", L"ButtonSetting", K::PushButton, 0},
    {L"PButton", L"ButtonStatus", K::PushButton, 0},
    {L"PButton", L"ButtonApply", K::PushButton, 0},
    {L"PButton", L"ButtonRestore", K::PushButton, 0},
    {L"PButton", L"ButtonInfo", K::PushButton, 0},
    {L"PButton", L"ButtonNVPanel", K::PushButton, 0},
    {L"PButton", L"ButtonOC", K::PushButton, 0},
    {L"TButton", L"ButtonTempUnit", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode1", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode2", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode3", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode4", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode5", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode6", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode7", K::ToggleButton, 0},
    {L"TButton", L"ButtonUserMode8", K::ToggleButton, 0},
    {L"TButton", L"ButtonOCMode", K::ToggleButton, 0},
    {L"TButton", L"ButtonGamingMode", K::ToggleButton, 0},
    {L"TButton", L"ButtonSilenceMode", K::ToggleButton, 0},
    {L"TButton", L"ButtonOC2Mode", K::ToggleButton, 0},
    {L"TButton", L"ButtonSave", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU1", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU2", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU3", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU4", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU5", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU6", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU7", K::ToggleButton, 0},
    {L"TButton", L"ButtonGPU8", K::ToggleButton, 0},
    {L"Static", L"Static", K::FrameList, 10},
    {L"Static", L"StaticFanDuty1", K::Rectangle, 0},
    {L"Static", L"StaticFanDuty2", K::Rectangle, 0},
    {L"Static", L"StaticFanDuty3", K::Rectangle, 0},
    {L"Static", L"StaticTemp1", K::Rectangle, 0},
    {L"Static", L"StaticTemp2", K::Rectangle, 0},
    {L"Static", L"StaticTemp3", K::Rectangle, 0},
    {L"Static", L"StaticCore1", K::Rectangle, 0},
    {L"Static", L"StaticCore2", K::Rectangle, 0},
    {L"Static", L"StaticCore3", K::Rectangle, 0},
    {L"Static", L"StaticCore4", K::Rectangle, 0},
    {L"Static", L"StaticMemory1", K::Rectangle, 0},
    {L"Static", L"StaticMemory2", K::Rectangle, 0},
    {L"Static", L"StaticMemory3", K::Rectangle, 0},
    {L"Static", L"StaticMemory4", K::Rectangle, 0},
    {L"Meter", L"MemMeter", K::Frames, 20},
    {L"Meter", L"CoreMeter", K::Frames, 20},
    {L"Meter", L"TempMeter", K::Frames, 17},
    {L"Meter", L"FanMeter", K::Frames, 17},
    {L"Static", L"StaticCoreCurrent", K::Rectangle, 0},
    {L"Static", L"StaticGPUName", K::Rectangle, 0},
    {L"Slider", L"SliderFanCtrl", K::Rectangle, 0},
};

constexpr LanguageText kMainTexts[] = {
    {L"Main", L"Current", L"Current"},
};

constexpr WindowSkin kWindows[] = {
    {L"Main", BackgroundMain, kMainElements, std::size(kMainElements), kMainTexts, std::size(kMainTexts)},
};

}  // namespace

const WindowSkin* WindowSkins(std::size_t* count) {
    *count = std::size(kWindows);
    return kWindows;
}
