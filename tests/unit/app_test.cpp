// The application shell: command line, skin paths, start with Windows.
#include "app/command_line.h"
#include "app/debug_mode_notice.h"
#include "framework/prompt.h"
#include "startup/logon_task.h"
#include "app/private_fonts.h"
#include "skin/skin_paths.h"
#include "startup/start_with_windows.h"
#include "fake_task_service.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

namespace {

// ---------------------------------------------------------------- command line

TEST(CommandLine, SwitchTable) {
    struct Case {
        const wchar_t* text;
        bool autostart;
        int board;
        StartupCommand command;
    };
    const Case cases[] = {
        {L"", false, 0, StartupCommand::RunWindow},
        {L"/g3", false, 2, StartupCommand::RunWindow},
        {L"/G20", false, 19, StartupCommand::RunWindow},
        {L"/G2", false, 1, StartupCommand::RunWindow},
        {L"/G10", false, 9, StartupCommand::RunWindow},
        {L"/G1", false, 0, StartupCommand::RunWindow},
        {L"/G0", false, 0, StartupCommand::RunWindow},
        {L"/A /G3", true, 2, StartupCommand::RunWindow},
        {L"/a", true, 0, StartupCommand::RunWindow},
        {L"x/G7y", false, 6, StartupCommand::RunWindow},  // substrings, no tokens
        {L"/install", false, 0, StartupCommand::Install},
        {L"/UNINSTALL", false, 0, StartupCommand::Uninstall},
        {L"/UNINSTALL /INSTALL", false, 0, StartupCommand::Install},
        {L"/INSTALL /A /G4", true, 3, StartupCommand::Install},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "command line \"" << c.text << "\"");
        const CommandLineSwitches s = ParseCommandLine(c.text);
        EXPECT_EQ(s.autostart, c.autostart);
        EXPECT_EQ(s.selectedBoard, c.board);
        EXPECT_EQ(s.command, c.command);
    }
    EXPECT_EQ(ParseCommandLine(nullptr).selectedBoard, 0);
}

TEST(CommandLine, OnlyTheFirst259CharactersCount) {
    std::wstring text(250, L' ');
    text += L"/G5";  // ends at character 253: seen
    text += std::wstring(20, L' ');
    text += L"/INSTALL";  // beyond the buffer: not seen
    const CommandLineSwitches s = ParseCommandLine(text.c_str());
    EXPECT_EQ(s.selectedBoard, 4);
    EXPECT_EQ(s.command, StartupCommand::RunWindow);

    std::wstring longer(4000, L'x');
    longer += L"/A";
    EXPECT_FALSE(ParseCommandLine(longer.c_str()).autostart);
}

// ---------------------------------------------------------------- skin paths

std::wstring TempPath(const wchar_t* name) {
    wchar_t directory[MAX_PATH];
    ::GetTempPathW(MAX_PATH, directory);
    return std::wstring(directory) + name;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
}

TEST(SkinPaths, BuiltFromTheExecutableDirectory) {
    SkinPaths paths{};
    BuildSkinPaths(L"C:\\Program Files\\Zorvane\\Zorvane.exe", paths);
    EXPECT_STREQ(paths.uiDirectory, L"C:\\Program Files\\Zorvane\\UI\\");
    EXPECT_STREQ(paths.skinFile, L"C:\\Program Files\\Zorvane\\UI\\Zorvane.cfg");
    EXPECT_STREQ(paths.languageFile, L"C:\\Program Files\\Zorvane\\UI\\Zorvane.loc");
}

TEST(SkinPaths, LongExecutablePathsAreCutNotOverrun) {
    struct Guarded {
        SkinPaths paths;
        wchar_t guard[8];
    } g{};
    std::wstring path = L"C:\\" + std::wstring(250, L'd') + L"\\Zorvane.exe";  // 266 characters
    std::fill_n(g.guard, 8, L'#');
    BuildSkinPaths(path.c_str(), g.paths);
    ReadDialogBackgrounds(g.paths);
    for (const wchar_t* p : {g.paths.uiDirectory, g.paths.skinFile, g.paths.languageFile,
                             g.paths.background[BackgroundLedCtrl]}) {
        EXPECT_LT(std::wcslen(p), static_cast<size_t>(MAX_PATH));
    }
    EXPECT_EQ(std::wstring(g.paths.uiDirectory).substr(0, 6), L"C:\\ddd");
    EXPECT_EQ(std::wstring(g.guard, 8), std::wstring(8, L'#'));
}

