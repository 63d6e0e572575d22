// The `demo` board's settings as the long-running tests leave them: its fans follow a
// curve and its LEDs show the rainbow, so curve passes and LED passes run throughout.
#pragma once

#include "../unit/product_key.h"

#include <utility>

// The board's settings key under the product key (its PCI identity, first group).
constexpr const wchar_t* kDemoBoardKey = L"10DE1E8712340001\\0";

inline bool StoreDemoFanCurve() {
    const std::pair<const wchar_t*, const wchar_t*> values[] = {
        {L"FanCtrlMode", L"2"},        {L"FanCrvPt1", L"0100000000"}, {L"FanCrvPt2", L"0360003300"},
        {L"FanCrvPt3", L"0630006600"}, {L"FanCrvPt4", L"0900010000"},
    };
    for (const auto& [name, text] : values) {
        if (!SetProductValueAt(kDemoBoardKey, name, text)) return false;
    }
    return true;
}

inline bool StoreDemoRainbow() { return SetProductValueAt(kDemoBoardKey, L"LedCtrlMode", L"2"); }
