#include "logon_task.h"

#include <objbase.h>
#include <oleauto.h>
#include <taskschd.h>

namespace {

constexpr const wchar_t* kTaskName = L"Zorvane";
// Task priorities 4 to 6 run at normal process and I/O priority; the scheduler's
// default, 7, runs below normal with low I/O priority.
constexpr int kNormalTaskPriority = 4;

HRESULT CreateSystemTaskService(ITaskService** service) {
    return ::CoCreateInstance(CLSID_TaskScheduler, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskService,
                              reinterpret_cast<void**>(service));
}

TaskServiceFactory g_taskServiceFactory = &CreateSystemTaskService;

// Owns one interface reference.
template <class T>
class ComRef {
public:
    ComRef() = default;
    ~ComRef() {
        if (m_p) m_p->Release();
    }
    ComRef(const ComRef&) = delete;
    ComRef& operator=(const ComRef&) = delete;
    T** operator&() { return &m_p; }
    T* operator->() const { return m_p; }
    T* get() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

private:
    T* m_p = nullptr;
};

// Owns one BSTR.
class Bstr {
public:
    explicit Bstr(const wchar_t* text) : m_s(::SysAllocString(text ? text : L"")) {}
    ~Bstr() { ::SysFreeString(m_s); }
    Bstr(const Bstr&) = delete;
    Bstr& operator=(const Bstr&) = delete;
    operator BSTR() const { return m_s; }

private:
    BSTR m_s;
};

// Owns one VARIANT: empty, or holding a text.
class Variant {
public:
    Variant() { ::VariantInit(&m_v); }
    explicit Variant(const wchar_t* text) : Variant() {
        m_v.vt = VT_BSTR;
        m_v.bstrVal = ::SysAllocString(text);
    }
    ~Variant() { ::VariantClear(&m_v); }
    Variant(const Variant&) = delete;
    Variant& operator=(const Variant&) = delete;
    operator VARIANT() const { return m_v; }

private:
    VARIANT m_v;
};

bool SetPrincipal(ITaskDefinition* definition) {
    ComRef<IPrincipal> principal;
    return SUCCEEDED(definition->get_Principal(&principal)) && principal &&
           SUCCEEDED(principal->put_LogonType(TASK_LOGON_INTERACTIVE_TOKEN)) &&
           SUCCEEDED(principal->put_RunLevel(TASK_RUNLEVEL_HIGHEST));
}

bool SetSettings(ITaskDefinition* definition) {
    ComRef<ITaskSettings> settings;
    if (FAILED(definition->get_Settings(&settings)) || !settings) return false;
    if (FAILED(settings->put_DisallowStartIfOnBatteries(VARIANT_FALSE)) ||
        FAILED(settings->put_StopIfGoingOnBatteries(VARIANT_FALSE)) ||
        FAILED(settings->put_StartWhenAvailable(VARIANT_TRUE))) {
        return false;
    }
    Bstr noLimit(L"PT0S");
    if (FAILED(settings->put_ExecutionTimeLimit(noLimit)) || FAILED(settings->put_Priority(kNormalTaskPriority))) {
        return false;
    }
    ComRef<IIdleSettings> idle;
    return SUCCEEDED(settings->get_IdleSettings(&idle)) && idle &&
           SUCCEEDED(idle->put_StopOnIdleEnd(VARIANT_FALSE));
}

bool AddLogonTrigger(ITaskDefinition* definition) {
    ComRef<ITriggerCollection> triggers;
    ComRef<ITrigger> trigger;
    return SUCCEEDED(definition->get_Triggers(&triggers)) && triggers &&
           SUCCEEDED(triggers->Create(TASK_TRIGGER_LOGON, &trigger));
}

bool AddExecAction(ITaskDefinition* definition, const wchar_t* executablePath, const wchar_t* arguments) {
    ComRef<IActionCollection> actions;
    ComRef<IAction> action;
    ComRef<IExecAction> exec;
    if (FAILED(definition->get_Actions(&actions)) || !actions ||
        FAILED(actions->Create(TASK_ACTION_EXEC, &action)) || !action ||
        FAILED(action->QueryInterface(IID_IExecAction, reinterpret_cast<void**>(&exec))) || !exec) {
        return false;
    }
    Bstr path(executablePath);
    Bstr args(arguments);
    return SUCCEEDED(exec->put_Path(path)) && SUCCEEDED(exec->put_Arguments(args));
}

// Steps from creating the service to registering; COM is initialised by the caller.
int RegisterWithService(const wchar_t* executablePath, const wchar_t* arguments, bool deleteTask) {
    ComRef<ITaskService> service;
    if (FAILED(g_taskServiceFactory(&service)) || !service) return 1;
    {
        Variant none;
        if (FAILED(service->Connect(none, none, none, none))) return 1;
    }

    ComRef<ITaskFolder> root;
    {
        Bstr rootPath(L"\\");
        if (FAILED(service->GetFolder(rootPath, &root)) || !root) return 1;
    }

    Bstr taskName(kTaskName);
    root->DeleteTask(taskName, 0);  // the task may not exist
    if (deleteTask) return 0;

    ComRef<ITaskDefinition> definition;
    if (FAILED(service->NewTask(0, &definition)) || !definition) return 1;
    if (!SetPrincipal(definition.get()) || !SetSettings(definition.get()) ||
        !AddLogonTrigger(definition.get()) ||
        !AddExecAction(definition.get(), executablePath, arguments)) {
        return 1;
    }

    // An interactive-token task of the registering user: user and password both empty.
    Variant userId;
    Variant password;
    Variant securityDescriptor(L"");
    ComRef<IRegisteredTask> registered;
    HRESULT hr = root->RegisterTaskDefinition(taskName, definition.get(), TASK_CREATE_OR_UPDATE, userId,
                                              password, TASK_LOGON_INTERACTIVE_TOKEN, securityDescriptor,
                                              &registered);
    return SUCCEEDED(hr) ? 0 : 1;
}

}  // namespace

TaskServiceFactory SetTaskServiceFactory(TaskServiceFactory factory) {
    TaskServiceFactory previous = g_taskServiceFactory;
    g_taskServiceFactory = factory ? factory : &CreateSystemTaskService;
    return previous;
}

int RegisterLogonTask(const wchar_t* executablePath, const wchar_t* arguments, bool deleteTask) {
    if (FAILED(::CoInitializeEx(nullptr, COINIT_MULTITHREADED))) return 1;
    HRESULT security = ::CoInitializeSecurity(nullptr, -1, nullptr, nullptr, RPC_C_AUTHN_LEVEL_PKT_PRIVACY,
                                              RPC_C_IMP_LEVEL_IMPERSONATE, nullptr, 0, nullptr);
    if (FAILED(security) && security != RPC_E_TOO_LATE) {
        ::CoUninitialize();
        return 1;
    }
    int result = RegisterWithService(executablePath, arguments, deleteTask);
    ::CoUninitialize();
    return result;
}
