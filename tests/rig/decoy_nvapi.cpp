// A decoy nvapi64.dll placed beside the test programs: a program that loaded it
// instead of the driver's installation would find no function at all.
extern "C" __declspec(dllexport) void* __cdecl nvapi_QueryInterface(unsigned int) { return nullptr; }
