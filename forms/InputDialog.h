#pragma once
// The text-input dialog.

#include <string>

#include "forms/Win.h"

namespace forms {

// Shows a modal dialog with a prompt and an edit box holding value. Returns
// true, and the edited text in value, only when closed with OK.
bool PromptForText(const std::string& caption, const std::string& prompt, std::string& value);

// The real dialog behind PromptForText (the default of its service entry).
bool RunPromptForText(const std::string& caption, const std::string& prompt, std::string& value);

struct DialogRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    friend constexpr bool operator==(const DialogRect&, const DialogRect&) = default;
};

// Where the input dialog's parts go, in client pixels.
struct PromptLayout {
    int ClientWidth = 0, ClientHeight = 0;
    DialogRect Label, Edit, Ok, Cancel;
};

// The layout in units of the dialog's font: `letters` is the size of the text
// "A".."Z" "a".."z" in it. The average character width aw is its width / 52,
// the remainder dropped, and the character height ch its height; a horizontal
// unit is a quarter of aw and a vertical one an eighth of ch, each rounded as
// MulDiv rounds. The label is as large as its text (`prompt`); the edit box
// has the height that an edit box needs for the font.
PromptLayout LayOutPrompt(SIZE letters, SIZE prompt, int editHeight);

}  // namespace forms
