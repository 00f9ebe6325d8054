#pragma once
// The error of a profile that cannot be read or written. It says which of the
// two failed and names the file as it was given; the program puts it into
// words of its own (its string table), so its message is only the name.

#include <string>

#include "forms/Exception.h"

namespace config {

class EProfileError : public forms::Exception {
public:
    enum class TAction { Read, Write };

    EProfileError(TAction action, const std::string& fileName)
        : Exception(fileName), action_(action), fileName_(fileName) {}

    TAction Action() const noexcept { return action_; }
    const std::string& FileName() const noexcept { return fileName_; }

private:
    TAction action_;
    std::string fileName_;
};

}  // namespace config
