// Bounded text formatting into fixed buffers: always terminated, cut when too long.
#pragma once

#include <cstddef>

// printf-style formatting into buffer[size]; returns the characters written.
std::size_t FormatText(wchar_t* buffer, std::size_t size, const wchar_t* format, ...);

template <std::size_t N, class... Args>
std::size_t FormatText(wchar_t (&buffer)[N], const wchar_t* format, Args... args) {
    return FormatText(&buffer[0], N, format, args...);
}
