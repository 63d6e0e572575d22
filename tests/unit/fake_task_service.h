/* Recording fake of the Task Scheduler service, for the logon task tests. */
#pragma once

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

struct ITaskService;

/* Factory to install with SetTaskServiceFactory. */
HRESULT FakeTaskServiceCreate(struct ITaskService** service);

/* Clears the log; the call whose record starts with `failingCall` (e.g.
   "Principal.put_RunLevel") will fail with E_FAIL. NULL fails nothing. */
void FakeTaskServiceReset(const wchar_t* failingCall);

/* Every call made so far, one line each. */
const wchar_t* FakeTaskServiceLog(void);

/* Fake objects not yet released. */
long FakeTaskServiceLiveObjects(void);

#ifdef __cplusplus
}
#endif
