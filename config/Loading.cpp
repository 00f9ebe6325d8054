#include "config/Loading.h"

#include "config/IniFile.h"
#include "config/ProfileFiles.h"

namespace config {

namespace {
const ProfileKey& Key(const char* section, const char* key) { return *FindProfileKey(section, key); }
}  // namespace

void LoadDocument(const std::string& path, TConfigDocument& doc) {
    const TReadHold hold(path);
    const TIniFile ini(path);
    auto text = [&](const char* section, const char* key) {
        const ProfileKey& k = Key(section, key);
        return DecodeText(k.kind, ini.ReadValue(k.section, k.key, k.missing));
    };
    auto flag = [&](const char* key) {
        const ProfileKey& k = Key(kOptions, key);
        return FlagTicked(k.kind, ini.ReadNumber(k.section, k.key, std::stoi(k.missing)));
    };

    doc.Title = text(kCaptions, "Title");
    doc.Dialog = text(kCaptions, "Dialog");
    doc.HelpFile = text(kOptions, "HelpFile");
    doc.Home = text(kOptions, "Home");
    doc.Mail = text(kOptions, "Mail");
    doc.Open = text(kOptions, "Open");
    doc.Default = text(kOptions, "Default");
    doc.EditMask = flag("EditMask");
    doc.ShowFileNames = flag("ShowFileNames");

    for (std::size_t i = 0; i < kMenuItemCount; ++i) doc.MenuCaptions[i] = text(kMenu, kMenuKeys[i].key);

    // A colour that is missing, empty, not a number or 0 leaves the preview
    // as it is; nothing about it is ever reported.
    try {
        if (auto colour = DecodeColour(ini.ReadValue(kOptions, "Color", ""))) doc.Color = *colour;
    } catch (...) {
    }

    doc.Masks = DecodeMasks([&](const std::string& key) { return ini.ReadValue(kExtensions, key, ""); });

    doc.AboutLines.clear();
    for (std::size_t n = 1; n <= kAboutLineCount; ++n)
        doc.AboutLines.push_back(DecodeAboutLine(ini.ReadValue(kDialogs, AboutKey(n), "")));
}

}  // namespace config
