#include "config/FileOperations.h"

namespace config {

namespace {

constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

OVERLAPPED At(ULONGLONG offset) {
    OVERLAPPED at{};
    at.Offset = static_cast<DWORD>(offset);
    at.OffsetHigh = static_cast<DWORD>(offset >> 32);
    return at;
}

}  // namespace

TFileOperations& FileOperations() {
    static TFileOperations operations{
        .Create =
            [](const std::string& path) {
                return CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
            },
        .Open =
            [](const std::string& path, bool forWriting) {
                return CreateFileA(path.c_str(), GENERIC_READ | (forWriting ? GENERIC_WRITE : 0), kShareAll, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
            },
        // A read at an offset of a handle opened for plain (not overlapped)
        // use reports the end of the file as an error of its own.
        .Read =
            [](HANDLE file, ULONGLONG offset, char* buffer, DWORD size, DWORD& got) {
                OVERLAPPED at = At(offset);
                got = 0;
                return ReadFile(file, buffer, size, &got, &at) || GetLastError() == ERROR_HANDLE_EOF;
            },
        .Write =
            [](HANDLE file, ULONGLONG offset, const char* bytes, DWORD size, DWORD& wrote) {
                OVERLAPPED at = At(offset);
                wrote = 0;
                return WriteFile(file, bytes, size, &wrote, &at) != FALSE;
            },
        .CutToLength =
            [](HANDLE file, ULONGLONG length) {
                FILE_END_OF_FILE_INFO end{};
                end.EndOfFile.QuadPart = static_cast<LONGLONG>(length);
                return SetFileInformationByHandle(file, FileEndOfFileInfo, &end, sizeof end) != FALSE;
            },
        .Flush = [](HANDLE file) { return FlushFileBuffers(file) != FALSE; },
        .Delete = [](const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; },
        .TemporaryFolder =
            [] {
                char folder[MAX_PATH + 1];
                const DWORD length = GetTempPathA(sizeof folder, folder);
                return length == 0 || length >= sizeof folder ? std::string() : std::string(folder, length);
            },
        .WriteProfileString =
            [](const char* section, const char* key, const char* value, const std::string& path) {
                return WritePrivateProfileStringA(section, key, value, path.c_str()) != FALSE;
            },
    };
    return operations;
}

}  // namespace config
