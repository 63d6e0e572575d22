#include "text.h"

#include <cstdarg>
#include <cstdio>
#include <cwchar>

std::size_t FormatText(wchar_t* buffer, std::size_t size, const wchar_t* format, ...) {
    if (!buffer || size == 0) return 0;
    va_list args;
    va_start(args, format);
    // Writes at most size - 1 characters; a longer result is cut there.
    int written = _vsnwprintf(buffer, size - 1, format, args);
    va_end(args);
    buffer[size - 1] = L'\0';
    if (written < 0 || static_cast<std::size_t>(written) >= size) return std::wcslen(buffer);
    buffer[written] = L'\0';
    return static_cast<std::size_t>(written);
}
