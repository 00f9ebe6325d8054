// Open, Save and Save as.

#include "app/Form1.h"
#include "app/StringTable.h"
#include "app/res/resource.h"
#include "config/FileExists.h"
#include "forms/Application.h"
#include "forms/Format.h"
#include "forms/Paths.h"
#include "forms/Services.h"

using namespace forms;

namespace glim {

namespace {

constexpr char kCompanion[] = "glimview.exe";

// Whether two paths are spelt alike but for the case of their letters, as
// the file system compares names: ordinal, upper-casing every letter of the
// code page, not only A to Z.
bool SamePath(const std::string& a, const std::string& b) {
    auto wide = [](const std::string& text) {
        std::wstring out(text.size(), L'\0');
        const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                          static_cast<int>(out.size()));
        out.resize(static_cast<size_t>(n > 0 ? n : 0));
        return out;
    };
    const std::wstring wa = wide(a), wb = wide(b);
    return CompareStringOrdinal(wa.data(), static_cast<int>(wa.size()), wb.data(), static_cast<int>(wb.size()), TRUE) ==
           CSTR_EQUAL;
}

}  // namespace

// Asks the string table's question id about a file; the box fills the name
// into the question's "%s" as it stands.
int TForm1::Ask(msg32::MsgType kind, unsigned id, const std::string& name) {
    Msg1->BoxMessage = LoadText(id);
    const FormatArg args[] = {name};
    return Msg1->ShowBox(kind, 0, 0, args);
}

// Asks whether to save the window's unsaved edits before a command would lose
// them. Yes saves them as Save does, or, without a command-line profile, as
// Save as does up to its save; a refused save raises its error. True when the
// command may go on: nothing was unsaved, the answer was No, or the save is
// done. A second request while the question or the save it started is under
// way is refused.
bool TForm1::SaveOrDiscardEdits() {
    if (!HasUnsavedEdits()) return true;
    if (askingToSave_) return false;
    askingToSave_ = true;
    const struct Done {
        bool& asking;
        ~Done() { asking = false; }
    } done{askingToSave_};
    const int answer = CommandLineProfile.empty() ? Msg1->ShowText(msg32::mbSelection, LoadText(IDS_SAVE_CHANGES))
                                                  : Ask(msg32::mbSelection, IDS_SAVE_CHANGES_TO, CommandLineProfile);
    if (answer == IDNO) return true;
    if (answer != IDYES) return false;
    if (CommandLineProfile.empty()) return !SaveAsProfile().empty();
    SaveConfiguration("");
    return true;
}

// Open: loads the chosen profile, once unsaved edits are saved or given up.
// Save keeps writing to the command line's.
void TForm1::OpenBtnClick(TObject*) {
    if (!SaveOrDiscardEdits()) return;
    if (!OpenDialog1->Execute()) return;
    LoadConfiguration(OpenDialog1->FileName);
}

// Save: writes the window to the profile named on the command line.
void TForm1::SpeedButton3Click(TObject*) { SaveConfiguration(""); }

// Save as: writes the window to the chosen name with the extension ".ini",
// then offers to copy the companion viewer beside it under the same base
// name, and to start that copy. The dialog asked about the name as typed; a
// different profile that the new extension lands on is not replaced without
// a question of its own. A failed save ends the command before any other
// question. The copy is never made over an existing file; when it fails and
// no program stands at the new name, the error says so and nothing is
// offered for a test.
void TForm1::SaveAsBtnClick(TObject*) {
    const std::string profile = SaveAsProfile();
    if (profile.empty()) return;

    if (Msg1->ShowText(msg32::mbConfirmation, LoadText(IDS_COPY_QUESTION)) != IDYES) return;
    const std::string program = ChangeFileExt(profile, ".exe");
    const std::string companion = FolderOf(Application->ExeName()) + kCompanion;
    if (!ModalServices().CopyFileA(companion.c_str(), program.c_str(), TRUE) && !config::FileExists(program))
        throw Exception(Format(LoadText(IDS_UNABLE_TO_COPY), {companion, program}));

    if (Ask(msg32::mbConfirmation, IDS_TEST_QUESTION, program) != IDYES) return;
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : Handle();
    ModalServices().ShellExecuteA(owner, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string TForm1::SaveAsProfile() {
    if (!SaveDialog1->Execute()) return {};
    const std::string chosen = SaveDialog1->FileName;
    SaveDialog1->FileName = ChangeFileExt(chosen, ".ini");
    const std::string profile = SaveDialog1->FileName;
    if (!SamePath(profile, chosen) && config::FileExists(profile) &&
        Ask(msg32::mbConfirmation, IDS_REPLACE_QUESTION, profile) != IDYES)
        return {};
    SaveConfiguration(profile);
    return profile;
}

}  // namespace glim
