#include "forms/InputDialog.h"

#include "forms/Services.h"

namespace forms {

bool PromptForText(const std::string& caption, const std::string& prompt, std::string& value) {
    return ModalServices().PromptForText(caption, prompt, value);
}

// The real dialog. Not built yet: it answers Cancel.
bool RunPromptForText(const std::string&, const std::string&, std::string&) { return false; }

}  // namespace forms
