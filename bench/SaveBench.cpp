// Save benchmark: the configuration window with MASKS lines in its masks
// memo, saved into a new profile by a click on Save. Measures the time from
// the click to the first write (the moment the file appears) and to the end
// of the save; then the same save done the plain Win32 way (the memo's text
// fetched once, then the same writes through WritePrivateProfileStringA),
// which is what the profile functions alone cost.
//
//   bench_save.exe FOLDER MASKS [RUNS]
//
// Prints one line per run: masks=N program_first=MS program_total=MS
// plain_first=MS plain_total=MS

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/Form1.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

// Notes when a file first exists, from another thread, so the save itself
// is not disturbed beyond a poll every millisecond.
class FirstWrite {
public:
    explicit FirstWrite(std::string path) : path_(std::move(path)) {
        watcher_ = std::thread([this] {
            while (!stop_) {
                if (GetFileAttributesA(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
                    at_ = Clock::now();
                    seen_ = true;
                    return;
                }
                Sleep(1);
            }
        });
    }
    ~FirstWrite() { Stop(); }
    void Stop() {
        stop_ = true;
        if (watcher_.joinable()) watcher_.join();
    }
    // Since start, or -1 when the file never appeared.
    double Since(Clock::time_point start) {
        Stop();
        return seen_ ? Ms(at_ - start) : -1;
    }

private:
    std::string path_;
    std::thread watcher_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    Clock::time_point at_{};
};

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
        const std::string program = folder + "\\program" + std::to_string(run) + ".ini";
        const std::string plain = folder + "\\plain" + std::to_string(run) + ".ini";
        DeleteFileA(program.c_str());
        DeleteFileA(plain.c_str());
        form->CommandLineProfile = program;

        HWND save = form->SpeedButton3->Handle();
        FirstWrite programWrite(program);
        const auto clicked = Clock::now();
        SendMessageA(save, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        SendMessageA(save, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        const double programTotal = Ms(Clock::now() - clicked);
        const double programFirst = programWrite.Since(clicked);

        FirstWrite plainWrite(plain);
        const auto started = Clock::now();
        PlainSave(form->Memo1->Handle(), plain);
        const double plainTotal = Ms(Clock::now() - started);
        const double plainFirst = plainWrite.Since(started);

        std::printf("masks=%d program_first=%.1f program_total=%.1f plain_first=%.1f plain_total=%.1f\n", masks,
                    programFirst, programTotal, plainFirst, plainTotal);
        std::fflush(stdout);
    }
    return 0;
}
