#include "pstates_info.h"

#include "gpu/driver_calls.h"

namespace {

constexpr std::uint32_t kCurrentValues = 0;  // inputFlags of the Ex read

}  // namespace

nvapi::VersionedResult ReadPstatesInfo(NvPhysicalGpuHandle gpu, PstatesInfoAnyVersion& info,
                                       const std::uint32_t* versions, int count) {
    info = {};
    const auto result = nvapi::CallVersioned(info, versions, count, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPstatesInfo>(gpu, block);
    });
    if (result.status != NvNoImplementation) return result;
    info = {};
    return nvapi::CallVersioned(info, versions, count, [gpu](auto* block) {
        return nvapi::Call<NvId_GetPstatesInfoEx>(gpu, block, kCurrentValues);
    });
}
