// The LED effects the main window's timer keeps running: colours by GPU temperature and
// the rainbow shared by every board, plus the memory of what each board shows so an
// unchanged colour is not sent again.
#pragma once

#include <cstdint>

// The temperature band's colour (0x00BBGGRR): up to 50 °C green, 51–80 blue, 81–90
// orange, 91 and above red; grey levels on a one-channel controller.
std::uint32_t LedTemperatureColour(int celsius, bool mono);

// The rainbow's colour at a phase of 0–1535 (six segments of 256).
std::uint32_t RainbowColour(int phase);
// The phase every board's rainbow shows now; 16 further after each pass, back to 0 past 1535.
int RainbowPhase();
void AdvanceRainbowPhase();
void ResetRainbowPhase();

// The temperature colour last sent to a board, so the timer sends only a change;
// forgetting it makes the next pass send again.
bool TemperatureColourChanged(int board, std::uint32_t colour);
void ForgetTemperatureColour(int board);

// The fixed colour (0x00C845) a board's LEDs are left in when the user logs off or
// shuts down, written the way its controller kind takes it; failures are ignored.
constexpr std::uint32_t kLedSessionEndColour = 0x00C845;
void LedSetSessionEndColour(int board, int kind);
