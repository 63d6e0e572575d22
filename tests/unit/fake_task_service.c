/* A recording fake of the Task Scheduler 2.0 objects that the logon task uses.
 *
 * Written in C so that only the methods the program calls need a body: every
 * other vtable slot holds a stub that records "unexpected" and fails. (The stub
 * ignores its arguments, which the x86-64 calling convention allows; these
 * tests run only in the 64-bit build.) */
#include "fake_task_service.h"

#include <stdarg.h>
#include <stdio.h>
#include <string.h>
#include <taskschd.h>
#include <wchar.h>

typedef struct Fake {
    void* lpVtbl;
    LONG refs;
    const wchar_t* name;
} Fake;

static wchar_t g_log[8192];
static wchar_t g_failCall[128];
static LONG g_live;

static HRESULT Record(const wchar_t* format, ...) {
    wchar_t line[512];
    va_list args;
    va_start(args, format);
    _vsnwprintf(line, 511, format, args);
    va_end(args);
    line[511] = L'\0';
    size_t used = wcslen(g_log);
    _snwprintf(g_log + used, 8191 - used, L"%ls\n", line);
    g_log[8191] = L'\0';
    size_t n = wcslen(g_failCall);
    if (n && wcsncmp(line, g_failCall, n) == 0 && (line[n] == L' ' || line[n] == L'\0')) {
        return E_FAIL;
    }
    return S_OK;
}

#define SET(vtbl, member, fn) ((vtbl).member = (__typeof__((vtbl).member))(void (*)(void))(fn))

static HRESULT STDMETHODCALLTYPE Unexpected(Fake* self) {
    Record(L"%ls: unexpected call", self->name);
    return E_NOTIMPL;
}

static void FillUnexpected(void* vtbl, size_t size) {
    void (**slot)(void) = (void (**)(void))vtbl;
    for (size_t i = 0; i < size / sizeof(*slot); ++i) slot[i] = (void (*)(void))Unexpected;
}

static ULONG STDMETHODCALLTYPE AddRef(Fake* self) { return (ULONG)InterlockedIncrement(&self->refs); }

static ULONG STDMETHODCALLTYPE Release(Fake* self) {
    LONG refs = InterlockedDecrement(&self->refs);
    if (refs == 0) {
        InterlockedDecrement(&g_live);
        CoTaskMemFree(self);
    }
    return (ULONG)refs;
}

static HRESULT STDMETHODCALLTYPE QueryInterface(Fake* self, REFIID iid, void** out) {
    /* Every fake answers for its own interface and its bases; the action also as IExecAction. */
    if (IsEqualIID(iid, &IID_IExecAction)) {
        HRESULT hr = Record(L"%ls.QueryInterface IExecAction", self->name);
        if (FAILED(hr)) {
            *out = NULL;
            return E_NOINTERFACE;
        }
    }
    *out = self;
    AddRef(self);
    return S_OK;
}

static Fake* NewFake(void* vtbl, const wchar_t* name) {
    Fake* fake = (Fake*)CoTaskMemAlloc(sizeof(Fake));
    fake->lpVtbl = vtbl;
    fake->refs = 1;
    fake->name = name;
    InterlockedIncrement(&g_live);
    return fake;
}

#define UNKNOWN_SLOTS(vtbl)                     \
    SET(vtbl, QueryInterface, QueryInterface);  \
    SET(vtbl, AddRef, AddRef);                  \
    SET(vtbl, Release, Release)

static const wchar_t* VariantText(VARIANT v, wchar_t* buffer, size_t size) {
    if (v.vt == VT_BSTR) {
        _snwprintf(buffer, size - 1, L"'%ls'", v.bstrVal ? v.bstrVal : L"(null)");
    } else {
        _snwprintf(buffer, size - 1, L"vt%d", (int)v.vt);
    }
    buffer[size - 1] = L'\0';
    return buffer;
}

/* Objects handed out by a getter or a factory: created, or NULL when the call fails. */
static HRESULT Hand(HRESULT hr, void** out, void* vtbl, const wchar_t* name) {
    *out = SUCCEEDED(hr) ? NewFake(vtbl, name) : NULL;
    return hr;
}

static ITaskServiceVtbl s_service;
static ITaskFolderVtbl s_folder;
static ITaskDefinitionVtbl s_definition;
static IPrincipalVtbl s_principal;
static ITaskSettingsVtbl s_settings;
static IIdleSettingsVtbl s_idle;
static ITriggerCollectionVtbl s_triggers;
static ITriggerVtbl s_trigger;
static IActionCollectionVtbl s_actions;
static IExecActionVtbl s_action;
static IRegisteredTaskVtbl s_registered;

