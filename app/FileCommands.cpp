// Open, Save and Save as.

#include "app/Form1.h"

namespace glim {

void TForm1::OpenBtnClick(TObject*) {}
void TForm1::SpeedButton3Click(TObject*) {}
void TForm1::SaveAsBtnClick(TObject*) {}
void TForm1::SaveConfiguration(const std::string&) {}

}  // namespace glim
