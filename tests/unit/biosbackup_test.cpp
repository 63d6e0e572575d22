// Kelvor's logic: the payload marker, the extractor, the password, the report
// texts, the EEPROM table, hardware identifiers and the progress hand-off.
#include "biosbackup/backup_core.h"
#include "biosbackup/backup_worker.h"
#include "biosbackup/devices.h"
#include "payload/archive.h"

#include <sddl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

std::string TempDirectory() {
    char path[MAX_PATH];
    GetTempPathA(MAX_PATH, path);
    std::string dir = std::string(path) + "kelvor_test_" + std::to_string(GetCurrentProcessId()) + "\\";
    CreateDirectoryA(dir.c_str(), nullptr);
    return dir;
}

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteAll(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// The name ReadPayloadName finds in `bytes`, or "<none>", and what follows it.
std::pair<std::string, std::string> Scan(const std::string& bytes) {
    std::FILE* f = std::tmpfile();
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::rewind(f);
    char name[kMaxPayloadName + 1] = "";
    std::string found = ReadPayloadName(f, name, sizeof name) ? name : "<none>";
    std::string rest;
    for (int ch; (ch = std::fgetc(f)) != EOF;) rest += static_cast<char>(ch);
    std::fclose(f);
    return {found, rest};
}

}  // namespace

TEST(PayloadMarker, FindsTheNameAndStopsAtThePayload) {
    const std::string longName(kMaxPayloadName, 'n');
    const struct {
        std::string bytes, name, rest;
    } cases[] = {
        {std::string("MZ\0\0code$RES@BIN.exe$PAYLOAD", 21 + 7), "BIN.exe", "PAYLOAD"},
        {"$$RES@BIN.exe$P", "BIN.exe", "P"},
        {"$RE$RES@BIN.exe$P", "BIN.exe", "P"},
        {"$RESX$ab$RES@BIN.exe$P", "BIN.exe", "P"},
        {"$RES@" + longName + "$P", longName, "P"},
        {"$RES@" + longName + "x$P", "<none>", ""},
        {"$RES@BIN.exe", "<none>", ""},
        {"$RES@ab$P", "<none>", ""},
        {"$RES@$P", "<none>", ""},
        {"$RES", "<none>", ""},
        {"no marker at all", "<none>", ""},
        {"$RES@..\\evil.exe$P", "<none>", ""},
        {"$RES@C:evil.exe$P", "<none>", ""},
        {"$RES@sub/evil.exe$P", "<none>", ""},
        {"$RES@a..exe$P", "<none>", ""},
        {std::string("$RES@BIN\0exe$P", 14), "<none>", ""},
    };
    for (const auto& c : cases) {
        auto [name, rest] = Scan(c.bytes);
        EXPECT_EQ(name, c.name) << c.bytes.substr(0, 40);
        if (c.name != "<none>") {
            EXPECT_EQ(rest, c.rest) << c.bytes.substr(0, 40);
        }
    }
}

TEST(PayloadMarker, ExtractsIntoTheDirectoryOrWritesNothing) {
    const std::string dir = TempDirectory();
    const std::string payload("\x01\x02$RES@\0\xff tail", 13);
    WriteAll(dir + "host.exe", std::string("MZ program bytes\0", 17) + "$RES@BIN.exe$" + payload);
    char buffer[MAX_PATH];
    std::strcpy(buffer, dir.c_str());
    ASSERT_TRUE(ExtractPayload((dir + "host.exe").c_str(), buffer, sizeof buffer));
    EXPECT_EQ(std::string(buffer), dir + "BIN.exe");
    EXPECT_EQ(ReadAll(dir + "BIN.exe"), payload);
    DeleteFileA((dir + "BIN.exe").c_str());

    // A refused name, a directory too long for the name, a missing executable.
    WriteAll(dir + "evil.exe", "$RES@..\\..\\BIN.exe$payload");
    std::strcpy(buffer, dir.c_str());
    EXPECT_FALSE(ExtractPayload((dir + "evil.exe").c_str(), buffer, sizeof buffer));
    char tight[64];
    std::strcpy(tight, dir.substr(0, 60).c_str());
    EXPECT_FALSE(ExtractPayload((dir + "host.exe").c_str(), tight, dir.size() > 56 ? sizeof tight : 8));
    std::strcpy(buffer, dir.c_str());
    EXPECT_FALSE(ExtractPayload((dir + "missing.exe").c_str(), buffer, sizeof buffer));
    EXPECT_EQ(GetFileAttributesA((dir + "BIN.exe").c_str()), INVALID_FILE_ATTRIBUTES);

    DeleteFileA((dir + "host.exe").c_str());
    DeleteFileA((dir + "evil.exe").c_str());
    EXPECT_TRUE(RemoveDirectoryA(dir.c_str())) << "something was left in " << dir;
}

