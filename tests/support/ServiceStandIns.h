#pragma once
// Stand-ins for the message box and the open, save and colour dialogs of the
// window tests: each answers its entry point while it lives, notes what the program
// asked of it, and puts the old entry back when it goes.

#include <algorithm>
#include <array>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "forms/Services.h"
#include "tests/support/WindowTest.h"

#include <commdlg.h>

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

// What an open or save dialog was given, read while it was "open".
struct FileRequest {
    DWORD structSize = 0;
    HWND owner = nullptr;
    bool ownerEnabled = false;  // left to the dialog, which disables it itself
    std::string title;
    std::string filter;  // the whole buffer, up to and with the closing empty entry
    std::string defaultExt;
    bool defaultExtNull = false;  // none, rather than an empty one
    std::string initialFile;
    DWORD filterIndex = 0, flags = 0, maxFile = 0;
};

// Stands in for the open or the save dialog: records each request and
// answers with `chosen` (and `filterIndex`, unless 0), or as cancelled while
// `chosen` is empty. A name longer than the buffer fails as the real dialog
// does.
class FileDialogStandIn {
public:
    using Entry = decltype(forms::Services::GetOpenFileNameA);
    explicit FileDialogStandIn(Entry forms::Services::*entry, std::string chosenName = {}, DWORD chosenIndex = 0)
        : chosen(std::move(chosenName)),
          filterIndex(chosenIndex),
          override_(entry, [this](OPENFILENAMEA& ofn) { return Answer(ofn); }) {}

    int calls = 0;
    FileRequest request;  // the last one
    std::string chosen;
    DWORD filterIndex;

private:
    BOOL Answer(OPENFILENAMEA& ofn) {
        ++calls;
        request.structSize = ofn.lStructSize;
        request.owner = ofn.hwndOwner;
        request.ownerEnabled = IsWindowEnabled(ofn.hwndOwner) != FALSE;
        request.title = ofn.lpstrTitle ? ofn.lpstrTitle : "";
        const char* end = ofn.lpstrFilter;
        while (end && *end) end += std::strlen(end) + 1;
        request.filter = ofn.lpstrFilter ? std::string(ofn.lpstrFilter, end + 1) : "";
        request.defaultExtNull = ofn.lpstrDefExt == nullptr;
        request.defaultExt = ofn.lpstrDefExt ? ofn.lpstrDefExt : "";
        request.initialFile = ofn.lpstrFile ? ofn.lpstrFile : "";
        request.filterIndex = ofn.nFilterIndex;
        request.flags = ofn.Flags;
        request.maxFile = ofn.nMaxFile;
        if (!ofn.lpstrFile || ofn.nMaxFile == 0) return FALSE;
        ofn.lpstrFile[ofn.nMaxFile - 1] = '\0';  // the whole buffer is the dialog's to write
        if (chosen.empty() || chosen.size() >= ofn.nMaxFile) return FALSE;
        std::memcpy(ofn.lpstrFile, chosen.c_str(), chosen.size() + 1);
        if (filterIndex) ofn.nFilterIndex = filterIndex;
        return TRUE;
    }

    ServiceOverride<Entry> override_;
};

// What the colour dialog was given, over one or more openings.
struct ColorRequest {
    int calls = 0;
    DWORD structSize = 0;
    HWND owner = nullptr;
    bool ownerEnabled = false;  // left to the dialog, which disables it itself
    COLORREF start = 0;
    DWORD flags = 0;
    bool hook = false;
    std::array<COLORREF, 16> custom{};  // the custom colours offered
};

// Stands in for the colour dialog: notes each opening in `request`, lets the
// user define custom colour `slot` (none for -1), and closes with OK and
// `chosen`, or with Cancel.
class ColorDialogStandIn {
public:
    ColorDialogStandIn(ColorRequest& request, BOOL ok, COLORREF chosen = 0, int slot = -1, COLORREF defined = 0)
        : override_(&forms::Services::ChooseColorA, [=, &request](CHOOSECOLORA& cc) -> BOOL {
              ++request.calls;
              request.structSize = cc.lStructSize;
              request.owner = cc.hwndOwner;
              request.ownerEnabled = IsWindowEnabled(cc.hwndOwner) != FALSE;
              request.start = cc.rgbResult;
              request.flags = cc.Flags;
              request.hook = cc.lpfnHook != nullptr;
              std::copy_n(cc.lpCustColors, 16, request.custom.begin());
              if (slot >= 0) cc.lpCustColors[slot] = defined;
              cc.rgbResult = chosen;
              return ok;
          }) {}

private:
    ServiceOverride<decltype(forms::Services::ChooseColorA)> override_;
};

}  // namespace testutil
