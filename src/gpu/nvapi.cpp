#include "nvapi.h"

#include "platform/system_library.h"

#include <windows.h>

#include <unordered_map>

namespace {

using QueryInterfaceFunction = void*(__cdecl*)(unsigned int id);

const wchar_t* g_libraryName = L"nvapi64.dll";
HMODULE g_library = nullptr;
QueryInterfaceFunction g_query = nullptr;
int g_bindStatus = NvOk;
bool g_bound = false;
DriverLibraryLoader g_load = &::LoadLibraryExW;

std::unordered_map<std::uint32_t, void*>& Cache() {
    static std::unordered_map<std::uint32_t, void*> cache;
    return cache;
}

void Bind() {
    if (g_bound) return;
    g_bound = true;
    // Only the driver's installation in the system directory: never a DLL of the
    // same name planted beside this (elevated) program.
    g_library = LoadSystemLibrary(g_libraryName, reinterpret_cast<LibraryLoader>(g_load));
    if (!g_library) {
        g_bindStatus = NvLibraryNotFound;
        return;
    }
    g_query = reinterpret_cast<QueryInterfaceFunction>(
        reinterpret_cast<void*>(::GetProcAddress(g_library, "nvapi_QueryInterface")));
    g_bindStatus = g_query ? NvOk : NvError;
}

}  // namespace

void* nvapi::Query(std::uint32_t id, int* status) {
    Bind();
    if (!g_query) {
        *status = g_bindStatus;
        return nullptr;
    }
    auto& cache = Cache();
    auto it = cache.find(id);
    if (it != cache.end()) {
        *status = NvOk;
        return it->second;
    }
    void* function = g_query(id);
    if (!function) {
        *status = NvNoImplementation;
        return nullptr;
    }
    cache[id] = function;
    *status = NvOk;
    return function;
}

DriverLibraryLoader SetDriverLibraryLoaderForTesting(DriverLibraryLoader loader) {
    const DriverLibraryLoader previous = g_load;
    g_load = loader ? loader : &::LoadLibraryExW;
    return previous;
}

void RebindDriverLibraryForTesting(const wchar_t* libraryName) {
    if (g_library) ::FreeLibrary(g_library);
    g_library = nullptr;
    g_query = nullptr;
    g_bound = false;
    g_bindStatus = NvOk;
    g_libraryName = libraryName ? libraryName : L"nvapi64.dll";
    Cache().clear();
}
