// The overclock scanner, a companion program outside Zorvane: known only by its file
// name in the program's directory, its board argument and its process name.
#pragma once

#include <string>

constexpr const wchar_t* kScannerExecutable = L"Fenrask.exe";

// A process of that name runs (compared without case).
bool ScannerRunning();

// The program's directory with its trailing backslash.
std::wstring ProgramDirectory();

// Opens "<directory>Fenrask.exe" with "/G<board>" through the shell, working in that
// directory, then waits until its process shows (at most 15 looks, 200 ms apart).
// A missing executable fails silently and is waited for all the same.
void StartScanner(const std::wstring& directory, int board);
