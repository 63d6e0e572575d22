// Zorvane.exe: the one application object and the program entry.
#include "app/morvik_app.h"
#include "platform/system_library.h"

CMorvikApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    RestrictDllSearchToSystem();
    return AfxWinMain(instance, commandLine, showCommand);
}
