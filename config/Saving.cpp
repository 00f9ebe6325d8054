#include "config/Saving.h"

#include <functional>
#include <utility>
#include <vector>

#include "config/IniFile.h"
#include "config/ProfileFiles.h"
#include "forms/Exception.h"

namespace config {

namespace {

// Writes through a TIniFile on the file at path; a refused write names the
// profile, which is not always the file written.
class IniFileWriter : public TProfileWriter {
public:
    IniFileWriter(const std::string& path, const std::string& profile) : ini_(path), profile_(profile) {}
    void WriteValue(const std::string& section, const std::string& key, const std::string& value) override {
        Guard([&] { ini_.WriteValue(section, key, value); });
    }
    void WriteFlag(const std::string& section, const std::string& key, bool flag) override {
        Guard([&] { ini_.WriteFlag(section, key, flag); });
    }
    void ClearSection(const std::string& section) override {
        Guard([&] { ini_.ClearSection(section); });
    }

private:
    template <typename Write>
    void Guard(Write write) {
        try {
            write();
        } catch (const forms::Exception&) {
            throw forms::Exception(UnableToWriteMessage(profile_));
        }
    }

    TIniFile ini_;
    const std::string& profile_;
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

void SaveWholeProfile(const std::string& path, const std::function<void(TProfileWriter&)>& write) {
    TProfileDraft draft(path);
    {
        IniFileWriter ini(draft.WritePath(), path);
        write(ini);
    }
    draft.Commit();
}

void SaveDocument(const std::string& path, const TConfigDocument& doc) {
    SaveWholeProfile(path, [&doc](TProfileWriter& out) { WriteDocument(out, doc); });
}

}  // namespace config
