#pragma once
// The configuration window: one fixed-size dialog-framed form whose controls
// hold the values of a viewer profile.

#include "forms/Accessible.h"
#include "forms/Controls.h"
#include "forms/Dialogs.h"
#include "forms/ExtControls.h"
#include "forms/Menus.h"
#include "forms/StdControls.h"
#include "msg32/Msg.h"

namespace glim {

using namespace forms;

class TForm1 : public TForm {
public:
    explicit TForm1(TComponent* owner);

    // Components, in the order of the window's definition.
    TPanel* Panel1;
    TPopupMenu* IconMenu;
    TMenuItem* Copytoclipboard1;
    TMenuItem* Saveas1;
    TMenuItem* SaveIconasBMP1;
    TMenuItem* N1;
    TMenuItem* Setbackgroundcolor1;
    TMenuItem* Internet1;
    TMenuItem* EMail1;
    TMenuItem* Help1;
    TMenuItem* N2;
    TMenuItem* About1;
    TLabel* Label1;
    TEdit* Edit1;
    TLabel* Label2;
    TEdit* Edit2;
    TLabel* Label3;
    TLabel* Label4;
    TCheckBox* CheckBox1;
    TCheckBox* CheckBox2;
    TLabel* Label5;
    TEdit* Edit3;
    TLabel* Label6;
    TEdit* Edit4;
    TLabel* Label7;
    TEdit* Edit5;
    TLabel* Label8;
    TEdit* Edit6;
    TLabel* Label9;
    TEdit* Edit7;
    TLabel* Label10;
    TMemo* Memo1;
    TMemo* Memo2;
    TSpeedButton* SpeedButton1;
    TScrollBox* ScrollBox1;
    TImage* Image1;
    TPanel* Panel2;
    TSpeedButton* SpeedButton2;
    TSpeedButton* SpeedButton3;
    TBevel* Bevel1;
    TSpeedButton* SpeedButton4;
    TColorDialog* ColorDialog1;
    TSpeedButton* SpeedButton5;
    TSpeedButton* HelpBtn;
    TSpeedButton* AboutBtn;
    msg32::TMsg* Msg1;
    TSpeedButton* SaveAsBtn;
    TSaveDialog* SaveDialog1;
    TSpeedButton* OpenBtn;
    TOpenDialog* OpenDialog1;

    // The profile named on the command line, as a full path: the one that
    // loads at start and the only one that Save writes.
    std::string CommandLineProfile;

    // Event handlers.
    void SpeedButton4Click(TObject* Sender);
    void SpeedButton3Click(TObject* Sender);
    void SpeedButton1Click(TObject* Sender);
    void SpeedButton2Click(TObject* Sender);
    void SpeedButton5Click(TObject* Sender);
    void SetCaption(TObject* Sender);
    void FormActivate(TObject* Sender);
    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void HelpBtnClick(TObject* Sender);
    void AboutBtnClick(TObject* Sender);
    void SaveAsBtnClick(TObject* Sender);
    void OpenBtnClick(TObject* Sender);

private:
    void LoadConfiguration(const std::string& fileName);
    void SaveConfiguration(const std::string& fileName);
    void ComposeAboutText(std::string& text);
};

}  // namespace glim