TEST(SkinPaths, DialogBackgroundsFromTheSkinFileOrTheirDefaults) {
    const std::wstring directory = TempPath(L"zorvane-skin-test\\");
    ::CreateDirectoryW(directory.c_str(), nullptr);
    ::CreateDirectoryW((directory + L"UI").c_str(), nullptr);
    SkinPaths paths{};
    BuildSkinPaths((directory + L"Zorvane.exe").c_str(), paths);
    const std::wstring ui = directory + L"UI\\";

    const wchar_t* defaults[DialogBackgroundCount] = {
        L"main.png", L"setting.png", L"status.png", L"overclock.png", L"info.png",
        L"overclock.png", L"FanCtrl.png", L"FanCtrl2.png", L"LedCtrl.png"};

    // No skin file at all, then a DIALOG section of garbage: every default.
    for (const char* content : {static_cast<const char*>(nullptr),
                                "[DIALOG]\r\nthis is not a key\r\n\x01\x02\xff\xfe\r\n=novalue\r\n[Other]\r\nMain=x.png\r\n"}) {
        if (content) WriteFile(paths.skinFile, content);
        ReadDialogBackgrounds(paths);
        for (int i = 0; i < DialogBackgroundCount; ++i) {
            EXPECT_EQ(std::wstring(paths.background[i]), ui + defaults[i]) << "background " << i;
        }
    }

    WriteFile(paths.skinFile, "[dialog]\r\nMAIN = panel\\front.png\r\nLedCtrl=leds.png\r\n");
    ReadDialogBackgrounds(paths);
    EXPECT_EQ(std::wstring(paths.background[BackgroundMain]), ui + L"panel\\front.png");
    EXPECT_EQ(std::wstring(paths.background[BackgroundLedCtrl]), ui + L"leds.png");
    EXPECT_EQ(std::wstring(paths.background[BackgroundStatus]), ui + L"status.png");

    ::DeleteFileW(paths.skinFile);
    ::RemoveDirectoryW((directory + L"UI").c_str());
    ::RemoveDirectoryW(directory.c_str());
}

// ---------------------------------------------------------------- private fonts