TEST(Password, UnscramblesToAShortTextThatTheExecutableDoesNotHold) {
    char password[kMaxPasswordBytes + 1];
    std::memset(password, 0x55, sizeof password);
    UnscramblePassword(password);
    const std::size_t length = strnlen(password, sizeof password);
    ASSERT_LT(length, sizeof password);
    EXPECT_GE(length, 8u);

    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    EXPECT_EQ(ReadAll(self).find(password), std::string::npos) << "the password is in the executable in plain text";

    // The key depends on the position: the same byte scrambles differently.
    int distinct = 0;
    for (std::size_t i = 1; i < kMaxPasswordBytes; ++i) distinct += PasswordKey(i) != PasswordKey(0);
    EXPECT_GE(distinct, 12);
}

TEST(Eeprom, TableLookup) {
    EXPECT_EQ(EepromTableSize(), 109u);
    const struct {
        const char* id;
        const char* size;
    } cases[] = {
        {"EF,4014", "8Mb"}, {"00,FFFF", "2kb"}, {"01,0217", "64Mb"}, {"1F,4602", "16Mb"}, {"47,8747", "32kb"},
        {"EF,6015", "16Mb"}, {"00,10F5", "2Mb"}, {"ef,4014", nullptr}, {"EF,40145", nullptr}, {"EF,401", nullptr},
        {"AB,1234", nullptr}, {"", nullptr}, {" EF,4014", nullptr},
    };
    for (const auto& c : cases) {
        const char* size = EepromSizeFor(c.id);
        if (c.size == nullptr) {
            EXPECT_EQ(size, nullptr) << c.id;
        } else {
            ASSERT_NE(size, nullptr) << c.id;
            EXPECT_STREQ(size, c.size) << c.id;
        }
    }
}

TEST(Report, FindsTheFieldsWithinTheBytesRead) {
    const struct {
        std::string data;
        std::string part, eeprom;
    } cases[] = {
        {std::string("\x55\xaa header\0BIOS-P/N@2080-A1\0more", 31), "2080-A1", ""},
        {"log EEPROM ID (EF,4014) found", "", "EF,4014"},
        {"BIOS-P/N@12345678901234567890XYZ", "12345678901234567890", ""},
        {"ends at BIOS-P/N@P-77", "P-77", ""},
        {"BIOS-P/N@", "", ""},
        {"EEPROM ID (AB,1234", "", ""},
        {"EEPROM ID (012345678901234567)", "", ""},
        {"EEPROM ID (01234567890123456)", "", "01234567890123456"},
        {"EEPROM ID ()", "", ""},
        {"nothing here", "", ""},
    };
    for (const auto& c : cases) {
        // Copied into a buffer of exactly its size: no terminating zero follows.
        std::unique_ptr<char[]> exact(new char[c.data.size()]);
        std::memcpy(exact.get(), c.data.data(), c.data.size());
        char part[64], eeprom[64];
        FindPartNumber(exact.get(), c.data.size(), part, sizeof part);
        FindEepromId(exact.get(), c.data.size(), eeprom, sizeof eeprom);
        EXPECT_EQ(std::string(part), c.part) << c.data;
        EXPECT_EQ(std::string(eeprom), c.eeprom) << c.data;
    }
    // A marker beyond the bytes read is not found.
    char part[64];
    FindPartNumber("xxBIOS-P/N@1", 5, part, sizeof part);
    EXPECT_STREQ(part, "");
}

TEST(Report, ComposesTheQuestionAndTheProposedName) {
    const struct {
        const char *part, *eeprom, *text, *file;
    } cases[] = {
        {"2080-A1", "EF,4014", "BIOS No. : 2080-A1 \n\nEEPROM Size : 8Mb\n\n** Save VGA BIOS to file ? **", "2080-A1.rom"},
        {"", "AB,1234", "EEPROM ID : AB,1234 \n\n** Save VGA BIOS to file ? **", "VGABIOS.rom"},
        {"P1", "", "BIOS No. : P1 \n\n** Save VGA BIOS to file ? **", "P1.rom"},
        {"", "", "\n** Save VGA BIOS to file ? **", "VGABIOS.rom"},
    };
    for (const auto& c : cases) {
        char text[256], file[64];
        ComposeReport("", c.part, c.eeprom, text, sizeof text);
        ProposedFileName(c.part, file, sizeof file);
        EXPECT_STREQ(text, c.text);
        EXPECT_STREQ(file, c.file);
    }
}

