// A DLL that nobody should load: planted beside the program under the name of
// a system DLL that is not one of Windows' known DLLs. Loaded, it leaves a
// mark beside itself, its own path with ".loaded" in place of its extension.

#include <string>

#include "forms/Win.h"

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
    if (reason != DLL_PROCESS_ATTACH) return TRUE;
    char path[MAX_PATH] = {};
    GetModuleFileNameA(self, path, MAX_PATH);
    std::string mark = path;
    mark = mark.substr(0, mark.find_last_of('.')) + ".loaded";
    HANDLE file = CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return TRUE;
}
