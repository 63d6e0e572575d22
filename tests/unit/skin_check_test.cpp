// The staged default skin checked against the program's own element catalogue: every
// key present, every picture decodable and free of the key colour, every element
// inside its window, no two buttons on top of each other.
#include "dialogs/status_page.h"
#include "png_fixture.h"
#include "skin/skin_dialog.h"
#include "skin/image.h"
#include "skin/skin_catalog.h"
#include "skin/skin_file.h"
#include "skin/skin_paths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

GdiplusSession gdiplus;

std::wstring StageDirectory() {
    wchar_t directory[MAX_PATH] = {};
    ::GetEnvironmentVariableW(L"ZORVANE_STAGE_DIR", directory, MAX_PATH);
    return directory;
}

// The value of a key in the staged skin file, or a marker when it is absent.
std::wstring SkinValue(const wchar_t* section, const std::wstring& key) {
    wchar_t value[MAX_PATH];
    ::GetPrivateProfileStringW(section, key.c_str(), L"<absent>", value, MAX_PATH, g_skinPaths.skinFile);
    return value;
}

// The pictures an element names, by key, as the program would read them.
std::vector<std::wstring> PictureKeys(const SkinElement& element) {
    std::vector<std::wstring> keys;
    const std::wstring key = element.key;
    switch (element.kind) {
    case ElementKind::ToggleButton:
        for (const wchar_t* state : {L"TN", L"TH", L"TD"}) keys.push_back(key + state);
        [[fallthrough]];
    case ElementKind::PushButton:
        for (const wchar_t* state : {L"N", L"H", L"D"}) keys.push_back(key + state);
        break;
    case ElementKind::Frames:
    case ElementKind::FrameList:
        for (int i = 0; i < element.frames; ++i) keys.push_back(key + std::to_wstring(i));
        break;
    case ElementKind::Rectangle:
    case ElementKind::Number:
        break;
    }
    return keys;
}

// A decoded picture's size, and whether any visible pixel has the key colour.
struct PictureCheck {
    bool decodes = false;
    int width = 0, height = 0;
    int keyPixels = 0;
};

