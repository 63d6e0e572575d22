// The scheduled task that starts Zorvane elevated when the user logs on.
#pragma once

#include <windows.h>

struct ITaskService;

// Replaces the task "Zorvane" in the root folder of the Task Scheduler with a logon
// task running `executablePath` with `arguments`, or only deletes it when
// `deleteTask` is set. Returns 0 on success, 1 on any failure.
int RegisterLogonTask(const wchar_t* executablePath, const wchar_t* arguments, bool deleteTask);

// Creates the Task Scheduler service object; replaceable so tests can record the calls.
using TaskServiceFactory = HRESULT (*)(ITaskService** service);
// Installs a factory; returns the previous one. Null restores the system's service.
TaskServiceFactory SetTaskServiceFactory(TaskServiceFactory factory);
