#include "board_features.h"

#include "gpu/board_list.h"
#include "gpu/fans.h"
#include "gpu/i2c.h"
#include "gpu/led.h"
#include "gpu/sensors.h"
#include "gpu/voltage.h"
#include "profiles/settings_store.h"

std::uint32_t BoardFeatures = 0;

namespace {

constexpr std::uint8_t kIdentificationRegister = 0x99;
constexpr std::uint8_t kCoreOverVoltageRegister = 0xDD;
constexpr std::uint8_t kOverCurrentRegister = 0xE2;
constexpr std::uint8_t kBoardControllerAnswer = 0x41;
constexpr std::uint8_t kCoreOverVoltageOnValue = 4;
constexpr std::uint8_t kOverCurrentRaised = 0x1F;
constexpr std::uint8_t kOverCurrentNormal = 0x10;

// The board variants with built-in modes and the values of their modes.
constexpr BuiltInVariant kVariants[] = {
    {0x1B0610DE, 1518, feature::BuiltInModes, {0, 100}, {-50, 90}, {-100, 80}},
    {0x1B0610DE, 1556, feature::BuiltInModes, {0, 100}, {-25, 90}, {-50, 80}},
    {0x1B0610DE, 1594, feature::BuiltInModes, {0, 100}, {-76, 90}, {-152, 80}},
    {0x1B8210DE, 1708, feature::BuiltInModes, {0, 100}, {-76, 90}, {-152, 80}},
    {0x1B8210DE, 1607, feature::BuiltInOc2Mode, {202, 120}, {0, 100}, {0, 100}},
};

}  // namespace

void WriteBoardControllerRegisters(int board, bool coreOverVoltage, bool overCurrent) {
    std::uint8_t identity = 0;
    if (!GpuI2cRead(board, &identity, kBoardController, kIdentificationRegister) || identity != kBoardControllerAnswer) {
        return;
    }
    const std::uint8_t core = coreOverVoltage ? kCoreOverVoltageOnValue : 0;
    GpuI2cWrite(board, &core, kBoardController, kCoreOverVoltageRegister, 0, 1);
    const std::uint8_t current = overCurrent ? kOverCurrentRaised : kOverCurrentNormal;
    GpuI2cWrite(board, &current, kBoardController, kOverCurrentRegister, 0, 1);
}

const BuiltInVariant* FindBuiltInVariant(std::uint32_t device, int baseClock) {
    for (const BuiltInVariant& variant : kVariants) {
        if (variant.device == device && variant.baseClock == baseClock) return &variant;
    }
    return nullptr;
}

void RefreshBoardFeatures() {
    const int board = SelectedBoard;
    std::uint32_t word = 0;

    std::uint8_t value = 0;
    if (GpuI2cRead(board, &value, kBoardController, kIdentificationRegister) && value == kBoardControllerAnswer) {
        word |= feature::I2cVoltageController | feature::OverCurrentControl;
        if (GpuI2cRead(board, &value, kBoardController, kCoreOverVoltageRegister) && value == kCoreOverVoltageOnValue) {
            word |= feature::CoreOverVoltageOn;
        }
        if (GpuI2cRead(board, &value, kBoardController, kOverCurrentRegister) && value == kOverCurrentRaised) {
            word |= feature::OverCurrentOn;
        }
    }

    unsigned control = 0;
    if (GpuGetDriverControl(board, GpuMemoryOverVoltageControl(board), control)) {
        word |= feature::MemoryOverVoltageControl;
        if (control == 1) word |= feature::MemoryOverVoltageOn;
    }
    if (GpuGetDriverControl(board, kControlFanFullSpeed, control)) {
        word |= feature::FanFullSpeedControl;
        if (control == 0) word |= feature::FanFullSpeedOn;
    }

    std::uint32_t device = 0, subsystem = 0;
    if (GpuGetPciIds(board, device, subsystem)) {
        if (device == 0x100410DE || device == 0x13C010DE || device == 0x17C810DE) {
            word |= feature::MaxOverVoltageBoard;
        } else if (device == 0x118410DE) {
            word |= feature::NoMaxVoltageBoard;
        } else if (device == 0x1B0610DE || device == 0x1B8210DE) {
            word &= ~(feature::MaxOverVoltageBoard | feature::NoMaxVoltageBoard | feature::FanFullSpeedControl);
            if (word & feature::MemoryOverVoltageControl) {
                word &= ~feature::MemoryOverVoltageControl;
                if (const BuiltInVariant* variant = FindBuiltInVariant(device, GpuGetClockFrequency(0, kClockBase))) {
                    word |= variant->feature;
                }
            }
        } else {
            word &= ~(feature::MaxOverVoltageBoard | feature::NoMaxVoltageBoard);
        }
    }

    if (ReadProductInt(setting::GpuMaxVoltage) > 0) word &= ~feature::NoMaxVoltageBoard;
    if (ReadProductInt(setting::MasterDefCoreOv) > 0) word &= ~feature::MaxOverVoltageBoard;

    if (word & feature::MaxOverVoltageBoard) {
        word &= ~feature::CoreOverVoltageOn;
        if (GpuGetOverVoltage(board, 3) == GpuGetOverVoltage(board, 0)) word |= feature::CoreOverVoltageOn;
    }
    BoardFeatures = word;
}

void ApplyFeatureSwitches(std::uint32_t features) {
    const int board = SelectedBoard;
    // The board controller's registers only when the word says the board has one and
    // the chip at its address still identifies as it: another chip may answer there.
    if (features & feature::I2cVoltageController) {
        const bool coreOverVoltage = (features & feature::CoreOverVoltageOn) && !(features & feature::MaxOverVoltageBoard);
        WriteBoardControllerRegisters(board, coreOverVoltage, features & feature::OverCurrentOn);
    }

    GpuSetDriverControl(board, GpuMemoryOverVoltageControl(board), (features & feature::MemoryOverVoltageOn) ? 1 : 0);

    const bool fullSpeed = features & feature::FanFullSpeedOn;
    if (!GpuSetDriverControl(board, kControlFanFullSpeed, fullSpeed ? 0 : 1) && fullSpeed) {
        // No full-speed control to switch: run both fans at 100 % by hand.
        GpuSetFan(board, 1, kFanFirst, 100);
        GpuSetFan(board, 1, kFanSecond, 100);
    }
    RefreshBoardFeatures();
}