static HRESULT STDMETHODCALLTYPE Service_Connect(Fake* self, VARIANT server, VARIANT user, VARIANT domain,
                                                 VARIANT password) {
    wchar_t a[64], b[64], c[64], d[64];
    return Record(L"%ls.Connect %ls %ls %ls %ls", self->name, VariantText(server, a, 64),
                  VariantText(user, b, 64), VariantText(domain, c, 64), VariantText(password, d, 64));
}

static HRESULT STDMETHODCALLTYPE Service_GetFolder(Fake* self, BSTR path, ITaskFolder** folder) {
    return Hand(Record(L"%ls.GetFolder '%ls'", self->name, path), (void**)folder, &s_folder, L"Folder");
}

static HRESULT STDMETHODCALLTYPE Service_NewTask(Fake* self, DWORD flags, ITaskDefinition** definition) {
    return Hand(Record(L"%ls.NewTask %lu", self->name, flags), (void**)definition, &s_definition,
                L"Definition");
}

static HRESULT STDMETHODCALLTYPE Folder_DeleteTask(Fake* self, BSTR name, LONG flags) {
    return Record(L"%ls.DeleteTask '%ls' %ld", self->name, name, flags);
}

static HRESULT STDMETHODCALLTYPE Folder_RegisterTaskDefinition(Fake* self, BSTR path, ITaskDefinition* definition,
                                                               LONG flags, VARIANT user, VARIANT password,
                                                               TASK_LOGON_TYPE logon, VARIANT sddl,
                                                               IRegisteredTask** task) {
    wchar_t a[64], b[64], c[64];
    HRESULT hr = Record(L"%ls.RegisterTaskDefinition '%ls' %ls %ld %ls %ls %d %ls", self->name, path,
                        definition ? ((Fake*)definition)->name : L"(null)", flags, VariantText(user, a, 64),
                        VariantText(password, b, 64), (int)logon, VariantText(sddl, c, 64));
    return Hand(hr, (void**)task, &s_registered, L"Registered");
}

static HRESULT STDMETHODCALLTYPE Definition_get_Principal(Fake* self, IPrincipal** out) {
    return Hand(Record(L"%ls.get_Principal", self->name), (void**)out, &s_principal, L"Principal");
}

static HRESULT STDMETHODCALLTYPE Definition_get_Settings(Fake* self, ITaskSettings** out) {
    return Hand(Record(L"%ls.get_Settings", self->name), (void**)out, &s_settings, L"Settings");
}

static HRESULT STDMETHODCALLTYPE Definition_get_Triggers(Fake* self, ITriggerCollection** out) {
    return Hand(Record(L"%ls.get_Triggers", self->name), (void**)out, &s_triggers, L"Triggers");
}

static HRESULT STDMETHODCALLTYPE Definition_get_Actions(Fake* self, IActionCollection** out) {
    return Hand(Record(L"%ls.get_Actions", self->name), (void**)out, &s_actions, L"Actions");
}

static HRESULT STDMETHODCALLTYPE Principal_put_LogonType(Fake* self, TASK_LOGON_TYPE type) {
    return Record(L"%ls.put_LogonType %d", self->name, (int)type);
}

static HRESULT STDMETHODCALLTYPE Principal_put_RunLevel(Fake* self, TASK_RUNLEVEL_TYPE level) {
    return Record(L"%ls.put_RunLevel %d", self->name, (int)level);
}

static HRESULT STDMETHODCALLTYPE Settings_put_DisallowStartIfOnBatteries(Fake* self, VARIANT_BOOL value) {
    return Record(L"%ls.put_DisallowStartIfOnBatteries %d", self->name, (int)value);
}

static HRESULT STDMETHODCALLTYPE Settings_put_StopIfGoingOnBatteries(Fake* self, VARIANT_BOOL value) {
    return Record(L"%ls.put_StopIfGoingOnBatteries %d", self->name, (int)value);
}

static HRESULT STDMETHODCALLTYPE Settings_put_StartWhenAvailable(Fake* self, VARIANT_BOOL value) {
    return Record(L"%ls.put_StartWhenAvailable %d", self->name, (int)value);
}

static HRESULT STDMETHODCALLTYPE Settings_put_ExecutionTimeLimit(Fake* self, BSTR limit) {
    return Record(L"%ls.put_ExecutionTimeLimit '%ls'", self->name, limit);
}

static HRESULT STDMETHODCALLTYPE Settings_put_Priority(Fake* self, INT priority) {
    return Record(L"%ls.put_Priority %d", self->name, (int)priority);
}

static HRESULT STDMETHODCALLTYPE Settings_get_IdleSettings(Fake* self, IIdleSettings** out) {
    return Hand(Record(L"%ls.get_IdleSettings", self->name), (void**)out, &s_idle, L"Idle");
}

