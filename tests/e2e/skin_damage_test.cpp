// The real Zorvane.exe with a damaged copy of the default skin: each dialog picture
// removed or replaced by garbage, one at a time; every button, gauge and digit picture
// removed, garbage or cut in half; the skin and language files truncated or empty; the
// fonts gone. Each time the program starts, every dialog opens and closes, nothing ends,
// hangs or shows a message box.
#include "panel_driver.h"

#include "../unit/product_key.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// Bytes no decoder accepts, behind a PNG signature so that nothing stops at the name.
void WriteGarbage(const fs::path& file) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << "\x89PNG\r\n\x1a\n";
    unsigned seed = 12345;
    for (int i = 0; i < 4096; ++i) {
        seed = seed * 1103515245u + 12345u;
        out.put(static_cast<char>(seed >> 16));
    }
}

void Truncate(const fs::path& file, bool toNothing) {
    const auto size = fs::file_size(file);
    fs::resize_file(file, toNothing ? 0 : size / 2);
}

void ForEachPicture(const fs::path& folder, const std::function<void(const fs::path&)>& action) {
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file() && entry.path().extension() == ".png") action(entry.path());
    }
}

struct Damage {
    std::string name;
    std::function<void(const fs::path& ui)> apply;
};

std::vector<Damage> Damages() {
    std::vector<Damage> damages;
    for (const char* picture : {"main.png", "setting.png", "status.png", "overclock.png", "overclock2.png", "info.png",
                                "FanCtrl.png", "FanCtrl2.png", "LedCtrl.png"}) {
        damages.push_back({std::string(picture) + " removed", [picture](const fs::path& ui) { fs::remove(ui / picture); }});
        damages.push_back({std::string(picture) + " garbage", [picture](const fs::path& ui) { WriteGarbage(ui / picture); }});
    }
    for (const char* folder : {"buttons", "meters", "digi_num"}) {
        damages.push_back({std::string(folder) + "/ removed", [folder](const fs::path& ui) { fs::remove_all(ui / folder); }});
        damages.push_back({std::string(folder) + "/ garbage", [folder](const fs::path& ui) {
                               ForEachPicture(ui / folder, [](const fs::path& file) { WriteGarbage(file); });
                           }});
    }
    damages.push_back({"every picture cut in half", [](const fs::path& ui) {
                           ForEachPicture(ui, [](const fs::path& file) { Truncate(file, false); });
                       }});
    damages.push_back({"Zorvane.cfg cut in half", [](const fs::path& ui) { Truncate(ui / "Zorvane.cfg", false); }});
    damages.push_back({"Zorvane.cfg empty", [](const fs::path& ui) { Truncate(ui / "Zorvane.cfg", true); }});
    damages.push_back({"Zorvane.loc cut in half", [](const fs::path& ui) { Truncate(ui / "Zorvane.loc", false); }});
    damages.push_back({"Zorvane.loc empty", [](const fs::path& ui) { Truncate(ui / "Zorvane.loc", true); }});
    damages.push_back({"fonts removed", [](const fs::path& ui) { fs::remove_all(ui / "Collected Fonts"); }});
    return damages;
}

struct DialogButton {
    int button;
    const wchar_t* title;
};

constexpr DialogButton kDialogs[] = {
    {IDC_BUTTON_OC, L"Overclock - Zorvane"},       {IDC_BUTTON_FANDUTYDEC, L"Fan Control - Zorvane"},
    {IDC_BUTTON_LEDCTRL, L"LED Control - Zorvane"}, {IDC_BUTTON_STATUS, L"Status - Zorvane"},
    {IDC_BUTTON_INFO, L"Information - Zorvane"},    {IDC_BUTTON_SETTING, L"Setting - Zorvane"},
};

TEST(SkinDamage, EveryDialogOpensAndClosesWithEachPartOfTheSkinDamaged) {
    ASSERT_EQ(::FindWindowW(L"#32770", L"Zorvane"), nullptr) << "a Zorvane window is left from elsewhere";
    ClearProductKey();
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", L"demo");
    const fs::path stage = StageDirectory();
    const fs::path copy = fs::temp_directory_path() / "zorvane-skin-damage";
    fs::remove_all(copy);
    fs::create_directories(copy);
    fs::copy_file(stage / "Zorvane.exe", copy / "Zorvane.exe");
    PanelDriver panel((copy / "Zorvane.exe").wstring());

    std::printf("%-26s %-9s %s\n", "damage", "open ms", "result");
    for (const Damage& damage : Damages()) {
        fs::remove_all(copy / "UI");
        fs::copy(stage / "UI", copy / "UI", fs::copy_options::recursive);
        damage.apply(copy / "UI");
        Observation seen;
        if (panel.Start(seen)) {
            for (const DialogButton& dialog : kDialogs) panel.OpenAndPress(seen, dialog.button, dialog.title, IDCANCEL, 100);
            panel.Quit(seen);
        }
        std::printf("%-26s %-9lu %s\n", damage.name.c_str(), static_cast<unsigned long>(seen.slowestOpen),
                    seen.Summary().c_str());
        for (const std::string& fault : seen.faults) ADD_FAILURE() << damage.name << ": " << fault;
        std::fflush(stdout);
    }
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", nullptr);
    std::error_code ignored;
    fs::remove_all(copy, ignored);
    ClearProductKey();
}

}  // namespace
