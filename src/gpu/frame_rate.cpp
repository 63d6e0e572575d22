#include "frame_rate.h"

#include "gpu/driver_calls.h"
#include "gpu/driver_structs.h"

namespace {

// A driver-settings session on the base profile, destroyed with the object.
class DrsSession {
public:
    DrsSession() {
        m_status = nvapi::Call<NvId_DrsCreateSession>(&m_session);
        if (m_status != NvOk) {
            m_session = nullptr;
            return;
        }
        m_status = nvapi::Call<NvId_DrsLoadSettings>(m_session);
        if (m_status == NvOk) m_status = nvapi::Call<NvId_DrsGetBaseProfile>(m_session, &m_profile);
    }
    ~DrsSession() {
        if (m_session) Destroy();
    }
    DrsSession(const DrsSession&) = delete;
    DrsSession& operator=(const DrsSession&) = delete;

    int status() const { return m_status; }
    NvDrsSessionHandle session() const { return m_session; }
    NvDrsProfileHandle profile() const { return m_profile; }

    int Destroy() {
        const int status = nvapi::Call<NvId_DrsDestroySession>(m_session);
        m_session = nullptr;
        return status;
    }

private:
    NvDrsSessionHandle m_session = nullptr;
    NvDrsProfileHandle m_profile = nullptr;
    int m_status = NvOk;
};

}  // namespace

int GpuSetFrameRateTarget(int fps) {
    DrsSession drs;
    if (drs.status() != NvOk) return drs.status();

    int status;
    if (fps == 0) {
        status = nvapi::Call<NvId_DrsDeleteProfileSetting>(drs.session(), drs.profile(), kFrameRateLimiterSetting);
        if (status == NvSettingNotFound) status = NvOk;  // nothing to remove is no failure
    } else {
        DrsSetting setting{};
        setting.version = kDrsSettingV1;
        setting.settingId = kFrameRateLimiterSetting;
        setting.type = 0;
        setting.current.u32 = static_cast<unsigned>(fps);
        status = nvapi::Call<NvId_DrsSetSetting>(drs.session(), drs.profile(), &setting);
    }
    // A refused change is not saved and is reported, not hidden behind the session's end.
    if (status == NvOk) status = nvapi::Call<NvId_DrsSaveSettings>(drs.session());
    const int destroyed = drs.Destroy();
    return status != NvOk ? status : destroyed;
}

int GpuGetFrameRateTarget() {
    DrsSession drs;
    if (drs.status() != NvOk) return 0;
    DrsSetting setting{};
    setting.version = kDrsSettingV1;
    const int status =
        nvapi::Call<NvId_DrsGetSetting>(drs.session(), drs.profile(), kFrameRateLimiterSetting, &setting);
    return status == NvOk ? static_cast<int>(setting.current.u32) : 0;
}
