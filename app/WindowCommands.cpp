// The window's own commands: its one-time set-up, its keys, Help, About and
// Exit.

#include "app/Form1.h"
#include "app/StringTable.h"
#include "app/res/resource.h"
#include "config/FileExists.h"
#include "forms/Application.h"
#include "forms/Paths.h"
#include "forms/Services.h"

using namespace forms;

namespace glim {

// Runs when the window first becomes active, and never again.
void TForm1::FormActivate(TObject*) {
    OnActivate = {};
    std::string help = FolderOf(Application->ExeName()) + "glimview.hlp";
    if (config::FileExists(help)) Application->SetHelpFile(help);
    Msg1->BoxCaption = Application->Title();
    LoadConfiguration("");
}

// F1 anywhere in the window, with any modifiers, runs Help; Ctrl+O, Ctrl+S
// and Ctrl+Shift+S run what the Open, Save and Save as buttons run. The
// focused control never sees these keys. Ctrl with Alt is AltGr on many
// keyboards, which types letters: it passes on.
void TForm1::FormKeyDown(TObject*, WORD& Key, TShiftState Shift) {
    if (Key == VK_F1) {
        Key = 0;
        HelpBtnClick(nullptr);
        return;
    }
    if (!(Shift & ssCtrl) || (Shift & ssAlt)) return;
    TSpeedButton* button = nullptr;
    if (Key == 'O' && !(Shift & ssShift))
        button = OpenBtn;
    else if (Key == 'S')
        button = Shift & ssShift ? SaveAsBtn : SpeedButton3;
    if (!button) return;
    Key = 0;
    button->Click();
}

// Help: the help file's contents, or the About box when there is no help file.
void TForm1::HelpBtnClick(TObject*) {
    if (Application->HelpFile().empty()) {
        AboutBtnClick(nullptr);
        return;
    }
    HWND owner = Application->MainForm() ? Application->MainForm()->Handle() : Handle();
    ModalServices().WinHelpA(owner, Application->HelpFile().c_str(), HELP_CONTENTS, 0);
}

// About: the program's rights notice.
void TForm1::AboutBtnClick(TObject*) { Msg1->ShowText(msg32::mbInformation, LoadText(IDS_ABOUT_TEXT)); }

// Exit: closes the window, which ends the program, once unsaved edits are
// saved or given up (FormCloseQuery).
void TForm1::SpeedButton4Click(TObject*) { Close(); }

// Exit, the close box, Alt+F4 and the end of the Windows session close the
// window only once unsaved edits are saved or given up.
void TForm1::FormCloseQuery(TObject*, bool& CanClose) { CanClose = SaveOrDiscardEdits(); }

}  // namespace glim
