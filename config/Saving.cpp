#include "config/Saving.h"

#include <functional>
#include <utility>
#include <vector>

#include "config/IniFile.h"
#include "config/ProfileFiles.h"
#include "config/ProfileError.h"

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
        } catch (const EProfileError&) {
            throw EProfileError(EProfileError::TAction::Write, profile_);
        }
    }

    TIniFile ini_;
    const std::string& profile_;
};

}  // namespace

void WriteDocument(TProfileWriter& out, const TConfigDocument& doc) {
    for (const ProfileKey& k : kProfileKeys) {
        switch (k.kind) {
            case ValueKind::Masks:
                out.ClearSection(k.section);
                for (const auto& [key, value] : EncodeMasks(doc.Masks)) out.WriteValue(k.section, key, value);
                break;
            case ValueKind::AboutLines: {
                out.ClearSection(k.section);
                const auto about = EncodeAboutLines(doc.AboutLines);
                for (std::size_t n = 1; n <= kAboutLineCount; ++n) out.WriteValue(k.section, AboutKey(n), about[n - 1]);
                break;
            }
            case ValueKind::Colour: out.WriteValue(k.section, k.key, EncodeColour(doc.Color)); break;
            case ValueKind::FlagNotZero:
            case ValueKind::FlagExactlyOne: out.WriteFlag(k.section, k.key, doc.*k.flag); break;
            case ValueKind::Text:
            case ValueKind::FileName:
            case ValueKind::LowerCaseText:
                out.WriteValue(k.section, k.key, EncodeText(k.kind, TextField(doc, k)));
                break;
        }
    }
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
    SaveWholeProfile(
        path, [&doc](TProfileWriter& out) { WriteDocument(out, doc); });
}

}  // namespace config
