#pragma once
// TMsg, the message-box component. It shows modal boxes of a typed kind and,
// from its creation on, is the application's handler of unhandled errors,
// which it shows in a stop box.

#include <memory>
#include <span>
#include <string>

#include "forms/Application.h"
#include "forms/Format.h"
#include "forms/Strings.h"
#include "msg32/MsgChoices.h"

namespace msg32 {

using forms::FormatArg;
using forms::TComponent;
using forms::TObject;

// The silent error that abandons a command after an mbError box. It is not
// an EAbort, so it reaches the application's error event, where the
// component that raised it swallows it.
class EMsgError : public forms::Exception {
public:
    EMsgError() : Exception("") {}
};

class TMsg : public TComponent {
public:
    explicit TMsg(TComponent* owner, std::string name = {});
    ~TMsg() override;

    bool ShowIcons = true;
    std::string BoxCaption;
    std::string BoxMessage;
    MsgType BoxType = mbInformation;
    forms::TNotifyEvent OnMessage;

    forms::TStrings& Messages() noexcept { return *messages_; }
    forms::TStrings& Captions() noexcept { return *captions_; }
    // Copy the given lines into the component's own lists.
    void SetMessages(const forms::TStrings& lines) { messages_->Assign(lines); }
    void SetCaptions(const forms::TStrings& lines) { captions_->Assign(lines); }

    // The button id of the last box shown; 0 until one was.
    int BoxResult() const noexcept { return boxResult_; }

    // Shows text (kept in BoxMessage) as a box of the given kind, with
    // BoxCaption; returns the button id, or 0 when the text is empty.
    int ShowText(MsgType kind, const std::string& text);

    // Shows line messageIndex of Messages (or BoxMessage) filled from args,
    // with line captionIndex of Captions (or BoxCaption) as its caption.
    int ShowBox(MsgType kind, int captionIndex, int messageIndex, std::span<const FormatArg> args);

    // The application's error event while this component is in charge.
    void ShowError(TObject* sender, const forms::Exception& error);
    // Installed for exactly one error after an mbError box: puts the handler
    // back that was in charge, and shows nothing.
    void SwallowAbort(TObject* sender, const forms::Exception& error);

private:
    int ShowBoxImpl(MsgType kind, int captionIndex, int messageIndex, std::span<const FormatArg> args, bool literal);
    bool Owns(const forms::TExceptionEvent& handler) const noexcept;
    // The handler in charge: when handler is some component's SwallowAbort,
    // the one that component will put back; otherwise handler itself.
    static forms::TExceptionEvent InCharge(const forms::TExceptionEvent& handler);

    std::unique_ptr<forms::TStringList> messages_;
    std::unique_ptr<forms::TStringList> captions_;
    int boxResult_ = 0;
    forms::TExceptionEvent savedHandler_;
    forms::TExceptionEvent resumeHandler_;
};

}  // namespace msg32
