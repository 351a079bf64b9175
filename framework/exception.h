#pragma once

#include <exception>
#include <string>

// A failure with a message for the user. It records the address it was raised
// from, which the last-resort display at start-up shows.
class Exception : public std::exception {
public:
    explicit Exception(std::string message);

    const std::string& Message() const { return message_; }
    const void* Address() const { return address_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
    const void* address_;
};

// The silent failure: it ends what is running and shows nothing.
class EAbort : public Exception {
public:
    EAbort() : Exception("Operation aborted") {}
};
