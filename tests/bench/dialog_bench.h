// Benchmarks of the real dialogs: the driver's yardstick, and the staged skin the
// dialogs are built from.
#pragma once

#include "../e2e/process.h"
#include "driver_bench.h"
#include "skin/skin_paths.h"

template <class Sim>
bool StartDialogBench(Sim& sim, double& bare) {
    if (!StartDriverBench(sim, bare)) return false;
    BuildSkinPaths((StageDirectory() + L"\\Zorvane.exe").c_str(), g_skinPaths);
    ReadDialogBackgrounds(g_skinPaths);
    return true;
}
