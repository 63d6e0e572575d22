// Figures of another process for the benchmarks of the real programs. Wine reports
// neither another process's times and memory nor GDI counts, so they come from the
// Linux process behind it (/proc) and from the process's own GDI handle table.
#pragma once

#include <windows.h>
#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

inline std::string ReadText(const std::string& path) {
    std::string text;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, file)) > 0;) text.append(buffer, n);
        std::fclose(file);
    }
    return text;
}

// The /proc directory of the Linux process running `executable`, or empty.
inline std::string LinuxProcess(const char* executable) {
    WIN32_FIND_DATAA entry;
    HANDLE find = ::FindFirstFileA("Z:\\proc\\*", &entry);
    if (find == INVALID_HANDLE_VALUE) return {};
    std::string found;
    do {
        if (entry.cFileName[0] < '0' || entry.cFileName[0] > '9') continue;
        const std::string directory = std::string("Z:\\proc\\") + entry.cFileName + "\\";
        std::string commandLine = ReadText(directory + "cmdline");
        if (commandLine.find(executable) != std::string::npos) found = directory;
    } while (found.empty() && ::FindNextFileA(find, &entry));
    ::FindClose(find);
    return found;
}

// User and system time of the process, from its stat line (clock ticks of 1/100 s).
inline double CpuSeconds(const std::string& process) {
    const std::string stat = ReadText(process + "stat");
    const std::size_t end = stat.rfind(')');
    if (end == std::string::npos) return 0;
    unsigned long long user = 0, system = 0;
    // After the command: state and fields 4 to 13, then user and system time.
    std::sscanf(stat.c_str() + end + 2, "%*c %*d %*d %*d %*d %*d %*u %*u %*u %*u %*u %llu %llu", &user, &system);
    return static_cast<double>(user + system) / 100.0;
}

// Resident memory the process owns alone (anonymous pages), in bytes.
inline double PrivateBytes(const std::string& process) {
    const std::string status = ReadText(process + "status");
    const std::size_t at = status.find("RssAnon:");
    return at == std::string::npos ? 0 : 1024.0 * std::strtod(status.c_str() + at + 8, nullptr);
}

inline int CountWindows(HWND parent, DWORD processId) {
    struct Count {
        DWORD processId;
        int windows;
    } count{processId, 0};
    auto each = [](HWND window, LPARAM lParam) -> BOOL {
        auto* c = reinterpret_cast<Count*>(lParam);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == c->processId) ++c->windows;
        return TRUE;
    };
    if (parent) {
        ::EnumChildWindows(parent, each, reinterpret_cast<LPARAM>(&count));
    } else {
        ::EnumWindows(each, reinterpret_cast<LPARAM>(&count));
    }
    return count.windows;
}

// GDI objects of the process: the system's count, or where it gives none (Wine), the
// entries in use in the process's GDI handle table (PEB field at 0xF8 on x64, 65536
// entries of 24 bytes, the type byte at 14 nonzero when in use). 0 when unreadable.
inline DWORD GdiObjects(HANDLE process) {
    if (const DWORD counted = ::GetGuiResources(process, GR_GDIOBJECTS)) return counted;
    PROCESS_BASIC_INFORMATION basic{};
    ULONG length = 0;
    if (::NtQueryInformationProcess(process, ProcessBasicInformation, &basic, sizeof basic, &length) != 0) return 0;
    void* table = nullptr;
    SIZE_T read = 0;
    if (!::ReadProcessMemory(process, static_cast<char*>(static_cast<void*>(basic.PebBaseAddress)) + 0xF8, &table,
                             sizeof table, &read) ||
        !table) {
        return 0;
    }
    struct Entry {
        unsigned long long object;
        unsigned owner;
        unsigned short unique;
        unsigned char type, extendedType;
        unsigned long long user;
    };
    static_assert(sizeof(Entry) == 24);
    static Entry entries[0x10000];
    if (!::ReadProcessMemory(process, table, entries, sizeof entries, &read)) return 0;
    DWORD used = 0;
    for (const Entry& entry : entries) used += entry.type != 0;
    return used;
}
