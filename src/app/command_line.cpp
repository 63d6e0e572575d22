#include "command_line.h"

#include <windows.h>

#include "framework/text.h"

#include <cwchar>

CommandLineSwitches ParseCommandLine(const wchar_t* arguments) {
    CommandLineSwitches result;
    if (!arguments || !*arguments) return result;

    wchar_t text[MAX_PATH] = {};
    std::wcsncpy(text, arguments, MAX_PATH - 1);
    for (wchar_t& c : text) {
        if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - L'a' + L'A');
    }

    result.autostart = std::wcsstr(text, L"/A") != nullptr;

    // Longest switches first, so "/G20" is not taken for "/G2".
    for (int n = 20; n >= 2; --n) {
        wchar_t board[8];
        FormatText(board, L"/G%d", n);
        if (std::wcsstr(text, board)) {
            result.selectedBoard = n - 1;
            break;
        }
    }

    if (std::wcsstr(text, L"/INSTALL")) {
        result.command = StartupCommand::Install;
    } else if (std::wcsstr(text, L"/UNINSTALL")) {
        result.command = StartupCommand::Uninstall;
    }
    return result;
}
