#pragma once
// Popup menus and their items. The menu is built afresh from its items each
// time it opens, so a changed caption or visibility shows at the next opening.

#include <string>
#include <vector>

#include "forms/Component.h"
#include "forms/Graphics.h"

namespace forms {

// One item of a menu's definition.
struct MenuItemDef {
    const char* Name = "";
    std::string Caption;
    std::string Hint;
    bool Visible = true;
    TNotifyEvent OnClick{};
};

class TMenuItem : public TComponent {
public:
    TMenuItem(TComponent* owner, const MenuItemDef& def);

    const std::string& Caption() const noexcept { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    const std::string& Hint() const noexcept { return hint_; }
    bool Visible() const noexcept { return visible_; }
    // A caption of exactly "-" makes the item a separator line.
    bool IsLine() const noexcept { return caption_ == "-"; }

    TNotifyEvent OnClick;
    void Click() { OnClick(this); }

private:
    std::string caption_;
    std::string hint_;
    bool visible_;
};

class TPopupMenu : public TComponent {
public:
    using TComponent::TComponent;

    void Add(TMenuItem* item) { items_.push_back(item); }
    int Count() const noexcept { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const { return items_.at(static_cast<size_t>(index)); }

    // The menu as it opens now: visible items only, separators as lines.
    // Each command id is the item's index plus one.
    MenuHandle BuildMenu() const;
    // Opens the menu with its top-left corner at a screen point; the chosen
    // item's OnClick runs after the menu has closed.
    void Popup(int x, int y);

private:
    std::vector<TMenuItem*> items_;
};

}  // namespace forms
