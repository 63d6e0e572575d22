#include "skin_paths.h"

#include "framework/text.h"

#include <cwchar>

SkinPaths g_skinPaths = {};

namespace {

constexpr const wchar_t* kProductName = L"Zorvane";

struct BackgroundRow {
    const wchar_t* key;
    const wchar_t* defaultName;
};

constexpr BackgroundRow kBackgrounds[DialogBackgroundCount] = {
    {L"Main", L"main.png"},
    {L"Setting", L"setting.png"},
    {L"Status", L"status.png"},
    {L"OverClock", L"overclock.png"},
    {L"Info", L"info.png"},
    {L"OverClock2", L"overclock.png"},
    {L"FanCtrl", L"FanCtrl.png"},
    {L"FanCtrl2", L"FanCtrl2.png"},
    {L"LedCtrl", L"LedCtrl.png"},
};

}  // namespace

const wchar_t* DialogBackgroundKey(DialogBackground which) { return kBackgrounds[which].key; }

const wchar_t* DialogBackgroundDefault(DialogBackground which) { return kBackgrounds[which].defaultName; }

void BuildSkinPaths(const wchar_t* executablePath, SkinPaths& paths) {
    wchar_t exeDirectory[MAX_PATH] = {};
    std::wcsncpy(exeDirectory, executablePath ? executablePath : L"", MAX_PATH - 1);
    if (wchar_t* slash = std::wcsrchr(exeDirectory, L'\\')) {
        slash[1] = L'\0';
    } else {
        exeDirectory[0] = L'\0';
    }
    FormatText(paths.uiDirectory, L"%sUI\\", exeDirectory);
    FormatText(paths.skinFile, L"%s%s.cfg", paths.uiDirectory, kProductName);
    FormatText(paths.languageFile, L"%s%s.loc", paths.uiDirectory, kProductName);
}

void ReadDialogBackgrounds(SkinPaths& paths) {
    for (int i = 0; i < DialogBackgroundCount; ++i) {
        wchar_t name[MAX_PATH] = {};
        ::GetPrivateProfileStringW(L"DIALOG", kBackgrounds[i].key, kBackgrounds[i].defaultName, name,
                                   MAX_PATH, paths.skinFile);
        FormatText(paths.background[i], L"%s%s", paths.uiDirectory, name);
    }
}
