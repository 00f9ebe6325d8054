#include "msg32/MsgChoices.h"

namespace msg32 {

namespace {
// The platform's message-box flags.
constexpr unsigned kOk = 0x0, kAbortRetryIgnore = 0x2, kYesNoCancel = 0x3, kYesNo = 0x4, kRetryCancel = 0x5;
constexpr unsigned kIconStop = 0x10, kIconQuestion = 0x20, kIconExclamation = 0x30, kIconInformation = 0x40;

struct KindFlags {
    unsigned icon;
    unsigned buttons;
};

constexpr KindFlags kFlags[] = {
    /* mbInformation  */ {kIconInformation, kOk},
    /* mbExclamation  */ {kIconExclamation, kOk},
    /* mbConfirmation */ {kIconQuestion, kYesNo},
    /* mbSelection    */ {kIconQuestion, kYesNoCancel},
    /* mbRetry        */ {kIconQuestion, kRetryCancel},
    /* mbIgnore       */ {kIconQuestion, kAbortRetryIgnore},
    /* mbStop         */ {kIconStop, kOk},
    /* mbError        */ {kIconStop, kOk},
    /* mbTerminate    */ {kIconExclamation, kOk},
};
}  // namespace

MsgType ResolveKind(MsgType kind, std::string_view text) {
    if (kind != mbDefault) return kind;
    if (text.find('?') != std::string_view::npos) return mbConfirmation;
    if (text.find('!') != std::string_view::npos) return mbExclamation;
    return mbInformation;
}

unsigned BoxFlags(MsgType kind, bool showIcons) {
    // An unresolved or unknown kind shows as information.
    if (kind >= mbDefault) kind = mbInformation;
    const KindFlags& f = kFlags[kind];
    return showIcons ? f.icon + f.buttons : f.buttons;
}

std::string ChooseLine(const forms::TStrings& lines, int index, const std::string& fallback) {
    if (index >= 1 && index <= lines.Count()) return lines.Get(index - 1);
    return fallback;
}

}  // namespace msg32
