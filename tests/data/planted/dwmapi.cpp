// A library planted beside a program under the name of a system library
// (Wine has dwmapi.dll in its System directory): the marker export tells
// the planted copy from the system's.
#include <windows.h>

extern "C" __declspec(dllexport) int CorvanePlantedMarker() { return 0x5EED; }

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
