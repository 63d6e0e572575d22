// Kelvor packed with the flashing utility's stand-in, driven as a user would:
// answer the warning, read the report, save through the save dialog.
#include "process.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

std::wstring KelvorPath() { return StageDirectory() + L"\\UI\\Kelvor.exe"; }

// A private temporary directory for Kelvor and its children, and the record
// file the stand-in appends to.
struct Sandbox {
    std::wstring temp;
    std::wstring record;

    std::wstring root;

    explicit Sandbox(const wchar_t* scenario) {
        // The process's own temporary directory, before any sandbox replaced it.
        static const std::wstring base = [] {
            wchar_t path[MAX_PATH];
            GetTempPathW(MAX_PATH, path);
            return std::wstring(path);
        }();
        root = base + L"kelvor_e2e_" + std::to_wstring(GetCurrentProcessId());
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
        CreateDirectoryW(root.c_str(), nullptr);
        temp = root + L"\\temp\\";
        CreateDirectoryW(temp.c_str(), nullptr);
        record = root + L"\\record.txt";
        DeleteFileW(record.c_str());
        SetEnvironmentVariableW(L"TMP", temp.c_str());
        SetEnvironmentVariableW(L"TEMP", temp.c_str());
        SetEnvironmentVariableW(L"KELVOR_STANDIN", scenario);
        SetEnvironmentVariableW(L"KELVOR_STANDIN_RECORD", record.c_str());
    }

    ~Sandbox() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }

    std::wstring Leftovers() const {
        std::wstring names;
        WIN32_FIND_DATAW found;
        HANDLE find = FindFirstFileW((temp + L"*").c_str(), &found);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") names += name + L" ";
        } while (FindNextFileW(find, &found));
        FindClose(find);
        return names;
    }

    std::string Record() const {
        std::ifstream in(std::filesystem::path(record), std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
};

std::wstring WindowText(HWND window) {
    // GetWindowText does not ask controls of other processes.
    wchar_t text[1024] = L"";
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 2000, nullptr);
    return text;
}

// The message of a message box: its longest static text.
std::wstring MessageText(HWND box) {
    std::wstring longest;
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t className[32];
        GetClassNameW(child, className, 32);
        const std::wstring text = WindowText(child);
        if (lstrcmpiW(className, L"Static") == 0 && text.size() > longest.size()) longest = text;
    }
    return longest;
}

// Waits for a visible dialog of `process` titled `title` whose message holds `part`.
HWND WaitForBox(const ChildProcess& process, const wchar_t* title, const std::wstring& part, DWORD ms = 30000) {
    for (DWORD waited = 0; waited < ms; waited += 50) {
        HWND box = process.FindWindow(L"#32770", title);
        if (box != nullptr && IsWindowVisible(box) && MessageText(box).find(part) != std::wstring::npos) return box;
        Sleep(50);
    }
    return nullptr;
}

