// Moving a profile between its file and the window's controls.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "app/Form1.h"
#include "app/StringTable.h"
#include "app/res/resource.h"
#include "config/FileExists.h"
#include "config/Loading.h"
#include "config/ProfileError.h"
#include "config/Saving.h"
#include "forms/Application.h"
#include "forms/Format.h"
#include "forms/Paths.h"

using namespace forms;

namespace glim {

namespace {

// Puts a document's values into the controls.
struct IntoControls {
    void operator()(const std::string& value, TEdit& edit) const { edit.SetText(value); }
    void operator()(bool value, TCheckBox& box) const { box.SetChecked(value); }
    void operator()(const std::string& value, TMenuItem& item) const { item.SetCaption(value); }
    void operator()(std::int32_t value, TScrollBox& preview) const { preview.SetColor(value); }
    void operator()(const std::vector<std::string>& lines, TMemo& memo) const { memo.Lines().Assign(lines); }
};

// Takes a document's values from the controls.
struct FromControls {
    void operator()(std::string& value, const TEdit& edit) const { value = edit.Text(); }
    void operator()(bool& value, const TCheckBox& box) const { value = box.Checked(); }
    void operator()(std::string& value, const TMenuItem& item) const { value = item.Caption(); }
    void operator()(std::int32_t& value, const TScrollBox& preview) const { value = preview.Color(); }
    void operator()(std::vector<std::string>& lines, const TMemo& memo) const { lines = memo.Lines().ToVector(); }
};

// Which control holds which field of the document: the one list that a load
// and a save go through, in opposite directions, in the order of the controls
// on the window. Without withMemos it stops before the memos.
template <typename Document, typename Transfer>
void Exchange(TForm1& form, Document& doc, Transfer transfer, bool withMemos = true) {
    transfer(doc.Title, *form.Edit1);
    transfer(doc.Dialog, *form.Edit2);
    transfer(doc.HelpFile, *form.Edit3);
    transfer(doc.Home, *form.Edit4);
    transfer(doc.Mail, *form.Edit5);
    transfer(doc.Open, *form.Edit6);
    transfer(doc.Default, *form.Edit7);
    transfer(doc.EditMask, *form.CheckBox1);
    transfer(doc.ShowFileNames, *form.CheckBox2);
    TMenuItem* const items[config::kMenuItemCount] = {
        form.Copytoclipboard1, form.Saveas1, form.SaveIconasBMP1, form.Setbackgroundcolor1,
        form.Internet1,        form.EMail1,  form.Help1,          form.About1};
    for (std::size_t i = 0; i < config::kMenuItemCount; ++i) transfer(doc.MenuCaptions[i], *items[i]);
    transfer(doc.Color, *form.ScrollBox1);
    if (!withMemos) return;
    transfer(doc.Masks, *form.Memo1);
    transfer(doc.AboutLines, *form.Memo2);
}

// Runs a load or a save; a profile that cannot be read or written is reported
// in the program's own words.
template <typename Operation>
void InProgramWords(Operation operation) {
    try {
        operation();
    } catch (config::EProfileError& e) {
        const bool write = e.Action() == config::EProfileError::TAction::Write;
        e.SetMessage(Format(LoadText(write ? IDS_UNABLE_TO_WRITE : IDS_UNABLE_TO_READ), {e.FileName()}));
        throw;
    }
}

}  // namespace

// Fills the controls from the profile fileName, or from the one named on the
// command line when fileName is empty, and names it in the caption. Without
// such a file nothing changes and nothing is said; a file that exists but
// cannot be read raises "Unable to read <path>", and nothing changes either.
void TForm1::LoadConfiguration(const std::string& fileName) {
    const std::string path = fileName.empty() ? CommandLineProfile : fileName;
    if (!config::FileExists(path)) return;
    const TWaitCursor busy;

    // Read whole before any control changes; what the file lacks of the
    // colour leaves the preview's as it is.
    config::TConfigDocument doc;
    doc.Color = ScrollBox1->Color();
    InProgramWords([&] { config::LoadDocument(path, doc); });
    Exchange(*this, doc, IntoControls{});
    // Later edits are compared with what the controls now show, which is not
    // always what they were given: Edit7 turns every capital, É included,
    // into lower case. The memos show their lines as given and are not read
    // back, which thousands of masks would slow down.
    savedValues_ = std::move(doc);
    Exchange(*this, savedValues_, FromControls{}, false);

    SetText(Application->Title() + " : " + FileNamePart(path));
}

// Writes the controls into the profile fileName, or into the one named on the
// command line when fileName is empty; without either nothing is written and
// nothing is said. A refused write raises "Unable to write to <path>" and
// leaves the profile as it was. The window itself, its caption included, does
// not change.
void TForm1::SaveConfiguration(const std::string& fileName) {
    const std::string path = fileName.empty() ? CommandLineProfile : fileName;
    if (path.empty()) return;
    const TWaitCursor busy;

    const config::TConfigDocument doc = Document();
    InProgramWords([&] { config::SaveDocument(path, doc); });
    savedValues_ = doc;
}

config::TConfigDocument TForm1::Document() {
    config::TConfigDocument doc;
    Exchange(*this, doc, FromControls{});
    return doc;
}

}  // namespace glim
