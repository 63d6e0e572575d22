// What the mode code needs of the main window. The main window implements it; tests
// record the calls. The settings store and the mode code never see a window.
#pragma once

class ModeHost {
public:
    virtual ~ModeHost() = default;
    // Lights the button of mode slot 1–8 or built-in mode 97, 98, 99 and clears the
    // other mode buttons; 0 clears them all.
    virtual void LightModeButton(int slot) = 0;
    // The fan and LED dialogs read their board's settings afresh, when they exist.
    virtual void ReloadFanDialog() = 0;
    virtual void ReloadLedDialog() = 0;
    // Both fans to the driver's automatic control through the fan dialog (stored as its
    // Apply stores them), fan full speed switched off first.
    virtual void SetFansAutomatic() = 0;
    // The GPU-temperature LED effect through the LED dialog, stored and sent.
    virtual void SetLedTemperatureEffect() = 0;
    // A monitoring sample and the read-outs from it, now.
    virtual void RefreshReadouts() = 0;
    // The level of `board`'s stored fan curve for `selector` (2 the first curve, 1 the
    // second) at `temperature`, in the geometry of the fan dialog's first curve.
    virtual int FanCurveLevel(int board, int selector, int temperature) = 0;
};
