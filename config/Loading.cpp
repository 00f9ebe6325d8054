#include "config/Loading.h"

#include "config/IniFile.h"
#include "config/NumberSyntax.h"
#include "config/ProfileFiles.h"

namespace config {

void LoadDocument(const std::string& path, TConfigDocument& doc) {
    const TReadHold hold(path);
    const TIniFile ini(path);
    for (const ProfileKey& k : kProfileKeys) {
        switch (k.kind) {
            case ValueKind::Masks:
                doc.Masks = DecodeMasks([&](const std::string& key) { return ini.ReadValue(k.section, key, ""); });
                break;
            case ValueKind::AboutLines:
                doc.AboutLines.clear();
                for (std::size_t n = 1; n <= kAboutLineCount; ++n)
                    doc.AboutLines.push_back(DecodeAboutLine(ini.ReadValue(k.section, AboutKey(n), "")));
                break;
            case ValueKind::Colour:
                // A colour that is missing, empty, not a number or 0 leaves
                // the preview as it is; nothing about it is ever reported.
                try {
                    if (auto colour = DecodeColour(ini.ReadValue(k.section, k.key, ""))) doc.Color = *colour;
                } catch (...) {}
                break;
            case ValueKind::FlagNotZero:
            case ValueKind::FlagExactlyOne:
                doc.*k.flag = FlagTicked(k.kind, ini.ReadNumber(k.section, k.key, *ParseNumber(k.missing)));
                break;
            case ValueKind::Text:
            case ValueKind::FileName:
            case ValueKind::LowerCaseText:
                TextField(doc, k) = DecodeText(k.kind, ini.ReadValue(k.section, k.key, k.missing));
                break;
        }
    }
}

}  // namespace config
