// The menu-caption, colour and About-preview editors.

#include "app/Form1.h"

namespace glim {

void TForm1::SpeedButton1Click(TObject*) {}
void TForm1::SetCaption(TObject*) {}
void TForm1::SpeedButton2Click(TObject*) {}
void TForm1::SpeedButton5Click(TObject*) {}
void TForm1::ComposeAboutText(std::string& text) { text.clear(); }

}  // namespace glim
