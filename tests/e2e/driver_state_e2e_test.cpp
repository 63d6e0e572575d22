// What the simulated driver keeps between processes, as a real driver keeps its
// settings database: a frame rate target written by one process is read by another.
#include "process.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring TestDirectory() {
    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring directory = path;
    return directory.substr(0, directory.find_last_of(L'\\'));
}

DWORD RunProbe(const std::wstring& arguments) {
    ChildProcess probe = ChildProcess::Start(TestDirectory() + L"\\frame_rate_probe.exe", arguments);
    DWORD code = 1000;
    EXPECT_TRUE(probe.started());
    EXPECT_TRUE(probe.WaitForExit(20000, &code)) << "probe " << arguments.c_str() << " hangs";
    return code;
}

TEST(DriverState, FrameRateTargetOutlivesTheProcessThatSetIt) {
    wchar_t directory[MAX_PATH], state[MAX_PATH];
    ::GetTempPathW(MAX_PATH, directory);
    ::GetTempFileNameW(directory, L"drs", 0, state);
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_STATE", state);
    ::SetEnvironmentVariableW(L"ZORVANE_SIM_SCENARIO", L"curve");

    EXPECT_EQ(RunProbe(L"get"), 0u);
    EXPECT_EQ(RunProbe(L"set 60"), 0u);
    EXPECT_EQ(RunProbe(L"get"), 60u);
    EXPECT_EQ(RunProbe(L"set 0"), 0u);
    EXPECT_EQ(RunProbe(L"get"), 0u);

    ::DeleteFileW(state);
}

}  // namespace
