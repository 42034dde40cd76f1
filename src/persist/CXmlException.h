#pragma once

#include <exception>
#include <string>

namespace Xml {

// A syntax error of the XML reader; the message names the step that failed.
class CXmlException : public std::exception {
public:
    explicit CXmlException(std::string message) : message_(std::move(message)) {}
    const std::string& message() const { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

} // namespace Xml
