#include "settings_store.h"

#include "framework/text.h"
#include "gpu/board_list.h"
#include "gpu/sensors.h"
#include "profiles/registry_key.h"

#include <cwchar>

namespace {

constexpr int kColourC845 = 51269;  // 0x00C845: red 0x45, green 0xC8, blue 0

struct SettingDefinition {
    const wchar_t* name;
    int defaultValue;
};

// Values whose default is not 0. ("Interval" below 1 means 3: see MonitoringIntervalSeconds.)
constexpr SettingDefinition kDefaults[] = {
    {setting::LedCtrlColor, kColourC845},
    {setting::LedCtrlNvColor, 2},
    {setting::LedCtrlBreathColor, kColourC845},
    {setting::LedCtrlBreathSpeed, 255},
    {setting::LedCtrlCycleSpeed, 4},
    {setting::LedCtrlStrobeColor, kColourC845},
    {setting::LedCtrlStrobeSpeed, 4},
};

RegistryKey ProductKey() {
    HKEY key = RegistryKey::Create(HKEY_CURRENT_USER, L"Software").Release();
    if (!key || OpenProductKey(&key) != 0) return {};
    return RegistryKey(key);
}

RegistryKey BoardKey(int board) {
    HKEY key = nullptr;
    return OpenBoardKey(board, &key) == 0 ? RegistryKey(key) : RegistryKey();
}

int WriteText(const RegistryKey& key, const wchar_t* name, const wchar_t* text) {
    if (!key) return 1;
    const DWORD bytes = static_cast<DWORD>((std::wcslen(text) + 1) * sizeof(wchar_t));
    return ::RegSetValueExW(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), bytes) == ERROR_SUCCESS
               ? 0
               : 1;
}

// Queries a value the way every reader does: a zeroed buffer of 35 characters offering
// 34 bytes, so at most 16 characters and the terminator fit. Only text counts.
bool QueryText(const RegistryKey& key, const wchar_t* name, wchar_t (&text)[35]) {
    if (!key) return false;
    DWORD type = 0;
    DWORD bytes = 34;
    const LONG status = ::RegQueryValueExW(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(text), &bytes);
    return status == ERROR_SUCCESS && type == REG_SZ;
}

int ReadInt(const RegistryKey& key, const wchar_t* name, int defaultValue) {
    wchar_t text[35] = {};
    return QueryText(key, name, text) ? ParseSettingText(text) : defaultValue;
}

const wchar_t* CurveValueName(int selector, int index, wchar_t (&name)[32]) {
    FormatText(name, selector == 1 ? setting::Fan2CrvPt : setting::FanCrvPt, index);
    return name;
}

}  // namespace

int SettingDefault(const wchar_t* name) {
    for (const SettingDefinition& d : kDefaults) {
        if (std::wcscmp(d.name, name) == 0) return d.defaultValue;
    }
    return 0;
}

int OpenProductKey(HKEY* key) {
    if (!key || !*key) return 1;
    const RegistryKey software(*key);
    *key = nullptr;
    const RegistryKey maker = RegistryKey::Create(software.get(), L"Drelmont");
    if (!maker) return 1;
    *key = RegistryKey::Create(maker.get(), L"Zorvane").Release();
    return *key ? 0 : 1;
}

int OpenBoardKey(int board, HKEY* key) {
    if (!key) return 1;
    *key = nullptr;
    std::uint32_t device = 0, subsystem = 0;
    if (!GpuGetPciIds(board, device, subsystem)) return 1;
    const RegistryKey product = ProductKey();
    if (!product) return 1;
    wchar_t identity[20], index[12];
    FormatText(identity, L"%04X%04X%04X%04X", device & 0xFFFF, device >> 16, subsystem & 0xFFFF, subsystem >> 16);
    FormatText(index, L"%d", board);
    const RegistryKey identityKey = RegistryKey::Create(product.get(), identity);
    if (!identityKey) return 1;
    *key = RegistryKey::Create(identityKey.get(), index).Release();
    return *key ? 0 : 1;
}

int WriteBoardString(int board, const wchar_t* name, const wchar_t* text) { return WriteText(BoardKey(board), name, text); }

int WriteBoardUnsigned(int board, const wchar_t* name, unsigned long value) {
    wchar_t text[16];
    FormatText(text, L"%lu", value);
    return WriteBoardString(board, name, text);
}

int WriteSelectedBoardInt(const wchar_t* name, int value) {
    wchar_t text[16];
    FormatText(text, L"%d", value);
    return WriteBoardString(SelectedBoard, name, text);
}

int WriteProductString(const wchar_t* name, const wchar_t* text) { return WriteText(ProductKey(), name, text); }

int WriteProductInt(const wchar_t* name, int value) {
    wchar_t text[16];
    FormatText(text, L"%d", value);
    return WriteProductString(name, text);
}

int ReadProductInt(const wchar_t* name) { return ReadInt(ProductKey(), name, SettingDefault(name)); }

int ReadBoardInt(int board, const wchar_t* name) { return ReadBoardInt(board, name, SettingDefault(name)); }

int ReadBoardInt(int board, const wchar_t* name, int defaultValue) { return ReadInt(BoardKey(board), name, defaultValue); }

bool ReadBoardText(int board, const wchar_t* name, wchar_t (&text)[35]) {
    std::wmemset(text, 0, 35);
    return QueryText(BoardKey(board), name, text);
}

int ParseSettingText(const wchar_t* text) {
    while (*text == L' ' || *text == L'\t') ++text;
    const bool negative = *text == L'-';
    if (*text == L'-' || *text == L'+') ++text;
    long long value = 0;
    for (; *text >= L'0' && *text <= L'9'; ++text) {
        value = value * 10 + (*text - L'0');
        if (value > 2147483648LL) value = 2147483648LL;  // at most 16 digits fit; keep it bounded
    }
    if (negative) value = -value;
    if (value > 2147483647LL) value = 2147483647LL;
    return static_cast<int>(value);
}

int MonitoringIntervalSeconds() {
    const int interval = ReadProductInt(setting::Interval);
    if (interval < 1) return 3;
    return interval > 99 ? 99 : interval;
}

int WriteFanCurvePoint(int board, int selector, int index, int x, int y) {
    wchar_t name[32], text[16];
    FormatText(text, L"%010d", x * 10000000 + y * 100);
    return WriteBoardString(board, CurveValueName(selector, index, name), text);
}

bool ReadFanCurvePoint(int board, int selector, int index, int& x, int& y) {
    wchar_t name[32];
    const int value = ReadBoardInt(board, CurveValueName(selector, index, name), 0);
    if (value == 0) return false;
    x = value / 10000000;
    y = (value % 100000) / 100;
    return true;
}
