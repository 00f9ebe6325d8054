#pragma once
// The text-input dialog.

#include <string>

namespace forms {

// Shows a modal dialog with a prompt and an edit box holding value. Returns
// true, and the edited text in value, only when closed with OK.
bool PromptForText(const std::string& caption, const std::string& prompt, std::string& value);

}  // namespace forms
