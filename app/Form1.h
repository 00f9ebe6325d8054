#pragma once
// The configuration window: one fixed-size dialog-framed form whose controls
// hold the values of a viewer profile.

#include "config/ConfigDocument.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/ExtControls.h"
#include "forms/Menus.h"
#include "forms/StdControls.h"
#include "msg32/Msg.h"

namespace glim {

class TForm1 : public forms::TForm {
public:
    explicit TForm1(forms::TComponent* owner);

    // Components, in the order of the window's definition.
    forms::TPanel* Panel1;
    forms::TPopupMenu* IconMenu;
    forms::TMenuItem* Copytoclipboard1;
    forms::TMenuItem* Saveas1;
    forms::TMenuItem* SaveIconasBMP1;
    forms::TMenuItem* N1;
    forms::TMenuItem* Setbackgroundcolor1;
    forms::TMenuItem* Internet1;
    forms::TMenuItem* EMail1;
    forms::TMenuItem* Help1;
    forms::TMenuItem* N2;
    forms::TMenuItem* About1;
    forms::TLabel* Label1;
    forms::TEdit* Edit1;
    forms::TLabel* Label2;
    forms::TEdit* Edit2;
    forms::TLabel* Label3;
    forms::TLabel* Label4;
    forms::TCheckBox* CheckBox1;
    forms::TCheckBox* CheckBox2;
    forms::TLabel* Label5;
    forms::TEdit* Edit3;
    forms::TLabel* Label6;
    forms::TEdit* Edit4;
    forms::TLabel* Label7;
    forms::TEdit* Edit5;
    forms::TLabel* Label8;
    forms::TEdit* Edit6;
    forms::TLabel* Label9;
    forms::TEdit* Edit7;
    forms::TLabel* Label10;
    forms::TMemo* Memo1;
    forms::TMemo* Memo2;
    forms::TSpeedButton* SpeedButton1;
    forms::TScrollBox* ScrollBox1;
    forms::TImage* Image1;
    forms::TPanel* Panel2;
    forms::TSpeedButton* SpeedButton2;
    forms::TSpeedButton* SpeedButton3;
    forms::TBevel* Bevel1;
    forms::TSpeedButton* SpeedButton4;
    forms::TColorDialog* ColorDialog1;
    forms::TSpeedButton* SpeedButton5;
    forms::TSpeedButton* HelpBtn;
    forms::TSpeedButton* AboutBtn;
    msg32::TMsg* Msg1;
    forms::TSpeedButton* SaveAsBtn;
    forms::TSaveDialog* SaveDialog1;
    forms::TSpeedButton* OpenBtn;
    forms::TOpenDialog* OpenDialog1;

    // The profile named on the command line, as a full path: the one that
    // loads at start and the only one that Save writes.
    std::string CommandLineProfile;

    // Event handlers, wired by the window's definition.
    void SpeedButton4Click(forms::TObject* Sender);  // Exit
    void SpeedButton3Click(forms::TObject* Sender);  // Save
    void SpeedButton1Click(forms::TObject* Sender);  // Menu items: the icon menu whose captions are edited
    void SpeedButton2Click(forms::TObject* Sender);  // Color, the colour preview and its icon: the preview colour
    void SpeedButton5Click(forms::TObject* Sender);  // About heading: the About lines as the viewer shows them
    void SetCaption(forms::TObject* Sender);         // an icon menu item: its caption
    void FormActivate(forms::TObject* Sender);       // the one-time set-up
    void FormKeyDown(forms::TObject* Sender, WORD& Key, forms::TShiftState Shift);  // F1, Ctrl+O, Ctrl+S, Ctrl+Shift+S
    void FormCloseQuery(forms::TObject* Sender, bool& CanClose);  // Exit, the close box, the end of the session
    void HelpBtnClick(forms::TObject* Sender);
    void AboutBtnClick(forms::TObject* Sender);
    void SaveAsBtnClick(forms::TObject* Sender);
    void OpenBtnClick(forms::TObject* Sender);  // Open

private:
    void LoadConfiguration(const std::string& fileName);
    void SaveConfiguration(const std::string& fileName);
    void ComposeAboutText(std::string& text);

    // The values that a Save would write, as the controls hold them now.
    config::TConfigDocument Document();
    // Whether the controls hold values that were neither loaded nor saved.
    bool HasUnsavedEdits() { return Document() != savedValues_; }
    // Before a command that would lose unsaved edits: offers to save them.
    bool SaveOrDiscardEdits();
    // Save as up to its save: the chosen profile, or empty when none was saved.
    std::string SaveAsProfile();
    // Asks the string table's question id about a file name; the box's answer.
    int Ask(msg32::MsgType kind, unsigned id, const std::string& name);

    // The values last loaded or saved, or the window's first contents.
    config::TConfigDocument savedValues_;
    bool askingToSave_ = false;
};

}  // namespace glim
