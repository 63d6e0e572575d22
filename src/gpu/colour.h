// Colours are 0x00BBGGRR: red in the low byte.
#pragma once

#include <cstdint>

constexpr std::uint8_t ColourRed(std::uint32_t colour) { return static_cast<std::uint8_t>(colour & 0xFF); }
constexpr std::uint8_t ColourGreen(std::uint32_t colour) { return static_cast<std::uint8_t>((colour >> 8) & 0xFF); }
constexpr std::uint8_t ColourBlue(std::uint32_t colour) { return static_cast<std::uint8_t>((colour >> 16) & 0xFF); }
