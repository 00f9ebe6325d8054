#pragma once
// The text-input dialog.

#include <cstdint>
#include <string>

namespace forms {

// Shows a modal dialog with a prompt and an edit box holding value. Returns
// true, and the edited text in value, only when closed with OK.
bool PromptForText(const std::string& caption, const std::string& prompt, std::string& value);

// The real dialog behind PromptForText (the default of its service entry).
bool RunPromptForText(const std::string& caption, const std::string& prompt, std::string& value);

// n * numerator / denominator to the nearest whole number, halves away from
// zero, as MulDiv rounds; -1 for a zero denominator, as MulDiv answers.
constexpr int MulDivRounded(int n, int numerator, int denominator) {
    if (denominator == 0) return -1;
    const std::int64_t product = static_cast<std::int64_t>(n) * numerator;
    const std::int64_t d = denominator < 0 ? -static_cast<std::int64_t>(denominator) : denominator;
    const std::int64_t p = denominator < 0 ? -product : product;
    const std::int64_t q = p >= 0 ? (2 * p + d) / (2 * d) : -((-2 * p + d) / (2 * d));
    return static_cast<int>(q);
}

// The measures of the input dialog, from its font: the average character
// width aw (the width of "A".."Z" "a".."z" divided by 52, remainder dropped)
// and the text height ch. A horizontal unit is a quarter of aw, a vertical
// one an eighth of ch.
struct DialogUnits {
    int aw = 0;
    int ch = 0;

    static constexpr DialogUnits FromLetters(int lettersWidth, int lettersHeight) {
        return {lettersWidth / 52, lettersHeight};
    }
    constexpr int X(int n) const { return MulDivRounded(n, aw, 4); }
    constexpr int Y(int n) const { return MulDivRounded(n, ch, 8); }
};

struct DialogRect {
    int Left = 0, Top = 0, Width = 0, Height = 0;
    friend constexpr bool operator==(const DialogRect&, const DialogRect&) = default;
};

// Where the input dialog's parts go, in client pixels.
struct PromptLayout {
    int ClientWidth = 0, ClientHeight = 0;
    DialogRect Label, Edit, Ok, Cancel;
};

// The label is as large as its text; the edit box has the height that an
// edit box needs for the font.
constexpr PromptLayout LayOutPrompt(DialogUnits u, int promptWidth, int promptHeight, int editHeight) {
    PromptLayout l;
    l.ClientWidth = u.X(180);
    l.ClientHeight = u.Y(63);
    l.Label = {u.X(8), u.Y(8), promptWidth, promptHeight};
    l.Edit = {l.Label.Left, u.Y(19), u.X(164), editHeight};
    l.Ok = {u.X(38), u.Y(41), u.X(50), u.Y(14)};
    l.Cancel = {u.X(92), u.Y(41), u.X(50), u.Y(14)};
    return l;
}

}  // namespace forms