static HRESULT STDMETHODCALLTYPE Idle_put_StopOnIdleEnd(Fake* self, VARIANT_BOOL value) {
    return Record(L"%ls.put_StopOnIdleEnd %d", self->name, (int)value);
}

static HRESULT STDMETHODCALLTYPE Triggers_Create(Fake* self, TASK_TRIGGER_TYPE2 type, ITrigger** out) {
    return Hand(Record(L"%ls.Create %d", self->name, (int)type), (void**)out, &s_trigger, L"Trigger");
}

static HRESULT STDMETHODCALLTYPE Actions_Create(Fake* self, TASK_ACTION_TYPE type, IAction** out) {
    return Hand(Record(L"%ls.Create %d", self->name, (int)type), (void**)out, &s_action, L"Action");
}

static HRESULT STDMETHODCALLTYPE Action_put_Path(Fake* self, BSTR path) {
    return Record(L"%ls.put_Path '%ls'", self->name, path);
}

static HRESULT STDMETHODCALLTYPE Action_put_Arguments(Fake* self, BSTR arguments) {
    return Record(L"%ls.put_Arguments '%ls'", self->name, arguments);
}

static void BuildVtables(void) {
    static int built;
    if (built) return;
    built = 1;

    FillUnexpected(&s_service, sizeof s_service);
    UNKNOWN_SLOTS(s_service);
    SET(s_service, Connect, Service_Connect);
    SET(s_service, GetFolder, Service_GetFolder);
    SET(s_service, NewTask, Service_NewTask);

    FillUnexpected(&s_folder, sizeof s_folder);
    UNKNOWN_SLOTS(s_folder);
    SET(s_folder, DeleteTask, Folder_DeleteTask);
    SET(s_folder, RegisterTaskDefinition, Folder_RegisterTaskDefinition);

    FillUnexpected(&s_definition, sizeof s_definition);
    UNKNOWN_SLOTS(s_definition);
    SET(s_definition, get_Principal, Definition_get_Principal);
    SET(s_definition, get_Settings, Definition_get_Settings);
    SET(s_definition, get_Triggers, Definition_get_Triggers);
    SET(s_definition, get_Actions, Definition_get_Actions);

    FillUnexpected(&s_principal, sizeof s_principal);
    UNKNOWN_SLOTS(s_principal);
    SET(s_principal, put_LogonType, Principal_put_LogonType);
    SET(s_principal, put_RunLevel, Principal_put_RunLevel);

    FillUnexpected(&s_settings, sizeof s_settings);
    UNKNOWN_SLOTS(s_settings);
    SET(s_settings, put_DisallowStartIfOnBatteries, Settings_put_DisallowStartIfOnBatteries);
    SET(s_settings, put_StopIfGoingOnBatteries, Settings_put_StopIfGoingOnBatteries);
    SET(s_settings, put_StartWhenAvailable, Settings_put_StartWhenAvailable);
    SET(s_settings, put_ExecutionTimeLimit, Settings_put_ExecutionTimeLimit);
    SET(s_settings, put_Priority, Settings_put_Priority);
    SET(s_settings, get_IdleSettings, Settings_get_IdleSettings);

    FillUnexpected(&s_idle, sizeof s_idle);
    UNKNOWN_SLOTS(s_idle);
    SET(s_idle, put_StopOnIdleEnd, Idle_put_StopOnIdleEnd);

    FillUnexpected(&s_triggers, sizeof s_triggers);
    UNKNOWN_SLOTS(s_triggers);
    SET(s_triggers, Create, Triggers_Create);

    FillUnexpected(&s_trigger, sizeof s_trigger);
    UNKNOWN_SLOTS(s_trigger);

    FillUnexpected(&s_actions, sizeof s_actions);
    UNKNOWN_SLOTS(s_actions);
    SET(s_actions, Create, Actions_Create);

    FillUnexpected(&s_action, sizeof s_action);
    UNKNOWN_SLOTS(s_action);
    SET(s_action, put_Path, Action_put_Path);
    SET(s_action, put_Arguments, Action_put_Arguments);

    FillUnexpected(&s_registered, sizeof s_registered);
    UNKNOWN_SLOTS(s_registered);
}

HRESULT FakeTaskServiceCreate(ITaskService** service) {
    BuildVtables();
    return Hand(Record(L"CreateService"), (void**)service, &s_service, L"Service");
}

void FakeTaskServiceReset(const wchar_t* failingCall) {
    g_log[0] = L'\0';
    g_failCall[0] = L'\0';
    if (failingCall) {
        wcsncpy(g_failCall, failingCall, 127);
        g_failCall[127] = L'\0';
    }
}

const wchar_t* FakeTaskServiceLog(void) { return g_log; }

long FakeTaskServiceLiveObjects(void) { return g_live; }
