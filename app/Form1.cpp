#include "app/Form1.h"

#include "app/ProfileArgument.h"
#include "app/Title.h"
#include "app/res/resource.h"
#include "forms/Accessible.h"

using namespace forms;

namespace glim {

namespace {

// Headings: bold, in the colour of an active title bar, or of links where
// that cannot be read on the button face.
const TFont kHeading{.Style = TFontStyle::fsBold, .Color = clActiveCaption, .Fallback = clHotLight};
// Two of the command buttons draw their caption in plain black.
const TFont kPlainBlack{.Color = clBlack};

constexpr char kFileFilter[] = "Configuration files (*.ini)|*.ini|All files (*.*)|*.*";

const std::vector<std::string> kMasks{"*.ic?", "*.exe;*.dll;*.ocx;*.cpl;*.ico", "*.*"};
const std::vector<std::string> kAboutLines{
    "Copyright (c) 2026 The Glimsel authors",
    "",
    "          All rights reserved.",
};

}  // namespace

TForm1::TForm1(TComponent* owner)
    : TForm(owner, {.ClassName = "TForm1",
                    .Name = "Form1",
                    .Caption = kTitle,
                    .ClientWidth = 504,
                    .ClientHeight = 402,
                    .BorderStyle = TBorderStyle::bsDialog,
                    .Position = TPosition::poScreenCenter,
                    .Font = TFont{.Name = "MS Sans Serif", .Height = -11, .Color = clWindowText},
                    .IconId = IDI_MAINICON,
                    .KeyPreview = true,
                    .ShowHint = true,
                    .OnActivate = Bind<&TForm1::FormActivate>(this),
                    .OnKeyDown = Bind<&TForm1::FormKeyDown>(this),
                    .OnCloseQuery = Bind<&TForm1::FormCloseQuery>(this)}) {
    using enum TAlign;
    Panel1 = new TPanel(this, {.Name = "Panel1", .Parent = this, .Bounds = {0, 0, 504, 361}, .Align = alTop});

    IconMenu = new TPopupMenu(this, "IconMenu");
    auto item = [&](const MenuItemDef& def) {
        auto* mi = new TMenuItem(this, def);
        IconMenu->Add(mi);
        return mi;
    };
    const TNotifyEvent setCaption = Bind<&TForm1::SetCaption>(this);
    // clang-format off
    Copytoclipboard1    = item({.Name = "Copytoclipboard1",    .Caption = "&Copy Icon to clipboard",  .Hint = "Copy icon to clipboard",  .OnClick = setCaption});
    Saveas1             = item({.Name = "Saveas1",             .Caption = "Save Icon as *.&ICO ...",  .Hint = "Save icon as ... icon",   .OnClick = setCaption});
    SaveIconasBMP1      = item({.Name = "SaveIconasBMP1",      .Caption = "Save Icon as *.&BMP ...",  .Hint = "Save icon as ... bitmap", .OnClick = setCaption});
    N1                  = item({.Name = "N1",                  .Caption = "-"});
    Setbackgroundcolor1 = item({.Name = "Setbackgroundcolor1", .Caption = "Backgr&ound color ...",    .Hint = "Select background color", .OnClick = setCaption});
    Internet1           = item({.Name = "Internet1",           .Caption = "&Website ...",                                                .OnClick = setCaption});
    EMail1              = item({.Name = "EMail1",              .Caption = "&E-mail ...",                                                 .OnClick = setCaption});
    Help1               = item({.Name = "Help1",               .Caption = "&Help ...",                .Visible = false,                  .OnClick = setCaption});
    N2                  = item({.Name = "N2",                  .Caption = "-"});
    About1              = item({.Name = "About1",              .Caption = "&About ...",                                                  .OnClick = setCaption});

    Label1       = new TLabel(this,       {.Name = "Label1",       .Parent = Panel1,     .Bounds = {12, 39, 45, 13},    .Text = "App. Title"});
    Edit1        = new TEdit(this,        {.Name = "Edit1",        .Parent = Panel1,     .Bounds = {81, 36, 154, 21},   .Text = "Glimsel"});
    Label2       = new TLabel(this,       {.Name = "Label2",       .Parent = Panel1,     .Bounds = {12, 66, 58, 13},    .Text = "Dlg. Caption"});
    Edit2        = new TEdit(this,        {.Name = "Edit2",        .Parent = Panel1,     .Bounds = {81, 63, 154, 21},   .Text = "Save Icon as ..."});
    Label3       = new TLabel(this,       {.Name = "Label3",       .Parent = Panel1,     .Bounds = {12, 15, 50, 13},    .Text = "Captions", .Font = kHeading});
    Label4       = new TLabel(this,       {.Name = "Label4",       .Parent = Panel1,     .Bounds = {12, 108, 44, 13},   .Text = "Options", .Font = kHeading});
    CheckBox1    = new TCheckBox(this,    {.Name = "CheckBox1",    .Parent = Panel1,     .Bounds = {12, 267, 190, 17},  .Text = "Allow the user to edit the file mask"}, false);
    CheckBox2    = new TCheckBox(this,    {.Name = "CheckBox2",    .Parent = Panel1,     .Bounds = {12, 294, 181, 17},  .Text = "Add filenames to application title"}, true);
    Label5       = new TLabel(this,       {.Name = "Label5",       .Parent = Panel1,     .Bounds = {12, 132, 35, 13},   .Text = "Helpfile"});
    Edit3        = new TEdit(this,        {.Name = "Edit3",        .Parent = Panel1,     .Bounds = {81, 129, 154, 21}});
    Label6       = new TLabel(this,       {.Name = "Label6",       .Parent = Panel1,     .Bounds = {12, 159, 52, 13},   .Text = "Homepage"});
    Edit4        = new TEdit(this,        {.Name = "Edit4",        .Parent = Panel1,     .Bounds = {81, 156, 154, 21}});
    Label7       = new TLabel(this,       {.Name = "Label7",       .Parent = Panel1,     .Bounds = {12, 186, 28, 13},   .Text = "E-mail"});
    Edit5        = new TEdit(this,        {.Name = "Edit5",        .Parent = Panel1,     .Bounds = {81, 183, 154, 21}});
    Label8       = new TLabel(this,       {.Name = "Label8",       .Parent = Panel1,     .Bounds = {12, 213, 61, 13},   .Text = "Open at start"});
    Edit6        = new TEdit(this,        {.Name = "Edit6",        .Parent = Panel1,     .Bounds = {81, 210, 154, 21}});
    Label9       = new TLabel(this,       {.Name = "Label9",       .Parent = Panel1,     .Bounds = {12, 240, 55, 13},   .Text = "Default Ext."});
    Edit7        = new TEdit(this,        {.Name = "Edit7",        .Parent = Panel1,     .Bounds = {81, 237, 25, 21},   .Text = "ics"}, TEditCharCase::ecLowerCase);
    Label10      = new TLabel(this,       {.Name = "Label10",      .Parent = Panel1,     .Bounds = {285, 12, 62, 13},   .Text = "Extensions", .Font = kHeading});
    Memo1        = new TMemo(this,        {.Name = "Memo1",        .Parent = Panel1,     .Bounds = {264, 36, 228, 49}}, kMasks);
    Memo2        = new TMemo(this,        {.Name = "Memo2",        .Parent = Panel1,     .Bounds = {264, 129, 228, 76}}, kAboutLines);
    SpeedButton1 = new TSpeedButton(this, {.Name = "SpeedButton1", .Parent = Panel1,     .Bounds = {264, 264, 94, 21},  .Text = "Menu items  ", .Hint = "Click here !", .Font = kHeading, .Cursor = crHandPoint, .OnClick = Bind<&TForm1::SpeedButton1Click>(this)}, IDB_HAND, 2);
    ScrollBox1   = new TScrollBox(this,   {.Name = "ScrollBox1",   .Parent = Panel1,     .Bounds = {264, 315, 228, 34}, .Cursor = crHandPoint, .OnClick = Bind<&TForm1::SpeedButton2Click>(this)}, clBackground);
    Image1       = new TImage(this,       {.Name = "Image1",       .Parent = ScrollBox1, .Bounds = {6, 0, 32, 32},      .Cursor = crHandPoint, .OnClick = Bind<&TForm1::SpeedButton2Click>(this)}, IDI_MAINICON);
    Panel2       = new TPanel(this,       {.Name = "Panel2",       .Parent = this,       .Bounds = {0, 361, 504, 41},   .Align = alBottom});
    SpeedButton2 = new TSpeedButton(this, {.Name = "SpeedButton2", .Parent = Panel1,     .Bounds = {264, 291, 94, 21},  .Text = "Color          ", .Hint = "Click here !", .Font = kHeading, .Cursor = crHandPoint, .OnClick = Bind<&TForm1::SpeedButton2Click>(this)}, IDB_HAND, 2);
    SpeedButton3 = new TSpeedButton(this, {.Name = "SpeedButton3", .Parent = Panel2,     .Bounds = {94, 9, 70, 25},     .Text = "Save", .Hint = "Update current configuration file", .Font = kPlainBlack, .OnClick = Bind<&TForm1::SpeedButton3Click>(this)}, IDB_SAVE);
    Bevel1       = new TBevel(this,       {.Name = "Bevel1",       .Parent = Panel1,     .Bounds = {249, 1, 10, 361}});
    SpeedButton4 = new TSpeedButton(this, {.Name = "SpeedButton4", .Parent = Panel2,     .Bounds = {423, 9, 70, 25},    .Text = "Exit", .Hint = "Exit program", .Font = kPlainBlack, .OnClick = Bind<&TForm1::SpeedButton4Click>(this)}, IDB_EXIT);
    ColorDialog1 = new TColorDialog(this, "ColorDialog1");
    SpeedButton5 = new TSpeedButton(this, {.Name = "SpeedButton5", .Parent = Panel1,     .Bounds = {264, 101, 94, 21},  .Text = "About         ", .Hint = "Click here !", .Font = kHeading, .Cursor = crHandPoint, .OnClick = Bind<&TForm1::SpeedButton5Click>(this)}, IDB_HAND, 2);
    HelpBtn      = new TSpeedButton(this, {.Name = "HelpBtn",      .Parent = Panel2,     .Bounds = {259, 9, 70, 25},    .Text = "Help", .Hint = "Call help", .OnClick = Bind<&TForm1::HelpBtnClick>(this)}, IDB_HELP);
    AboutBtn     = new TSpeedButton(this, {.Name = "AboutBtn",     .Parent = Panel2,     .Bounds = {341, 9, 70, 25},    .Text = "About", .Hint = "About Glimsel Configuration", .OnClick = Bind<&TForm1::AboutBtnClick>(this)}, IDB_ABOUT);
    Msg1         = new msg32::TMsg(this, "Msg1");
    SaveAsBtn    = new TSpeedButton(this, {.Name = "SaveAsBtn",    .Parent = Panel2,     .Bounds = {176, 9, 70, 25},    .Text = "Save as", .Hint = "Save configuration file as ...", .OnClick = Bind<&TForm1::SaveAsBtnClick>(this)}, IDB_SAVEAS);
    SaveDialog1  = new TSaveDialog(this, "SaveDialog1");
    OpenBtn      = new TSpeedButton(this, {.Name = "OpenBtn",      .Parent = Panel2,     .Bounds = {12, 9, 70, 25},     .Text = "Open", .Hint = "Open configuration file", .OnClick = Bind<&TForm1::OpenBtnClick>(this)}, IDB_OPEN);
    OpenDialog1  = new TOpenDialog(this, "OpenDialog1");
    // clang-format on

    SaveDialog1->Title = "Save configuration file as ...";
    SaveDialog1->Filter = kFileFilter;
    SaveDialog1->Options = ofOverwritePrompt | ofHideReadOnly;
    OpenDialog1->Title = "Open configuration file ...";
    OpenDialog1->Filter = kFileFilter;
    OpenDialog1->DefaultExt = "ini";
    OpenDialog1->Options = ofHideReadOnly | ofPathMustExist | ofFileMustExist;

    // Tab goes Edit1 to Edit7, the check boxes and the memos; each label
    // stands directly before the box it names, which is where screen readers
    // look for the name.
    SetTabOrder({Label3, Label1, Edit1, Label2, Edit2, Label4,    Label5,    Edit3,   Label6, Edit4,        Label7,
                 Edit5,  Label8, Edit6, Label9, Edit7, CheckBox1, CheckBox2, Label10, Memo1,  SpeedButton5, Memo2});
    // The About lines are named by the button above them, which is no label.
    Memo2->Accessibility.Name = SpeedButton5->AccessibleName();
    ScrollBox1->Accessibility = {.Role = kRolePushButton, .Name = "Color", .DefaultAction = "Click"};

    CommandLineProfile = ProfileArgument();
    savedValues_ = Document();
}

}  // namespace glim
