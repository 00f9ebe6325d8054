// Moving a profile between its file and the window's controls.

#include "app/Form1.h"
#include "config/FileExists.h"
#include "config/Loading.h"

namespace glim {

// Fills the controls from the profile fileName, or from the one named on the
// command line when fileName is empty, and names it in the caption. Without
// such a file nothing changes and nothing is said.
void TForm1::LoadConfiguration(const std::string& fileName) {
    const std::string path = fileName.empty() ? CommandLineProfile : fileName;
    if (!config::FileExists(path)) return;
    const TWaitCursor busy;

    config::TConfigDocument doc;
    doc.Color = ScrollBox1->Color();
    config::LoadDocument(path, doc);

    Edit1->SetText(doc.Title);
    Edit2->SetText(doc.Dialog);
    Edit3->SetText(doc.HelpFile);
    Edit4->SetText(doc.Home);
    Edit5->SetText(doc.Mail);
    Edit6->SetText(doc.Open);
    Edit7->SetText(doc.Default);
    CheckBox1->SetChecked(doc.EditMask);
    CheckBox2->SetChecked(doc.ShowFileNames);
    TMenuItem* const items[] = {Copytoclipboard1, Saveas1, SaveIconasBMP1, Setbackgroundcolor1,
                                Internet1,        EMail1,  Help1,          About1};
    for (size_t i = 0; i < std::size(items); ++i) items[i]->SetCaption(doc.MenuCaptions[i]);
    ScrollBox1->SetColor(doc.Color);
    Memo1->Lines().Assign(doc.Masks);
    Memo2->Lines().Assign(doc.AboutLines);

    SetText(Application->Title() + " : " + config::FileNamePart(path));
}

}  // namespace glim
