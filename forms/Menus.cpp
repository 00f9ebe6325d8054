#include "forms/Menus.h"

#include "forms/Application.h"
#include "forms/Controls.h"

namespace forms {

TMenuItem::TMenuItem(TComponent* owner, const MenuItemDef& def)
    : TComponent(owner, def.Name),
      OnClick(def.OnClick),
      caption_(def.Caption),
      hint_(def.Hint),
      visible_(def.Visible) {}

MenuHandle TPopupMenu::BuildMenu() const {
    MenuHandle menu(CreatePopupMenu());
    for (size_t i = 0; i < items_.size(); ++i) {
        const TMenuItem* item = items_[i];
        if (!item->Visible()) continue;
        if (item->IsLine())
            AppendMenuA(menu.Get(), MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu.Get(), MF_STRING, i + 1, item->Caption().c_str());
    }
    return menu;
}

void TPopupMenu::Popup(int x, int y) {
    MenuHandle menu = BuildMenu();
    TForm* form = dynamic_cast<TForm*>(Owner());
    HWND owner = form ? form->Handle() : (Application ? Application->Handle() : nullptr);
    // The menu needs its owner in the foreground to close when clicked away.
    if (owner) SetForegroundWindow(owner);
    UINT id = static_cast<UINT>(TrackPopupMenu(
        menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr));
    if (owner) PostMessageA(owner, WM_NULL, 0, 0);
    if (id >= 1 && id <= items_.size()) items_[id - 1]->Click();
}

}  // namespace forms