PictureCheck CheckPicture(const std::wstring& path) {
    PictureCheck check;
    check.decodes = static_cast<bool>(LoadSkinBitmap(path.c_str(), &check.width, &check.height));
    Gdiplus::Bitmap image(path.c_str());
    if (image.GetLastStatus() != Gdiplus::Ok) return check;
    Gdiplus::BitmapData data{};
    Gdiplus::Rect area(0, 0, static_cast<INT>(image.GetWidth()), static_cast<INT>(image.GetHeight()));
    if (image.LockBits(&area, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return check;
    for (UINT y = 0; y < data.Height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(static_cast<const BYTE*>(data.Scan0) + y * data.Stride);
        for (UINT x = 0; x < data.Width; ++x) {
            const std::uint32_t argb = row[x];
            if ((argb >> 24) != 0 && (argb & 0x00FFFFFF) == 0x0000000C) ++check.keyPixels;
        }
    }
    image.UnlockBits(&data);
    return check;
}

class DefaultSkin : public testing::Test {
protected:
    void SetUp() override {
        const std::wstring stage = StageDirectory();
        ASSERT_FALSE(stage.empty()) << "run through CTest";
        BuildSkinPaths((stage + L"\\Zorvane.exe").c_str(), g_skinPaths);
        ReadDialogBackgrounds(g_skinPaths);
        ASSERT_NE(::GetFileAttributesW(g_skinPaths.skinFile), INVALID_FILE_ATTRIBUTES) << "no staged skin file";
    }
};

TEST_F(DefaultSkin, EveryWindowFindsEveryElementAndPicture) {
    std::size_t count = 0;
    const WindowSkin* windows = WindowSkins(&count);
    for (std::size_t w = 0; w < count; ++w) {
        const WindowSkin& window = windows[w];
        SCOPED_TRACE(testing::Message() << "window " << window.name);
        const PictureCheck background = CheckPicture(g_skinPaths.background[window.background]);
        ASSERT_TRUE(background.decodes) << "background";
        EXPECT_EQ(background.keyPixels, 0) << "background";

        struct Placed {
            const wchar_t* key;
            RECT rect;
        };
        std::vector<Placed> buttons;
        for (std::size_t e = 0; e < window.elementCount; ++e) {
            const SkinElement& element = window.elements[e];
            SCOPED_TRACE(testing::Message() << element.section << " / " << element.key);
            if (element.kind != ElementKind::FrameList) {
                EXPECT_NE(SkinValue(element.section, element.key), L"<absent>") << "rectangle";
            }
            RECT rect{};
            ReadSkinElement(element.section, element.key, &rect, nullptr, 0);
            int width = rect.right - rect.left, height = rect.bottom - rect.top;
            for (const std::wstring& key : PictureKeys(element)) {
                const std::wstring value = SkinValue(element.section, key);
                ASSERT_NE(value, L"<absent>") << key.c_str();
                const PictureCheck picture = CheckPicture(g_skinPaths.uiDirectory + value);
                EXPECT_TRUE(picture.decodes) << key.c_str();
                EXPECT_EQ(picture.keyPixels, 0) << key.c_str();
                if (key == std::wstring(element.key) + L"N" || key == std::wstring(element.key) + L"0") {
                    width = picture.width;  // buttons and frame displays take their picture's size
                    height = picture.height;
                }
            }
            if (element.kind == ElementKind::Number) {
                EXPECT_GT(rect.left, 0) << "a step";
                continue;
            }
            if (element.kind == ElementKind::FrameList) continue;
            EXPECT_GE(rect.left, 0);
            EXPECT_GE(rect.top, 0);
            EXPECT_GT(width, 0);
            EXPECT_GT(height, 0);
            EXPECT_LE(rect.left + width, background.width);
            EXPECT_LE(rect.top + height, background.height);
            if (element.kind == ElementKind::PushButton || element.kind == ElementKind::ToggleButton) {
                buttons.push_back({element.key, RECT{rect.left, rect.top, rect.left + width, rect.top + height}});
            }
        }
        for (std::size_t a = 0; a < buttons.size(); ++a) {
            for (std::size_t b = a + 1; b < buttons.size(); ++b) {
                RECT overlap;
                EXPECT_FALSE(::IntersectRect(&overlap, &buttons[a].rect, &buttons[b].rect))
                    << buttons[a].key << " and " << buttons[b].key;
            }
        }
        for (std::size_t t = 0; t < window.textCount; ++t) {
            wchar_t text[MAX_PATH];
            ::GetPrivateProfileStringW(window.texts[t].section, window.texts[t].key, L"<absent>", text, MAX_PATH,
                                       g_skinPaths.languageFile);
            EXPECT_STRNE(text, L"<absent>") << window.texts[t].section << " / " << window.texts[t].key;
        }
    }
}

TEST_F(DefaultSkin, ThePlainWindowsFindTheirTexts) {
    std::size_t count = 0;
    const LanguageText* texts = PlainWindowTexts(&count);
    ASSERT_GT(count, 0u);
    for (std::size_t t = 0; t < count; ++t) {
        wchar_t text[MAX_PATH];
        ::GetPrivateProfileStringW(texts[t].section, texts[t].key, L"<absent>", text, MAX_PATH, g_skinPaths.languageFile);
        EXPECT_STREQ(text, texts[t].defaultText) << texts[t].section << " / " << texts[t].key;
    }
}

// The front panel's pictures as the program holds them: background, every button
// state, ten digits and every gauge frame, decoded.
TEST_F(DefaultSkin, SizeLimits) {
    std::uint64_t directoryBytes = 0;
    std::vector<std::wstring> pending{g_skinPaths.uiDirectory};
    while (!pending.empty()) {
        const std::wstring directory = pending.back();
        pending.pop_back();
        WIN32_FIND_DATAW found;
        HANDLE search = ::FindFirstFileW((directory + L"*").c_str(), &found);
        if (search == INVALID_HANDLE_VALUE) continue;
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                pending.push_back(directory + name + L"\\");
            } else {
                directoryBytes += (static_cast<std::uint64_t>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    EXPECT_LE(directoryBytes, 5u * 1024 * 1024) << "the UI directory";

    std::size_t count = 0;
    const WindowSkin& main = WindowSkins(&count)[0];
    int w = 0, h = 0;
    LoadSkinBitmap(g_skinPaths.background[main.background], &w, &h);
    std::uint64_t decoded = static_cast<std::uint64_t>(w) * h * 4;
    for (std::size_t e = 0; e < main.elementCount; ++e) {
        for (const std::wstring& key : PictureKeys(main.elements[e])) {
            LoadSkinBitmap((g_skinPaths.uiDirectory + SkinValue(main.elements[e].section, key)).c_str(), &w, &h);
            decoded += static_cast<std::uint64_t>(w) * h * 4;
        }
    }
    EXPECT_LE(decoded, 20u * 1024 * 1024) << "the front panel's decoded pictures";
    std::printf("UI directory: %.2f MB; front panel decoded: %.2f MB\n", directoryBytes / 1048576.0,
                decoded / 1048576.0);
}

// The status page's value lines, at their longest (four-digit clocks with their base and
// boost figures, both temperature units), each in one line of its rectangle.
TEST_F(DefaultSkin, EveryStatusLineFitsItsRectangle) {
    const std::wstring fonts = std::wstring(g_skinPaths.uiDirectory) + L"Collected Fonts\\Orbitron\\";
    for (const wchar_t* file : {L"Orbitron-Regular.ttf", L"Orbitron-Medium.ttf", L"Orbitron-Bold.ttf"}) {
        ASSERT_GT(::AddFontResourceExW((fonts + file).c_str(), FR_PRIVATE, nullptr), 0) << file;
    }
    const gdi::Font font = CreateSkinFont(14);
    HDC screen = ::GetDC(nullptr);
    const gdi::ScopedSelect selected(screen, font.get());
    wchar_t face[LF_FACESIZE] = {};
    ::GetTextFaceW(screen, LF_FACESIZE, face);
    EXPECT_STREQ(face, L"Orbitron") << "measured in another font";

    StatusSample longest;
    longest.coreClock = longest.baseCore = longest.boostCore = 8888;
    longest.memoryClock = longest.baseMemory = longest.boostMemory = 8888;
    longest.temperature = 127;
    longest.fanDuty = 100;
    longest.fanRpm = 8888;
    longest.voltage = longest.baseVoltage = 1888;
    longest.power = 500;
    longest.coreLoad = longest.memoryLoad = 100;
    const StatusTexts texts = ReadStatusTexts();
    const wchar_t* const keys[kStatusCharts] = {L"TextDataCCLK",  L"TextDataMCLK",  L"TextDataTemp",
                                                L"TextDataFanSpeed", L"TextDataCVolt", L"TextDataPower",
                                                L"TextDataCoreUsage", L"TextDataMemoryUsage"};
    for (bool fahrenheit : {false, true}) {
        const auto lines = StatusLines(longest, texts, fahrenheit);
        for (int i = 0; i < kStatusCharts; ++i) {
            RECT rect{};
            ReadSkinElement(L"Histogram", keys[i], &rect, nullptr, 0);
            SIZE size{};
            ::GetTextExtentPoint32W(screen, lines[i].c_str(), static_cast<int>(lines[i].size()), &size);
            EXPECT_LE(size.cx, rect.right - rect.left) << std::string(lines[i].begin(), lines[i].end());
            EXPECT_LE(size.cy, rect.bottom - rect.top) << keys[i];
        }
    }
    ::ReleaseDC(nullptr, screen);
    for (const wchar_t* file : {L"Orbitron-Regular.ttf", L"Orbitron-Medium.ttf", L"Orbitron-Bold.ttf"}) {
        ::RemoveFontResourceExW((fonts + file).c_str(), FR_PRIVATE, nullptr);
    }
}

}  // namespace