bool FaceInstalled(const wchar_t* face) {
    HDC dc = ::GetDC(nullptr);
    LOGFONTW query{};
    query.lfCharSet = DEFAULT_CHARSET;
    wcsncpy(query.lfFaceName, face, LF_FACESIZE - 1);
    bool found = false;
    ::EnumFontFamiliesExW(
        dc, &query,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
            *reinterpret_cast<bool*>(found) = true;
            return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ::ReleaseDC(nullptr, dc);
    return found;
}

TEST(PrivateFonts, OrbitronFromTheStagedUiDirectoryComesAndGoes) {
    wchar_t stage[MAX_PATH] = {};
    ASSERT_GT(::GetEnvironmentVariableW(L"ZORVANE_STAGE_DIR", stage, MAX_PATH), 0u) << "run through CTest";
    const std::wstring ui = std::wstring(stage) + L"\\UI\\";
    ASSERT_FALSE(FaceInstalled(L"Orbitron"));
    RegisterPrivateFonts(ui.c_str());  // the missing Politica file is no error
    EXPECT_TRUE(FaceInstalled(L"Orbitron"));
    RemovePrivateFonts(ui.c_str());
    EXPECT_FALSE(FaceInstalled(L"Orbitron"));
}

// ---------------------------------------------------------------- logon task

class LogonTask : public testing::Test {
protected:
    void SetUp() override { previous_ = SetTaskServiceFactory(&FakeTaskServiceCreate); }
    void TearDown() override {
        SetTaskServiceFactory(previous_);
        EXPECT_EQ(FakeTaskServiceLiveObjects(), 0) << "a Task Scheduler object was not released";
    }
    static std::wstring Log() { return FakeTaskServiceLog(); }

    TaskServiceFactory previous_ = nullptr;
};

const wchar_t* const kRegisterSequence[] = {
    L"CreateService",
    L"Service.Connect vt0 vt0 vt0 vt0",
    L"Service.GetFolder '\\'",
    L"Folder.DeleteTask 'Zorvane' 0",
    L"Service.NewTask 0",
    L"Definition.get_Principal",
    L"Principal.put_LogonType 3",  // TASK_LOGON_INTERACTIVE_TOKEN
    L"Principal.put_RunLevel 1",   // TASK_RUNLEVEL_HIGHEST
    L"Definition.get_Settings",
    L"Settings.put_DisallowStartIfOnBatteries 0",
    L"Settings.put_StopIfGoingOnBatteries 0",
    L"Settings.put_StartWhenAvailable -1",
    L"Settings.put_ExecutionTimeLimit 'PT0S'",
    L"Settings.put_Priority 4",  // normal; the default 7 is below normal
    L"Settings.get_IdleSettings",
    L"Idle.put_StopOnIdleEnd 0",
    L"Definition.get_Triggers",
    L"Triggers.Create 9",  // TASK_TRIGGER_LOGON
    L"Definition.get_Actions",
    L"Actions.Create 0",  // TASK_ACTION_EXEC
    L"Action.QueryInterface IExecAction",
    L"Action.put_Path 'C:\\Games\\Zorvane\\Zorvane.exe'",
    L"Action.put_Arguments '/A'",
    L"Folder.RegisterTaskDefinition 'Zorvane' Definition 6 vt0 vt0 3 ''",  // the registering user
};

std::wstring Lines(const wchar_t* const* lines, size_t count) {
    std::wstring text;
    for (size_t i = 0; i < count; ++i) text += std::wstring(lines[i]) + L"\n";
    return text;
}

TEST_F(LogonTask, RegisteringSetsEveryPropertyInOrder) {
    FakeTaskServiceReset(nullptr);
    EXPECT_EQ(RegisterLogonTask(L"C:\\Games\\Zorvane\\Zorvane.exe", L"/A", false), 0);
    EXPECT_EQ(Log(), Lines(kRegisterSequence, std::size(kRegisterSequence)));
}

TEST_F(LogonTask, UnregisteringOnlyDeletes) {
    FakeTaskServiceReset(nullptr);
    EXPECT_EQ(RegisterLogonTask(L"", L"", true), 0);
    EXPECT_EQ(Log(), Lines(kRegisterSequence, 4));

    // A task that does not exist: the delete fails and the result is still success.
    FakeTaskServiceReset(L"Folder.DeleteTask");
    EXPECT_EQ(RegisterLogonTask(L"", L"", true), 0);
    FakeTaskServiceReset(L"Folder.DeleteTask");
    EXPECT_EQ(RegisterLogonTask(L"C:\\Games\\Zorvane\\Zorvane.exe", L"/A", false), 0);
}

TEST_F(LogonTask, AnyFailingStepEndsTheRegistrationWithOne) {
    // Every call but the ignored delete; each failure stops right there.
    for (size_t failing = 0; failing < std::size(kRegisterSequence); ++failing) {
        const std::wstring line = kRegisterSequence[failing];
        if (line.rfind(L"Folder.DeleteTask", 0) == 0) continue;
        const std::wstring call = line.substr(0, line.find(L' '));
        SCOPED_TRACE(testing::Message() << "failing " << call.c_str());
        FakeTaskServiceReset(call.c_str());
        EXPECT_EQ(RegisterLogonTask(L"C:\\Games\\Zorvane\\Zorvane.exe", L"/A", false), 1);
        EXPECT_EQ(Log(), Lines(kRegisterSequence, failing + 1));
        EXPECT_EQ(FakeTaskServiceLiveObjects(), 0);
    }
}

TEST(LogonTaskOnWine, UnregisteringWithoutATaskSucceeds) {
    // The system's own Task Scheduler: removing a task that does not exist is success.
    EXPECT_EQ(RegisterLogonTask(L"", L"", true), 0);
}

// ---------------------------------------------------------------- the Debug Mode notice

TEST(DebugModeNotice, WarnsWithTheDriversWording) {
    static std::wstring text, caption;
    static UINT type = 0;
    const MessageBoxFunction previous =
        SetMessageBoxFunction([](HWND, const wchar_t* t, const wchar_t* c, UINT u) -> int {
            text = t;
            caption = c;
            type = u;
            return IDOK;
        });
    ShowDebugModeNotice();
    SetMessageBoxFunction(previous);
    EXPECT_EQ(caption, L"NVIDIA Control Panel - Debug Mode");
    EXPECT_EQ(text,
              L"GPU is in \"Debug Mode\", overclock(OC) is NOT allowed.\n"
              L"To exit the \"Debug Mode\", please uncheck the option in\n\n"
              L" NVIDIA Control Panel -> Help -> Debug Mode\n");
    EXPECT_EQ(type, static_cast<UINT>(MB_ICONWARNING));
}

// ---------------------------------------------------------------- Run key

class RunKey : public LogonTask {
protected:
    static std::vector<BYTE> RunValue(bool* present) {
        HKEY key;
        *present = false;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key) != ERROR_SUCCESS) {
            return {};
        }
        DWORD type = 0, size = 0;
        std::vector<BYTE> data;
        if (::RegQueryValueExW(key, kRunValueName, nullptr, &type, nullptr, &size) == ERROR_SUCCESS) {
            data.resize(size);
            ::RegQueryValueExW(key, kRunValueName, nullptr, &type, data.data(), &size);
            *present = type == REG_SZ;
        }
        ::RegCloseKey(key);
        return data;
    }
    static std::vector<BYTE> Bytes(const std::wstring& text) {
        const BYTE* p = reinterpret_cast<const BYTE*>(text.c_str());
        return std::vector<BYTE>(p, p + (text.size() + 1) * sizeof(wchar_t));
    }
    static DWORD ValueCount() {
        HKEY key;
        DWORD count = 0;
        if (::RegOpenKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, KEY_READ | KEY_WOW64_32KEY, &key) == ERROR_SUCCESS) {
            ::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, nullptr, nullptr,
                               nullptr, nullptr);
            ::RegCloseKey(key);
        }
        return count;
    }
    void SetUp() override {
        LogonTask::SetUp();
        HKEY key;
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kRunKeyPath, 0, nullptr, 0, KEY_ALL_ACCESS | KEY_WOW64_32KEY, nullptr,
                          &key, nullptr);
        ::RegDeleteValueW(key, kRunValueName);
        ::RegCloseKey(key);
    }
};

