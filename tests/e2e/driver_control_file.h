// The simulated driver's control file (ZORVANE_SIM_CONTROL) from the test's side:
// faults for a running Zorvane.exe, and what its driver reports at each change.
#pragma once

#include <windows.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

class DriverControlFile {
public:
    struct Report {
        int answered = -1;  // calls the previous faults failed; -1: no report in time
        unsigned long long calls = 0;
        unsigned long long i2cTransfers = 0;
    };

    // A file in the temp folder, removed again with its report.
    explicit DriverControlFile(const wchar_t* name) {
        wchar_t directory[MAX_PATH];
        ::GetTempPathW(MAX_PATH, directory);
        m_path = std::wstring(directory) + name;
        Clear();
    }
    ~DriverControlFile() {
        ::DeleteFileW(m_path.c_str());
        ::DeleteFileW((m_path + L".report").c_str());
    }
    DriverControlFile(const DriverControlFile&) = delete;
    DriverControlFile& operator=(const DriverControlFile&) = delete;

    const std::wstring& path() const { return m_path; }

    // Every call of these identifiers answers `status` from now on.
    void Fail(const std::vector<std::uint32_t>& ids, int status) {
        std::ostringstream text;
        text << "clear\n";
        for (std::uint32_t id : ids) text << "fail " << std::hex << id << std::dec << " " << status << " 100000\n";
        Write(text.str());
    }
    void Clear() { Write("clear\n"); }

    // The report the running process writes at its next driver call after the last
    // rewrite, waiting up to `wait` ms for it.
    Report LastReport(DWORD wait) const {
        const ULONGLONG end = ::GetTickCount64() + wait;
        do {
            std::ifstream file((m_path + L".report").c_str());
            std::string generationWord, answeredWord, callsWord, i2cWord;
            unsigned generation = 0;
            Report report;
            if (file >> generationWord >> generation >> answeredWord >> report.answered >> callsWord >> report.calls >>
                    i2cWord >> report.i2cTransfers &&
                generation == m_generation) {
                return report;
            }
            ::Sleep(50);
        } while (::GetTickCount64() < end);
        return {};
    }

private:
    void Write(const std::string& text) {
        const std::wstring next = m_path + L".new";
        std::ofstream(next.c_str(), std::ios::trunc) << text << "# " << ++m_generation << "\n";
        ::MoveFileExW(next.c_str(), m_path.c_str(), MOVEFILE_REPLACE_EXISTING);
    }

    std::wstring m_path;
    unsigned m_generation = 0;
};
