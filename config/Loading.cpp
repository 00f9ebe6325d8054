#include "config/Loading.h"

#include "config/IniFile.h"
#include "config/NumberSyntax.h"
#include "config/ProfileFiles.h"

namespace config {

namespace {

class IniFileReader : public TProfileReader {
public:
    explicit IniFileReader(const std::string& path) : ini_(path) {}
    std::string ReadValue(const std::string& section, const std::string& key,
                          const std::string& defaultValue) const override {
        return ini_.ReadValue(section, key, defaultValue);
    }
    std::int32_t ReadNumber(const std::string& section, const std::string& key,
                            std::int32_t defaultValue) const override {
        return ini_.ReadNumber(section, key, defaultValue);
    }

private:
    TIniFile ini_;
};

}  // namespace

void ReadDocument(const TProfileReader& in, TConfigDocument& doc) {
    for (const std::size_t row : kLoadOrder) {
        const ProfileKey& k = kProfileKeys[row];
        switch (k.kind) {
            case ValueKind::Masks:
                doc.Masks = DecodeMasks([&](const std::string& key) { return in.ReadValue(k.section, key, ""); });
                break;
            case ValueKind::AboutLines:
                doc.AboutLines.clear();
                for (std::size_t n = 1; n <= kAboutLineCount; ++n)
                    doc.AboutLines.push_back(DecodeAboutLine(in.ReadValue(k.section, AboutKey(n), "")));
                break;
            case ValueKind::Colour:
                // A colour that is missing, empty, not a number or 0 leaves
                // the preview as it is; nothing about it is ever reported.
                try {
                    if (auto colour = DecodeColour(in.ReadValue(k.section, k.key, ""))) doc.Color = *colour;
                } catch (...) {}
                break;
            case ValueKind::FlagNotZero:
            case ValueKind::FlagExactlyOne:
                doc.*k.flag = FlagTicked(k.kind, in.ReadNumber(k.section, k.key, *ParseNumber(k.missing)));
                break;
            case ValueKind::Text:
            case ValueKind::FileName:
            case ValueKind::LowerCaseText:
                TextField(doc, k) = DecodeText(k.kind, in.ReadValue(k.section, k.key, k.missing));
                break;
        }
    }
}

void LoadDocument(const std::string& path, TConfigDocument& doc) {
    const TReadHold hold(path);
    const IniFileReader ini(path);
    ReadDocument(ini, doc);
}

}  // namespace config
