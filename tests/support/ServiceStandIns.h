#pragma once
// Stand-ins for the message box of the window tests: it answers its entry
// point while it lives, notes what the program asked of it, and puts the old
// entry back when it goes.

#include <functional>
#include <string>
#include <vector>

#include "forms/Services.h"
#include "tests/support/WindowTest.h"

namespace testutil {

// A message box as the program asked for it.
struct Box {
    HWND owner = nullptr;
    std::string text, caption;
    UINT flags = 0;
    // Whether the owner was enabled when it was handed over: the box has to
    // disable it itself to enable it again as it goes.
    bool ownerEnabled = false;
};

// Records every message box and answers it: with one answer, or with a
// function of the box, which runs while the box is "up".
class MessageBoxRecorder {
public:
    using Answer = std::function<int(const Box&)>;
    explicit MessageBoxRecorder(int answer = IDOK)
        : MessageBoxRecorder(Answer([answer](const Box&) { return answer; })) {}
    explicit MessageBoxRecorder(Answer answer)
        : override_(&forms::Services::MessageBoxA, [this, answer](HWND owner, const char* text, const char* caption,
                                                                  UINT flags) {
              const Box box{owner, text ? text : "", caption ? caption : "", flags, IsWindowEnabled(owner) != FALSE};
              shown.push_back(box);
              return answer(box);
          }) {}

    int Count() const { return static_cast<int>(shown.size()); }
    // The last box; before the first an empty one, so a check fails instead
    // of reading past the end.
    const Box& Last() const {
        static const Box none;
        return shown.empty() ? none : shown.back();
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const Box& box : shown) texts.push_back(box.text);
        return texts;
    }

    std::vector<Box> shown;

private:
    ServiceOverride<decltype(forms::Services::MessageBoxA)> override_;
};

}  // namespace testutil
