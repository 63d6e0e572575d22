#include "board_list.h"

#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"

NvPhysicalGpuHandle BoardHandles[kMaxBoards] = {};
unsigned BoardCount = 0;
int SelectedBoard = 0;

namespace {

constexpr unsigned kHandlesPerEnumeration = 64;

template <std::uint32_t EnumerationId>
void AppendBoards() {
    NvPhysicalGpuHandle handles[kHandlesPerEnumeration] = {};
    std::uint32_t count = 0;
    const int status = nvapi::Call<EnumerationId>(&handles[0], &count);
    if (status != NvOk) return;
    count = ClampCount(count, kHandlesPerEnumeration);
    for (std::uint32_t i = 0; i < count && BoardCount < static_cast<unsigned>(kMaxBoards); ++i) {
        BoardHandles[BoardCount++] = handles[i];
    }
}

}  // namespace

int GpuInitialize() {
    BoardCount = 0;
    if (nvapi::Call<NvId_Initialize>() != NvOk) return 0;
    AppendBoards<NvId_EnumPhysicalGPUs>();
    AppendBoards<NvId_EnumTCCPhysicalGPUs>();
    return static_cast<int>(BoardCount);
}

NvPhysicalGpuHandle BoardHandle(int board) {
    if (board < 0 || static_cast<unsigned>(board) >= BoardCount) return nullptr;
    return BoardHandles[board];
}