TEST(Report, TellsWhenTheDisplayAdaptersCouldNotBeSwitched) {
    char notice[256], text[512];
    ComposeNotice(false, false, notice, sizeof notice);
    EXPECT_STREQ(notice, "");
    ComposeNotice(true, true, notice, sizeof notice);
    ComposeReport(notice, "", "", text, sizeof text);
    EXPECT_STREQ(text,
                 "The display adapters could not be disabled:\nthe BIOS was not read.\n\n"
                 "The display adapters could not be enabled again:\nrestart the computer.\n\n"
                 "\n** Save VGA BIOS to file ? **");
}

TEST(Devices, MatchesHardwareIdentifierLists) {
    const struct {
        const char* list;
        int match;
    } cases[] = {
        {"PCI\\VEN_10DE&DEV_1E87&SUBSYS_12345678\0PCI\\VEN_10DE&DEV_1E87\0", 1},
        {"PCI\\VEN_10DE&DEV_\0", 0},
        {"PCI\\VEN_1002&DEV_731F\0PCI\\VEN_10DE&DEV_1E87\0", -1},
        {"pci\\ven_10de&dev_1e87\0", -1},
        {"\0", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(MatchHardwareIdList(c.list, kNvidiaHardwarePrefix), c.match) << c.list;
    EXPECT_EQ(MatchHardwareIdList(nullptr, kNvidiaHardwarePrefix), -1);
}

TEST(Devices, NothingIsDisabledWithoutAnNvidiaDisplayDevice) {
    EXPECT_EQ(ChangeNvidiaDisplayDevices(DICS_DISABLE).matched, 0);
    EXPECT_EQ(ChangeNvidiaDisplayDevices(DICS_ENABLE).matched, 0);
}

// A system played by recording actions: what the worker did, in order.
struct FakeSystem {
    static std::vector<std::string> log;
    static DeviceChange disable, enable;
    static bool directory, extract;
    static long extractorExit;

    static BackupActions Actions() {
        return {[](DWORD state) {
                    log.push_back(state == DICS_DISABLE ? "disable" : "enable");
                    return state == DICS_DISABLE ? disable : enable;
                },
                [](const char* temp, char* out, std::size_t capacity) {
                    log.push_back("directory");
                    std::snprintf(out, capacity, "%sKelvorX\\", temp);
                    return directory;
                },
                [](const char*, char* out, std::size_t capacity) {
                    log.push_back("extract");
                    std::strncat(out, "BIN.exe", capacity - std::strlen(out) - 1);
                    return extract;
                },
                [](const char* program, const char*) {
                    log.push_back(std::string("run ") + program);
                    return std::strstr(program, "BIN.exe") != nullptr ? extractorExit : 0L;
                },
                [](const char* path) { log.push_back(std::string("delete ") + path); },
                [] { return static_cast<WORD>(PROCESSOR_ARCHITECTURE_AMD64); }};
    }
    static void Reset() {
        log.clear();
        disable = {1, 0};
        enable = {1, 0};
        directory = extract = true;
        extractorExit = 0;
    }
};
std::vector<std::string> FakeSystem::log;
DeviceChange FakeSystem::disable, FakeSystem::enable;
bool FakeSystem::directory, FakeSystem::extract;
long FakeSystem::extractorExit;

TEST(Worker, TheUtilityRunsOnlyWithTheAdaptersOffAndAnUnpackedPayload) {
    const std::vector<std::string> full = {"disable", "directory", "extract", "run T\\KelvorX\\BIN.exe",
                                           "delete T\\KelvorX\\BIN.exe", "run T\\KelvorX\\BIN\\nvflash64.exe",
                                           "delete T\\KelvorX\\", "enable"};
    const std::vector<std::string> noUtility = {"disable", "directory", "extract", "run T\\KelvorX\\BIN.exe",
                                                "delete T\\KelvorX\\BIN.exe", "delete T\\KelvorX\\", "enable"};
    const struct {
        const char* what;
        void (*arrange)();
        std::vector<std::string> expected;
        bool ran, notDisabled, notEnabled;
    } cases[] = {
        {"everything works", [] {}, full, true, false, false},
        {"no NVIDIA adapter", [] { FakeSystem::disable = FakeSystem::enable = {0, 0}; }, full, true, false, false},
        {"an adapter stays on", [] { FakeSystem::disable = {2, 1}; }, {"disable", "enable"}, false, true, false},
        {"no private directory", [] { FakeSystem::directory = false; }, {"disable", "directory", "enable"}, false,
         false, false},
        {"no payload", [] { FakeSystem::extract = false; }, {"disable", "directory", "extract", "delete T\\KelvorX\\", "enable"},
         false, false, false},
        {"the extractor fails", [] { FakeSystem::extractorExit = 2; }, noUtility, false, false, false},
        {"the extractor cannot start", [] { FakeSystem::extractorExit = -1; }, noUtility, false, false, false},
        {"an adapter stays off", [] { FakeSystem::enable = {1, 1}; }, full, true, false, true},
    };
    for (const auto& c : cases) {
        FakeSystem::Reset();
        c.arrange();
        const BackupOutcome outcome = RunBackup(FakeSystem::Actions(), "K.exe", "T\\", "image.rom", "log.log");
        EXPECT_EQ(FakeSystem::log, c.expected) << c.what;
        EXPECT_EQ(outcome.utilityRan, c.ran) << c.what;
        EXPECT_EQ(outcome.devicesNotDisabled, c.notDisabled) << c.what;
        EXPECT_EQ(outcome.devicesNotEnabled, c.notEnabled) << c.what;
    }
}

TEST(Worker, ThePrivateDirectoryIsForAdministratorsAndSystemAndNeverReused) {
    const std::string path = TempDirectory() + "private\\";
    RemoveDirectoryA(path.c_str());
    ASSERT_TRUE(CreatePrivateDirectory(path.c_str()));
    EXPECT_FALSE(CreatePrivateDirectory(path.c_str()));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
    RemoveDirectoryA(path.c_str());

    // Wine makes up the access list of its files, so the list given is read back from
    // the descriptor the directory is created with.
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_TRUE(ConvertStringSecurityDescriptorToSecurityDescriptorA(kPrivateDirectoryAccess, SDDL_REVISION_1,
                                                                     &descriptor, nullptr));
    SECURITY_DESCRIPTOR_CONTROL control = 0;
    DWORD revision = 0;
    ASSERT_TRUE(GetSecurityDescriptorControl(descriptor, &control, &revision));
    EXPECT_NE(control & SE_DACL_PROTECTED, 0) << "nothing inherited from the temporary directory";
    BOOL present = FALSE, defaulted = FALSE;
    PACL acl = nullptr;
    ASSERT_TRUE(GetSecurityDescriptorDacl(descriptor, &present, &acl, &defaulted));
    ASSERT_TRUE(present && acl != nullptr);
    std::vector<std::string> trustees;
    for (DWORD i = 0; i < acl->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(GetAce(acl, i, reinterpret_cast<void**>(&ace)));
        EXPECT_EQ(ace->Header.AceType, ACCESS_ALLOWED_ACE_TYPE);
        EXPECT_EQ(ace->Mask, static_cast<DWORD>(FILE_ALL_ACCESS));
        LPSTR sid = nullptr;
        ASSERT_TRUE(ConvertSidToStringSidA(reinterpret_cast<PSID>(&ace->SidStart), &sid));
        trustees.push_back(sid);
        LocalFree(sid);
    }
    LocalFree(descriptor);
    std::sort(trustees.begin(), trustees.end());
    EXPECT_EQ(trustees, (std::vector<std::string>{"S-1-5-18", "S-1-5-32-544"}));
}

TEST(Progress, HoldsAt99AndShows100OnceWhateverTheInterleaving) {
    for (int trial = 0; trial < 300; ++trial) {
        volatile LONG percent = 0;
        const int finishAfter = trial % 150;
        std::thread worker([&] {
            for (int spin = 0; spin < finishAfter * 40; ++spin) YieldProcessor();
            FinishProgress(&percent);
        });
        LONG last = -1;
        int hundreds = 0;
        for (int tick = 0; tick < 100000; ++tick) {
            const LONG shown = TickProgress(&percent);
            ASSERT_GE(shown, last);
            ASSERT_TRUE(shown <= 99 || shown == 100);
            last = shown;
            if (shown == 100) {
                ++hundreds;
                break;
            }
            if (tick % 64 == 0) std::this_thread::yield();
        }
        worker.join();
        if (hundreds == 0) {
            // The worker finished after the last tick: the next tick shows 100.
            EXPECT_EQ(TickProgress(&percent), 100);
        } else {
            EXPECT_EQ(hundreds, 1);
        }
        EXPECT_EQ(percent, 100);
    }
}

TEST(Utility, ChosenByNativeArchitecture) {
    EXPECT_STREQ(FlashUtilityName(PROCESSOR_ARCHITECTURE_AMD64), "nvflash64.exe");
    EXPECT_STREQ(FlashUtilityName(PROCESSOR_ARCHITECTURE_INTEL), "nvflash.exe");
    EXPECT_EQ(FlashUtilityName(PROCESSOR_ARCHITECTURE_ARM64), nullptr);
    EXPECT_EQ(FlashUtilityName(PROCESSOR_ARCHITECTURE_IA64), nullptr);
}

TEST(Archive, OpensOnlyWithTheRightPasswordAndIntact) {
    const std::vector<ArchiveFile> files = {{"nvflash.exe", std::string("MZ\0x86", 6)}, {"nvflash64.exe", "MZ x64"}};
    std::string archive;
    ASSERT_TRUE(SealArchive(files, "right-pass", &archive));
    EXPECT_EQ(archive.find("MZ x64"), std::string::npos) << "the contents are not encrypted";

    std::vector<ArchiveFile> opened;
    ASSERT_TRUE(OpenArchive(archive, "right-pass", &opened));
    ASSERT_EQ(opened.size(), 2u);
    EXPECT_EQ(opened[0].name, "nvflash.exe");
    EXPECT_EQ(opened[0].bytes, files[0].bytes);
    EXPECT_EQ(opened[1].bytes, "MZ x64");

    std::string damaged = archive;
    damaged[damaged.size() / 2] ^= 1;
    for (const auto& [bytes, password] : std::vector<std::pair<std::string, const char*>>{
             {archive, "wrong-pass"}, {archive, ""}, {damaged, "right-pass"},
             {archive.substr(0, archive.size() - 1), "right-pass"}, {archive.substr(0, 40), "right-pass"}, {"", "x"}}) {
        opened = {{"stale", "stale"}};
        EXPECT_FALSE(OpenArchive(bytes, password, &opened)) << bytes.size() << " " << password;
        EXPECT_TRUE(opened.empty());
    }

    // A sealed entry that would leave the folder is refused on opening.
    ASSERT_TRUE(SealArchive({{"..\\escape.exe", "x"}}, "right-pass", &archive));
    EXPECT_FALSE(OpenArchive(archive, "right-pass", &opened));
}

// BIN.exe taken from the staged Kelvor.exe unpacks its folder only with the
// password Kelvor carries, and nothing from a damaged copy.
TEST(Archive, TheStagedPayloadUnpacksWithKelvorsPassword) {
    const char* stage = std::getenv("ZORVANE_STAGE_DIR");
    ASSERT_NE(stage, nullptr);
    const std::string dir = TempDirectory();
    char payload[MAX_PATH];
    std::strcpy(payload, dir.c_str());
    ASSERT_TRUE(ExtractPayload((std::string(stage) + "\\UI\\Kelvor.exe").c_str(), payload, sizeof payload));
    std::string damagedBytes = ReadAll(payload);
    damagedBytes[damagedBytes.size() - 60] ^= 0x40;
    WriteAll(dir + "damaged.exe", damagedBytes);

    char password[kMaxPasswordBytes + 1];
    UnscramblePassword(password);
    const struct {
        std::string program, password;
        bool unpacks;
    } cases[] = {
        {payload, "wrong", false},
        {dir + "damaged.exe", password, false},
        {payload, password, true},
    };
    for (const auto& c : cases) {
        std::string line = "-o" + dir + " -p" + c.password + " -y";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        ASSERT_TRUE(CreateProcessA(c.program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                   &startup, &process));
        WaitForSingleObject(process.hProcess, 60000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        const bool has32 = GetFileAttributesA((dir + "BIN\\nvflash.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
        const bool has64 = GetFileAttributesA((dir + "BIN\\nvflash64.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
        EXPECT_EQ(has32, c.unpacks) << c.program << " " << c.password;
        EXPECT_EQ(has64, c.unpacks) << c.program << " " << c.password;
        if (!c.unpacks) {
            EXPECT_EQ(GetFileAttributesA((dir + "BIN").c_str()), INVALID_FILE_ATTRIBUTES);
        }
    }
    SecureZeroMemory(password, sizeof password);
    std::error_code ignored;
    std::filesystem::remove_all(dir, ignored);
}
