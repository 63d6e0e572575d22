#include "prompt.h"

namespace {
MessageBoxFunction g_messageBox = &::MessageBoxW;
}

int ShowMessageBox(HWND owner, const wchar_t* text, const wchar_t* caption, UINT type) {
    return g_messageBox(owner, text, caption, type);
}

MessageBoxFunction SetMessageBoxFunction(MessageBoxFunction function) {
    MessageBoxFunction previous = g_messageBox;
    g_messageBox = function ? function : &::MessageBoxW;
    return previous;
}