TEST_F(RunKey, RegisterWritesTheQuotedPathAndTheTaskTwiceLeavesOne) {
    const DWORD before = ValueCount();
    FakeTaskServiceReset(nullptr);
    EXPECT_EQ(RegisterStartWithWindows(L"C:\\Games\\Zorvane\\Zorvane.exe"), StartRegistration::Done);
    FakeTaskServiceReset(nullptr);
    EXPECT_EQ(RegisterStartWithWindows(L"C:\\Games\\Zorvane\\Zorvane.exe"), StartRegistration::Done);
    EXPECT_EQ(Log(), Lines(kRegisterSequence, std::size(kRegisterSequence)));

    bool present;
    EXPECT_EQ(RunValue(&present), Bytes(L"\"C:\\Games\\Zorvane\\Zorvane.exe\" /A"));
    EXPECT_TRUE(present);
    EXPECT_EQ(ValueCount(), before + 1);
}

TEST_F(RunKey, AFailedTaskIsReportedWithTheValueWritten) {
    FakeTaskServiceReset(L"Settings.put_Priority");
    EXPECT_EQ(RegisterStartWithWindows(L"C:\\Games\\Zorvane\\Zorvane.exe"), StartRegistration::TaskFailed);
    bool present;
    RunValue(&present);
    EXPECT_TRUE(present);
    EXPECT_EQ(RegistrationExitCode(StartRegistration::TaskFailed), 1);
    EXPECT_EQ(RegistrationExitCode(StartRegistration::Done), 0);
    EXPECT_EQ(RegistrationExitCode(StartRegistration::KeyNotOpened), 2);
}

TEST_F(RunKey, UnregisterAfterTheProgramMovedRemovesValueAndTask) {
    FakeTaskServiceReset(nullptr);
    RegisterStartWithWindows(L"D:\\Old place\\Zorvane.exe");
    FakeTaskServiceReset(nullptr);
    EXPECT_EQ(UnregisterStartWithWindows(), StartRegistration::Done);
    EXPECT_EQ(Log(), Lines(kRegisterSequence, 4));
    bool present;
    RunValue(&present);
    EXPECT_FALSE(present);
}

TEST_F(RunKey, LongPathsAreCutToTheBuffer) {
    FakeTaskServiceReset(nullptr);
    const std::wstring path = L"C:\\" + std::wstring(300, L'p') + L"\\Zorvane.exe";
    EXPECT_EQ(RegisterStartWithWindows(path.c_str()), StartRegistration::Done);
    bool present;
    const std::vector<BYTE> value = RunValue(&present);
    ASSERT_TRUE(present);
    const std::wstring stored(reinterpret_cast<const wchar_t*>(value.data()));
    EXPECT_EQ(value.size(), (stored.size() + 1) * sizeof(wchar_t));
    EXPECT_EQ(stored.size(), static_cast<size_t>(MAX_PATH + 7));
    EXPECT_EQ(stored.substr(0, 4), L"\"C:\\");
}

TEST_F(RunKey, AKeyThatCannotBeOpenedChangesNothing) {
    FakeTaskServiceReset(nullptr);
    const wchar_t* missing = L"Software\\Zorvane test\\no such key";
    EXPECT_EQ(RegisterStartWithWindows(L"C:\\Zorvane.exe", missing), StartRegistration::KeyNotOpened);
    EXPECT_EQ(UnregisterStartWithWindows(missing), StartRegistration::KeyNotOpened);
    EXPECT_EQ(Log(), L"");  // no task call at all
    HKEY key;
    EXPECT_NE(::RegOpenKeyExW(HKEY_CURRENT_USER, missing, 0, KEY_READ | KEY_WOW64_32KEY, &key), ERROR_SUCCESS);
}

}  // namespace
