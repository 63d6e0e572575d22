// Zorvane.exe: the one application object and the program entry.
#include "app/morvik_app.h"

CMorvikApp theApp;

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR commandLine, int showCommand) {
    return AfxWinMain(instance, commandLine, showCommand);
}
