#include "config/Saving.h"

#include <utility>
#include <vector>

#include "config/IniFile.h"

namespace config {

namespace {

class IniFileWriter : public TProfileWriter {
public:
    explicit IniFileWriter(const std::string& path) : ini_(path) {}
    void WriteValue(const std::string& section, const std::string& key, const std::string& value) override {
        ini_.WriteValue(section, key, value);
    }
    void WriteFlag(const std::string& section, const std::string& key, bool flag) override {
        ini_.WriteFlag(section, key, flag);
    }
    void ClearSection(const std::string& section) override { ini_.ClearSection(section); }

private:
    TIniFile ini_;
};

}  // namespace

void WriteDocument(TProfileWriter& out, const TConfigDocument& doc) {
    out.WriteValue(kCaptions, "Title", doc.Title);
    out.WriteValue(kCaptions, "Dialog", doc.Dialog);

    for (std::size_t i = 0; i < kMenuItemCount; ++i) out.WriteValue(kMenu, kMenuKeys[i].key, doc.MenuCaptions[i]);

    out.ClearSection(kExtensions);
    for (const auto& [key, value] : EncodeMasks(doc.Masks)) out.WriteValue(kExtensions, key, value);

    out.WriteFlag(kOptions, "EditMask", doc.EditMask);
    out.WriteFlag(kOptions, "ShowFileNames", doc.ShowFileNames);
    out.WriteValue(kOptions, "HelpFile", FileNamePart(doc.HelpFile));
    out.WriteValue(kOptions, "Open", doc.Open);
    out.WriteValue(kOptions, "Default", doc.Default);
    out.WriteValue(kOptions, "Home", doc.Home);
    out.WriteValue(kOptions, "Mail", doc.Mail);
    out.WriteValue(kOptions, "Color", EncodeColour(doc.Color));

    out.ClearSection(kDialogs);
    const auto about = EncodeAboutLines(doc.AboutLines);
    for (std::size_t n = 1; n <= kAboutLineCount; ++n) out.WriteValue(kDialogs, AboutKey(n), about[n - 1]);
}

void SaveDocument(const std::string& path, const TConfigDocument& doc) {
    IniFileWriter ini(path);
    WriteDocument(ini, doc);
}

}  // namespace config
