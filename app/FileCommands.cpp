// Open, Save and Save as, and the save of the window into a profile.

#include "app/Form1.h"
#include "app/Paths.h"
#include "app/Strings.h"
#include "app/res/resource.h"
#include "config/Saving.h"

namespace glim {

namespace {

constexpr char kCopyQuestion[] = "Copy and rename GLIMVIEW.EXE too ?";
constexpr char kTestQuestion[] = "Test ";
constexpr char kCompanion[] = "glimview.exe";

// Message boxes take their text as a template; a file name goes in literally.
std::string Literal(const std::string& text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '%') out += '%';
    }
    return out;
}

}  // namespace

// Writes the controls into the profile fileName, or into the one named on the
// command line when fileName is empty; without either nothing is written and
// nothing is said. A refused write raises "Unable to write to <path>" and ends
// the save there. The window itself, its caption included, does not change.
void TForm1::SaveConfiguration(const std::string& fileName) {
    const std::string path = fileName.empty() ? CommandLineProfile : fileName;
    if (path.empty()) return;
    const TWaitCursor busy;

    config::TConfigDocument doc;
    doc.Title = Edit1->Text();
    doc.Dialog = Edit2->Text();
    doc.HelpFile = Edit3->Text();
    doc.Home = Edit4->Text();
    doc.Mail = Edit5->Text();
    doc.Open = Edit6->Text();
    doc.Default = Edit7->Text();
    doc.EditMask = CheckBox1->Checked();
    doc.ShowFileNames = CheckBox2->Checked();
    doc.Color = ScrollBox1->Color();
    const TMenuItem* const items[] = {Copytoclipboard1, Saveas1, SaveIconasBMP1, Setbackgroundcolor1,
                                      Internet1,        EMail1,  Help1,          About1};
    for (size_t i = 0; i < std::size(items); ++i) doc.MenuCaptions[i] = items[i]->Caption();
    doc.Masks = Memo1->Lines().ToVector();
    doc.AboutLines = Memo2->Lines().ToVector();

    config::SaveDocument(path, doc);
}

// Open: loads the chosen profile. Save keeps writing to the command line's.
void TForm1::OpenBtnClick(TObject*) {
    if (!OpenDialog1->Execute()) return;
    LoadConfiguration(OpenDialog1->FileName);
}

// Save: writes the window to the profile named on the command line.
void TForm1::SpeedButton3Click(TObject*) { SaveConfiguration(""); }

// Save as: writes the window to the chosen name with the extension ".ini",
// then offers to copy the companion viewer beside it under the same base
// name, and to start that copy. A failed save ends the command before any
// question; a failed copy is not reported, the copy is only never made over
// an existing file.
void TForm1::SaveAsBtnClick(TObject*) {
    if (!SaveDialog1->Execute()) return;
    SaveDialog1->FileName = ChangeFileExt(SaveDialog1->FileName, ".ini");
    const std::string profile = SaveDialog1->FileName;
    SaveConfiguration(profile);

    if (Msg1->ShowText(msg32::mbConfirmation, LoadText(IDS_COPY_QUESTION, kCopyQuestion)) != IDYES) return;
    const std::string program = ChangeFileExt(profile, ".exe");
    const std::string companion = FolderOf(Application->ExeName()) + kCompanion;
    ModalServices().CopyFile(companion.c_str(), program.c_str(), TRUE);

    const std::string question = LoadText(IDS_TEST_QUESTION, kTestQuestion) + Literal(program) + "?";
    if (Msg1->ShowText(msg32::mbConfirmation, question) != IDYES) return;
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : Handle();
    ModalServices().ShellExecute(owner, nullptr, program.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace glim
