// CMorvikApp: Zorvane's application object and start-up routine.
#pragma once

#include "framework/winapp.h"

// True when the command line holds "/A" (started at logon: start hidden).
extern bool AutostartFlag;

class CMorvikApp : public CWinApp {
public:
    CMorvikApp();
    ~CMorvikApp() override;

    // Evaluates the command line, keeps a single instance and runs the main window
    // modally. Always false: the process ends when this returns.
    BOOL InitInstance() override;
};
