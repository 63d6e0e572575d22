// A board's setting groups as small structures, loaded and saved through the settings
// store (same value names, same encoding): fans, LED effect, overclock switches.
#pragma once

struct FanSettings {
    struct Point {
        int x = 0, y = 0;     // temperature position and fan level, 0–100
        bool stored = false;  // false: the value is missing, the caller's default curve applies
    };
    // [0] the first fan group ("FanCtrlMode", "FanCrvPt%d"), [1] the second ("Fan2…").
    int mode[2] = {};  // 0 automatic, 1 fixed speed, 2 the user's curve
    Point curve[2][4];

    static FanSettings Load(int board);
    // Writes both modes and every stored point.
    void Save(int board) const;
};

struct LedSettings {
    int mode = 0;
    unsigned long colour = 0, nvColour = 0, breathColour = 0, breathColourB = 0, breathSpeed = 0;
    unsigned long cycleSpeed = 0, cycleDirection = 0, strobeColour = 0, strobeSpeed = 0, strobeDirection = 0;

    // Missing values read as their defaults (51269 for the colours, 255 breath speed, ...).
    static LedSettings Load(int board);
    void Save(int board) const;
};

struct OverclockSwitches {
    bool linked = true;         // temperature target follows the power target; missing: linked
    bool overvoltaged = false;  // maximum over-voltage switched on (a stored 1 or more)

    static OverclockSwitches Load(int board);
    void Save(int board) const;
};
