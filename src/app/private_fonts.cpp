#include "private_fonts.h"

#include "framework/text.h"

#include <windows.h>

namespace {

constexpr const wchar_t* kFontFiles[] = {
    L"Collected Fonts\\Orbitron\\Orbitron-Regular.ttf",
    L"Collected Fonts\\Orbitron\\Orbitron-Medium.ttf",
    L"Collected Fonts\\Orbitron\\Orbitron-Bold.ttf",
    L"Collected Fonts\\Orbitron\\Orbitron-Black.ttf",
    L"Collected Fonts\\Politica\\Politica-ExtraBold.otf",
};

}  // namespace

void RegisterPrivateFonts(const wchar_t* uiDirectory) {
    for (const wchar_t* file : kFontFiles) {
        wchar_t path[MAX_PATH];
        FormatText(path, L"%s%s", uiDirectory, file);
        ::AddFontResourceExW(path, FR_PRIVATE, nullptr);
    }
}

void RemovePrivateFonts(const wchar_t* uiDirectory) {
    for (const wchar_t* file : kFontFiles) {
        wchar_t path[MAX_PATH];
        FormatText(path, L"%s%s", uiDirectory, file);
        ::RemoveFontResourceExW(path, FR_PRIVATE, nullptr);
    }
}
