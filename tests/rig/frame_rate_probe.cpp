// A separate process that sets or reads the frame rate target through the GPU layer:
//   frame_rate_probe set FPS   exit code 0 on success
//   frame_rate_probe get       exit code = the target
#include "gpu/board_list.h"
#include "gpu/frame_rate.h"

#include <cstdlib>
#include <cstring>

int main(int argc, char** argv) {
    GpuInitialize();
    if (argc == 3 && std::strcmp(argv[1], "set") == 0) return GpuSetFrameRateTarget(std::atoi(argv[2])) == 0 ? 0 : 1;
    if (argc == 2 && std::strcmp(argv[1], "get") == 0) return GpuGetFrameRateTarget();
    return 255;
}
