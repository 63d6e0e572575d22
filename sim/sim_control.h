// The simulated driver's control exports, for in-process tests. Resolve them with
// GetProcAddress on the loaded nvapi64.dll; see SimControl in the tests.
#pragma once

extern "C" {
using SimLoadScenarioFn = int(__cdecl*)(const char* nameOrPath);  // 1 when loaded
using SimSetStatePathFn = void(__cdecl*)(const wchar_t* path);
using SimInjectFaultFn = void(__cdecl*)(unsigned int id, int status, int count);  // next `count` calls
using SimCallCountFn = unsigned int(__cdecl*)(unsigned int id);                    // id 0: all calls
using SimResetCountersFn = void(__cdecl*)();
using SimCallLogFn = int(__cdecl*)(unsigned int index, unsigned int* id, unsigned int* version);  // entries
using SimI2cLogFn = int(__cdecl*)(char* buffer, int size);  // transfers since the last reset, one per line
using SimStateValueFn = int(__cdecl*)(const char* key, long long* value);  // 1 when the key exists
}
