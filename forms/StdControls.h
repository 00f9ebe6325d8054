#pragma once
// The standard controls: label, edit, memo and check box, each a subclassed
// Windows control.

#include <memory>

#include "forms/Controls.h"
#include "forms/Strings.h"

namespace forms {

class TLabel : public TWinControl {
public:
    TLabel(TComponent* owner, const ControlDef& def);
    int ContentWidth() const override;

protected:
    bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

// ecLowerCase: letters typed are turned to lower case.
enum class TEditCharCase { ecNormal, ecLowerCase };

class TEdit : public TWinControl {
public:
    TEdit(TComponent* owner, const ControlDef& def, TEditCharCase charCase = TEditCharCase::ecNormal);
};

class TMemo;

// A memo's lines, read from and written to the control itself. Every call
// fetches the memo's text once, so reading all lines is one ToVector() (or
// Text()), never a loop over Get().
class TMemoLines : public TStrings {
public:
    explicit TMemoLines(TMemo& memo) : memo_(memo) {}
    std::vector<std::string> ToVector() const override;

protected:
    void SetLines(const std::vector<std::string>& lines) override;

private:
    TMemo& memo_;
};

// A multi-line edit without word wrap or scroll bars, for text of any
// length. Enter starts a new line; Tab moves on to the next control.
class TMemo : public TWinControl {
public:
    TMemo(TComponent* owner, const ControlDef& def, const std::vector<std::string>& lines = {});
    TStrings& Lines() noexcept { return lines_; }
    const TStrings& Lines() const noexcept { return lines_; }

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    TMemoLines lines_{*this};
};

class TCheckBox : public TWinControl {
public:
    TCheckBox(TComponent* owner, const ControlDef& def, bool checked = false);
    bool Checked() const;
    void SetChecked(bool checked);
    int ContentWidth() const override;

protected:
    bool Notify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
};

}  // namespace forms
