// Save benchmark: the configuration window with MASKS lines in its masks
// memo, saved into a new profile by a click on Save, then the same save done
// the plain Win32 way (the memo's text fetched once, then the same writes
// through WritePrivateProfileStringA), which is what the profile functions
// alone cost. Each file is new: its first write creates it.
//
//   bench_save.exe FOLDER MASKS [RUNS]
//
// Prints one line per run with each save's file, the wall-clock moment of
// its start (seconds since 1970) and its duration in ms. bench/save.sh takes
// the first write from the file's birth time on the host: Wine reports the
// last change as a file's creation time, and a thread that watches for the
// file is not woken reliably while the saving thread is busy.

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Form1.h"

namespace {

// The wall clock in seconds since 1970, as the host stamps its files.
double UnixNow() {
    FILETIME t{};
    GetSystemTimePreciseAsFileTime(&t);
    const long long ticks = (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    return (ticks - 116444736000000000LL) / 1e7;
}

std::vector<std::string> Split(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

// The save's series of writes, straight through the profile functions.
void PlainSave(HWND masksMemo, const std::string& path) {
    const int length = GetWindowTextLengthA(masksMemo);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    text.resize(static_cast<std::size_t>(GetWindowTextA(masksMemo, text.data(), length + 1)));
    const std::vector<std::string> masks = Split(text);
    const char* file = path.c_str();
    auto write = [file](const char* section, const std::string& key, const std::string& value) {
        WritePrivateProfileStringA(section, key.c_str(), value.c_str(), file);
    };
    write("Captions", "Title", "Glimsel");
    write("Captions", "Dialog", "Save Icon as ...");
    for (const char* key : {"Copy", "Icon", "Bitmap", "Background", "Homepage", "EMail", "Help", "About"})
        write("Menu", key, key);
    WritePrivateProfileStringA("Extensions", nullptr, nullptr, file);
    for (std::size_t n = 0; n < masks.size(); ++n) write("Extensions", "E" + std::to_string(n + 1), masks[n]);
    for (const char* key : {"EditMask", "ShowFileNames", "HelpFile", "Open", "Default", "Home", "Mail", "Color"})
        write("Options", key, "1");
    WritePrivateProfileStringA("Dialogs", nullptr, nullptr, file);
    for (int n = 1; n <= 6; ++n) write("Dialogs", "L" + std::to_string(n), "line");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: bench_save.exe FOLDER MASKS [RUNS]\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int masks = std::atoi(argv[2]);
    const int runs = argc > 3 ? std::atoi(argv[3]) : 1;

    forms::TApplication application;
    application.Initialize();
    application.SetTitle("Glimsel - Configuration");
    auto* form = application.CreateForm<glim::TForm1>();

    std::string text;
    for (int n = 1; n <= masks; ++n) text += "*.mask" + std::to_string(n) + ";*.m" + std::to_string(n) + "\r\n";
    form->Memo1->SetText(text);

    for (int run = 0; run < runs; ++run) {
        const std::string suffix = std::to_string(masks) + "-" + std::to_string(run) + ".ini";
        const std::string program = folder + "\\program" + suffix;
        const std::string plain = folder + "\\plain" + suffix;
        DeleteFileA(program.c_str());
        DeleteFileA(plain.c_str());
        form->CommandLineProfile = program;

        HWND save = form->SpeedButton3->Handle();
        const double clicked = UnixNow();
        SendMessageA(save, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(save, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        const double programTotal = (UnixNow() - clicked) * 1e3;

        const double started = UnixNow();
        PlainSave(form->Memo1->Handle(), plain);
        const double plainTotal = (UnixNow() - started) * 1e3;

        std::printf(
            "masks=%d program=%s program_start=%.6f program_total=%.1f plain=%s plain_start=%.6f "
            "plain_total=%.1f\n",
            masks, program.c_str(), clicked, programTotal, plain.c_str(), started, plainTotal);
        std::fflush(stdout);
    }
    return 0;
}
