// A stand-in for the companion viewer in the end-to-end tests. Started, it
// leaves a mark beside itself, its own path with ".started" in place of its
// extension, that holds its process id and its command line; then it ends.

#include <string>

#include "forms/Win.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string mark = self;
    mark = mark.substr(0, mark.find_last_of('.')) + ".started";
    const std::string text = std::to_string(GetCurrentProcessId()) + "\n" + GetCommandLineA();
    HANDLE file = CreateFileA(mark.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}
