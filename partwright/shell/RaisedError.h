#pragma once

#include "shared/core/Failure.h"

#include <string>

namespace pw::shell {

// An error raised by a class of the program: a number (the Failure's code), a source naming the
// class ("Partwright.cRegistry") and a message.
class RaisedError : public Failure {
public:
    RaisedError(std::int32_t number, std::string source, const std::string& message)
        : Failure(number, message), source_(std::move(source)) {}
    const std::string& source() const noexcept { return source_; }

private:
    std::string source_;
};

} // namespace pw::shell
