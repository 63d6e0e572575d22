// The information page as data: the rows the dialog paints, read afresh from the
// driver for the selected board. A row the board cannot fill is left out.
#pragma once

#include "dialogs/panel_settings.h"

#include <cstdint>
#include <string>
#include <vector>

struct InfoRow {
    std::wstring item;
    std::wstring value;  // starts with ": "
};

// The "Information" texts of the language file, in row order, with their defaults.
constexpr int kInfoTexts = 17;
struct InfoTexts {
    std::wstring text[kInfoTexts];
};
InfoTexts ReadInfoTexts();

std::vector<InfoRow> InformationRows(const InfoTexts& texts, const PanelSettings& settings);

// "Microsoft " and the newest release the running system is at least, with a blank.
int OsVersionText(wchar_t (&text)[260]);

// ---- value formats
std::wstring DriverVersionText(std::uint32_t version);                    // ": 456.82"
std::wstring VbiosVersionText(std::uint32_t revision, std::uint32_t oem);  // ": 90.04.00.33.2A"
std::wstring PciIdText(std::uint32_t identifiers);                        // ": 10DE - 1E84\n"
std::wstring MemoryClockText(int mhz);                                    // ": 7000 MHz (14000 MHz data rate)\n"
std::wstring BusTypeText(int type, int lanes);
