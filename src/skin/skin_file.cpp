#include "skin_file.h"

#include "framework/text.h"
#include "skin/skin_paths.h"

#include <climits>
#include <cwchar>

namespace {

// The value of a key, or an empty text when absent.
void ReadValue(const wchar_t* section, const wchar_t* key, wchar_t (&value)[MAX_PATH]) {
    value[0] = L'\0';
    ::GetPrivateProfileStringW(section, key, L"", value, MAX_PATH, g_skinPaths.skinFile);
}

void SetSlot(SkinPath& slot, const wchar_t* value) { FormatText(slot, L"%s%s", g_skinPaths.uiDirectory, value); }

bool IsSeparator(wchar_t c) { return c == L' ' || c == L',' || c == L'\t' || c == L'\n'; }

// A signed decimal from the token's leading digits; 0 without digits; clamped to int.
int TokenNumber(const wchar_t*& p) {
    bool negative = false;
    if (*p == L'-' || *p == L'+') negative = *p++ == L'-';
    long long value = 0;
    for (; *p >= L'0' && *p <= L'9'; ++p) {
        if (value <= INT_MAX) value = value * 10 + (*p - L'0');
    }
    while (*p && !IsSeparator(*p)) ++p;  // the rest of the token does not count
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

}  // namespace

RECT ParseSkinRectangle(const wchar_t* text) {
    int numbers[4] = {};
    int count = 0;
    const wchar_t* p = text ? text : L"";
    while (count < 4) {
        while (IsSeparator(*p)) ++p;
        if (!*p) break;
        numbers[count++] = TokenNumber(p);
    }
    RECT rect{numbers[0], numbers[1], 0, 0};
    rect.right = count > 2 ? numbers[2] : (rect.left < INT_MAX ? rect.left + 1 : rect.left);
    rect.bottom = count > 3 ? numbers[3] : (rect.top < INT_MAX ? rect.top + 1 : rect.top);
    return rect;
}

void ReadSkinElement(const wchar_t* section, const wchar_t* key, RECT* rect, SkinPath* images, int capacity) {
    wchar_t value[MAX_PATH];
    wchar_t name[MAX_PATH];
    if (rect) {
        ReadValue(section, key, value);
        *rect = ParseSkinRectangle(value);
    }
    if (!images || capacity <= 0) return;

    FormatText(name, L"%sN", key);
    ReadValue(section, name, value);
    if (value[0] && capacity >= kStateImageSlots) {
        SetSlot(images[0], value);
        SetSlot(images[3], value);
        const wchar_t* const states[2] = {L"H", L"D"};
        for (int i = 0; i < 2; ++i) {
            FormatText(name, L"%s%s", key, states[i]);
            ReadValue(section, name, value);
            SetSlot(images[1 + i], value);  // absent: the bare UI directory, which names no image
        }
        FormatText(name, L"%sTN", key);
        ReadValue(section, name, value);
        if (!value[0]) return;
        SetSlot(images[4], value);
        SetSlot(images[7], value);
        const wchar_t* const toggled[2] = {L"TH", L"TD"};
        for (int i = 0; i < 2; ++i) {
            FormatText(name, L"%s%s", key, toggled[i]);
            ReadValue(section, name, value);
            SetSlot(images[5 + i], value);
        }
        return;
    }
    if (value[0]) return;  // a state form that the caller's list cannot hold
    for (int i = 0; i < kMaxFrames && i < capacity; ++i) {
        FormatText(name, L"%s%d", key, i);
        ReadValue(section, name, value);
        if (!value[0]) break;
        SetSlot(images[i], value);
    }
}

RECT ScaleCheckRectangle(const RECT& rect, int pixelsPerInch, double rise) {
    const double s = pixelsPerInch > 96 ? pixelsPerInch / 96.0 : 1.0;
    const double w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int x = rect.left - static_cast<int>((s - 1) * w);
    const int y = rect.top - static_cast<int>((s - 1) * h * rise);
    return RECT{x, y, x + static_cast<int>(w * s), y + static_cast<int>(h * s)};
}

void ReadLanguageText(const wchar_t* section, const wchar_t* key, const wchar_t* defaultText,
                      wchar_t (&text)[MAX_PATH]) {
    ::GetPrivateProfileStringW(section, key, defaultText, text, MAX_PATH, g_skinPaths.languageFile);
}
