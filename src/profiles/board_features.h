// What the selected board offers beyond the driver's ordinary settings: the board
// controller's switches, the driver's memory over-voltage and fan full-speed
// controls, the board-model classes and the variants with built-in modes.
#pragma once

#include <cstdint>

namespace feature {
constexpr std::uint32_t CoreOverVoltageOn = 0x00000001;
constexpr std::uint32_t MemoryOverVoltageOn = 0x00000002;
constexpr std::uint32_t FanFullSpeedOn = 0x00000004;
constexpr std::uint32_t OverCurrentOn = 0x00000010;
constexpr std::uint32_t I2cVoltageController = 0x00010000;
constexpr std::uint32_t MemoryOverVoltageControl = 0x00020000;
constexpr std::uint32_t FanFullSpeedControl = 0x00040000;
constexpr std::uint32_t OverCurrentControl = 0x00100000;
constexpr std::uint32_t BuiltInModes = 0x00200000;
constexpr std::uint32_t BuiltInOc2Mode = 0x00400000;
constexpr std::uint32_t NoMaxVoltageBoard = 0x10000000;
constexpr std::uint32_t MaxOverVoltageBoard = 0x20000000;
// Any board-controller or driver switch: modes store and restore the word only then.
constexpr std::uint32_t AnySwitch = I2cVoltageController | OverCurrentControl | MemoryOverVoltageControl |
                                    FanFullSpeedControl;
}  // namespace feature

// A board variant with built-in modes (PCI device and base graphics clock in MHz), the
// feature bit it gets and its modes' graphics offset (MHz) and power target (%).
struct BuiltInVariant {
    struct Mode {
        int offset;
        int power;
    };
    std::uint32_t device;
    int baseClock;
    std::uint32_t feature;
    Mode oc, gaming, silence;
};
const BuiltInVariant* FindBuiltInVariant(std::uint32_t device, int baseClock);

// The feature word of SelectedBoard.
extern std::uint32_t BoardFeatures;

// Rebuilds BoardFeatures from the selected board's hardware and the program-wide overrides.
void RefreshBoardFeatures();

// The board controller's core over-voltage and over-current registers, written only when
// the chip at its address still identifies as it (another chip may answer there).
void WriteBoardControllerRegisters(int board, bool coreOverVoltage, bool overCurrent);

// Drives the board controller registers and the driver controls from a stored word,
// every write whatever the previous one did, then rebuilds BoardFeatures.
void ApplyFeatureSwitches(std::uint32_t features);
