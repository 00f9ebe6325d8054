// Profile read benchmark: reads every key of a profile through TIniFile, pass
// after pass, and prints the time of the first pass and the median of all
// passes. The same program runs on the host (over platform/) and under Wine
// (over the real profile functions), on the same files.
//
//   bench_profile_read make FILE KEYS          writes a profile of KEYS keys
//   bench_profile_read read FILE KEYS [PASSES] prints "first=MS median=MS"
//
// The profile has sections of 100 keys each, with values of ordinary length.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/IniFile.h"

namespace {

constexpr int kKeysPerSection = 100;

std::string SectionName(int key) { return "Section" + std::to_string(key / kKeysPerSection); }

std::string KeyName(int key) { return "Key" + std::to_string(key % kKeysPerSection); }

std::string ValueOf(int key) { return "Value of key " + std::to_string(key) + ", *.ico;*.exe;*.dll"; }

int Make(const char* file, int keys) {
    std::FILE* out = std::fopen(file, "wb");
    if (!out) {
        std::perror(file);
        return 1;
    }
    for (int key = 0; key < keys; ++key) {
        if (key % kKeysPerSection == 0) std::fprintf(out, "[%s]\r\n", SectionName(key).c_str());
        std::fprintf(out, "%s=%s\r\n", KeyName(key).c_str(), ValueOf(key).c_str());
    }
    return std::fclose(out) == 0 ? 0 : 1;
}

int Read(const char* file, int keys, int passes) {
    // The names and expected values are made before the clock starts.
    std::vector<std::string> sections, names, values;
    for (int key = 0; key < keys; ++key) {
        sections.push_back(SectionName(key));
        names.push_back(KeyName(key));
        values.push_back(ValueOf(key));
    }
    const config::TIniFile ini(file);
    std::vector<double> times;
    int wrong = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const auto start = std::chrono::steady_clock::now();
        for (int key = 0; key < keys; ++key)
            if (ini.ReadValue(sections[key], names[key], "") != values[key]) ++wrong;
        times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    if (wrong > 0) {
        std::fprintf(stderr, "%d reads of %s gave a wrong value\n", wrong, file);
        return 1;
    }
    const double first = times.front();
    std::sort(times.begin(), times.end());
    std::printf("first=%.3f median=%.3f\n", first, times[times.size() / 2]);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if ((mode == "make" && argc == 4) || (mode == "read" && (argc == 4 || argc == 5))) {
        const int keys = std::atoi(argv[3]);
        const int passes = argc == 5 ? std::atoi(argv[4]) : 5;
        if (keys > 0 && passes > 0) return mode == "make" ? Make(argv[2], keys) : Read(argv[2], keys, passes);
    }
    std::fprintf(stderr, "usage: %s make FILE KEYS | read FILE KEYS [PASSES]\n",
                 argc > 0 ? argv[0] : "bench_profile_read");
    return 2;
}