void Press(HWND dialog, int id) {
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

// The save dialog's file name box.
HWND FileNameBox(HWND dialog) {
    HWND combo = GetDlgItem(dialog, 0x47C);
    return combo != nullptr ? combo : GetDlgItem(dialog, 0x480);
}

const wchar_t kWarning[] = L"VGA BIOS loading procedure.";
const wchar_t kQuestion[] = L"** Save VGA BIOS to file ? **";

struct Outcome {
    std::wstring report;
    std::wstring proposed;
};

// Starts Kelvor, answers the warning, and answers the report with `save`
// (typing `target` into the save dialog). Ends when Kelvor has ended.
Outcome BackUp(bool save, const std::wstring& target) {
    Outcome run;
    ChildProcess kelvor = ChildProcess::Start(KelvorPath(), L"");
    EXPECT_TRUE(kelvor.started());
    HWND warning = WaitForBox(kelvor, L"Kelvor", kWarning);
    EXPECT_NE(warning, nullptr);
    if (warning == nullptr) return run;
    Press(warning, IDOK);
    HWND report = WaitForBox(kelvor, L"Kelvor", kQuestion);
    EXPECT_NE(report, nullptr);
    if (report == nullptr) return run;
    run.report = MessageText(report);
    Press(report, save ? IDYES : IDNO);
    if (save) {
        HWND dialog = kelvor.WaitForWindow(L"#32770", L"Save as", 30000);
        EXPECT_NE(dialog, nullptr);
        if (dialog != nullptr) {
            Sleep(300);
            run.proposed = WindowText(FileNameBox(dialog));
            SetWindowTextW(FileNameBox(dialog), target.c_str());
            Press(dialog, IDOK);
            if (HWND done = WaitForBox(kelvor, L"Kelvor", L"done!", 5000)) {
                run.report += L"|" + MessageText(done);
                Press(done, IDOK);
            }
        }
    }
    DWORD exitCode = 1;
    EXPECT_TRUE(kelvor.WaitForExit(30000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
    return run;
}

std::string ReadFileBytes(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

TEST(Kelvor, SavesTheBiosAndReportsPartNumberAndEepromSize) {
    Sandbox sandbox(L"part=2080-A1;eeprom=EF,4014");
    const std::wstring target = sandbox.temp.substr(0, sandbox.temp.size() - 5) + L"saved bios.rom";
    DeleteFileW(target.c_str());
    const Outcome run = BackUp(true, target);

    EXPECT_EQ(run.report, L"BIOS No. : 2080-A1 \n\nEEPROM Size : 8Mb\n\n" + std::wstring(kQuestion) +
                              L"|Saved VGA BIOS to \n \n" + target + L"\n \ndone!\n");
    EXPECT_EQ(run.proposed, L"2080-A1.rom");
    const std::string saved = ReadFileBytes(target);
    EXPECT_EQ(saved.size(), 65536u);
    EXPECT_NE(saved.find(std::string("BIOS-P/N@2080-A1\0", 17)), std::string::npos);
    EXPECT_EQ(sandbox.Leftovers(), L"") << "left in the temporary directory";

    // On 64-bit Windows the 64-bit utility runs, with the save command line.
    const std::string record = sandbox.Record();
    EXPECT_EQ(record.rfind("nvflash64.exe| --index=0 --save --auto \"", 0), 0u) << record;
    EXPECT_NE(record.find(".rom\" --log \""), std::string::npos) << record;
    EXPECT_NE(record.find(".log\"\n"), std::string::npos) << record;
    DeleteFileW(target.c_str());
}

TEST(Kelvor, ReportsWhatTheUtilityLeft) {
    const struct {
        const wchar_t* scenario;
        std::wstring report;
    } cases[] = {
        {L"eeprom=AB,1234", L"EEPROM ID : AB,1234 \n\n" + std::wstring(kQuestion)},
        {L"part=P-77", L"BIOS No. : P-77 \n\n" + std::wstring(kQuestion)},
        {L"nothing", L"\n" + std::wstring(kQuestion)},
    };
    for (const auto& c : cases) {
        Sandbox sandbox(c.scenario);
        EXPECT_EQ(BackUp(false, L"").report, c.report) << c.scenario;
        EXPECT_EQ(sandbox.Leftovers(), L"") << c.scenario;
    }
}

TEST(Kelvor, AFailedUtilityProposesVgabiosAndConfirmsNothing) {
    Sandbox sandbox(L"fail");
    const std::wstring target = sandbox.temp.substr(0, sandbox.temp.size() - 5) + L"never.rom";
    const Outcome run = BackUp(true, target);
    EXPECT_EQ(run.report, L"\n" + std::wstring(kQuestion)) << "no confirmation for a copy that failed";
    EXPECT_EQ(run.proposed, L"VGABIOS.rom");
    EXPECT_EQ(GetFileAttributesW(target.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(sandbox.Leftovers(), L"");
}

TEST(Kelvor, ASecondStartEndsAtOnceAndCancelLeavesNothing) {
    Sandbox sandbox(L"");
    ChildProcess first = ChildProcess::Start(KelvorPath(), L"");
    HWND warning = WaitForBox(first, L"Kelvor", kWarning);
    ASSERT_NE(warning, nullptr);

    ChildProcess second = ChildProcess::Start(KelvorPath(), L"");
    DWORD exitCode = 1;
    EXPECT_TRUE(second.WaitForExit(15000, &exitCode));
    EXPECT_EQ(exitCode, 0u);

    Press(warning, IDCANCEL);
    EXPECT_TRUE(first.WaitForExit(15000, &exitCode));
    EXPECT_EQ(sandbox.Leftovers(), L"");
    EXPECT_EQ(sandbox.Record(), "") << "nothing ran";
}
