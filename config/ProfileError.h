#pragma once
// The error of a profile that cannot be read or written. It names the file as
// it was given; its message is the plain wording, which the program may give
// in words of its own.

#include <string>

#include "forms/Exception.h"

namespace config {

class EProfileError : public forms::Exception {
public:
    enum class TAction { Read, Write };

    EProfileError(TAction action, std::string fileName)
        : Exception((action == TAction::Write ? "Unable to write to " : "Unable to read ") + fileName),
          action_(action),
          fileName_(std::move(fileName)) {}

    TAction Action() const noexcept { return action_; }
    const std::string& FileName() const noexcept { return fileName_; }

private:
    TAction action_;
    std::string fileName_;
};

}  // namespace config
