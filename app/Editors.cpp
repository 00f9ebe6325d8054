// The menu-caption, colour and About-preview editors. They change the
// window's controls only; Save writes what they changed.

#include "app/AboutText.h"
#include "app/Form1.h"
#include "forms/InputDialog.h"

using namespace forms;

namespace glim {

// Opens the icon menu with its top-left corner at the mouse cursor, wherever
// on the button the click was made.
void TForm1::SpeedButton1Click(TObject*) {
    POINT cursor{};
    if (!GetCursorPos(&cursor)) throw Exception("Cannot find the mouse cursor to open the menu");
    IconMenu->Popup(cursor.x, cursor.y);
}

// Renames the chosen menu item. Only a confirmed, non-empty text replaces the
// caption, exactly as typed: blanks stay, "&" stays an access key, and "-"
// turns the item into a separator line.
void TForm1::SetCaption(TObject* Sender) {
    auto* item = dynamic_cast<TMenuItem*>(Sender);
    if (!item) throw Exception("Only a menu item's caption can be edited here");
    std::string caption = item->Caption();
    if (PromptForText("Menu Items ...", "Enter new caption ...", caption) && !caption.empty())
        item->SetCaption(caption);
}

// Picks the preview colour, starting from the current one. Anything but OK
// (Cancel, the close box, a dialog that could not open) means no colour.
void TForm1::SpeedButton2Click(TObject*) {
    ColorDialog1->Color = ScrollBox1->Color();
    ScrollBox1->SetColor(ColorDialog1->Execute() ? ColorDialog1->Color : clBackground);
}

// Shows the About lines as the viewer will show them. The text goes through
// the box's formatting as the viewer's does, so a stray "%" fails here too
// and is reported as an error.
void TForm1::SpeedButton5Click(TObject*) {
    std::string text;
    ComposeAboutText(text);
    Msg1->ShowText(msg32::mbInformation, text);
}

void TForm1::ComposeAboutText(std::string& text) { text = ComposeAboutPreview(Memo2->Lines().ToVector()); }

}  // namespace glim
