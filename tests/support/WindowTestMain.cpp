// main() of the window test programs: one application object for the run,
// no real modal box ever (an unexpected one fails the test instead of
// waiting for a person), and a watchdog that ends a test that hangs.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

#include "app/Title.h"
#include "forms/Application.h"
#include "forms/Services.h"

namespace {

std::atomic<long long> g_deadline{0};
constexpr int kTestSeconds = 30;

long long Now() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

class Watchdog : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { g_deadline = Now() + kTestSeconds * 1000LL; }
    void OnTestEnd(const testing::TestInfo&) override { g_deadline = 0; }
};

}  // namespace

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new Watchdog);

    std::thread([] {
        for (;;) {
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            long long deadline = g_deadline;
            if (deadline && Now() > deadline) {
                const auto* info = testing::UnitTest::GetInstance()->current_test_info();
                std::fprintf(stderr, "\n*** %s.%s hung for %d s: stopping the test program\n",
                             info ? info->test_suite_name() : "?", info ? info->name() : "?", kTestSeconds);
                std::fflush(stderr);
                TerminateProcess(GetCurrentProcess(), 3);
            }
        }
    }).detach();

    forms::TApplication application;
    application.Initialize();
    application.SetTitle(glim::kTitle);
    forms::ModalServices().MessageBoxA = [](HWND, const char* text, const char* caption, UINT) {
        ADD_FAILURE() << "unexpected message box \"" << caption << "\": " << text;
        return IDCANCEL;
    };
    return RUN_ALL_TESTS();
}
