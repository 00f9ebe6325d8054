#pragma once
// The error classes of the framework. Every error that leaves an event
// handler is an Exception (or is turned into one) and reaches the
// application's error event; EAbort and its descendants end a command
// silently.

#include <exception>
#include <string>

namespace forms {

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}

    const std::string& Message() const noexcept { return message_; }
    void SetMessage(std::string message) { message_ = std::move(message); }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// The silent error: the application's error handling ignores it.
class EAbort : public Exception {
public:
    using Exception::Exception;
};

}  // namespace forms
