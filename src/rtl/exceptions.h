#pragma once
#include <exception>
#include <string>

// The runtime's failure: a message for the user and a numeric help context
// that callers use as an error code.
class Exception : public std::exception {
public:
    explicit Exception(std::string message, int helpContext = 0)
        : Message(std::move(message)), HelpContext(helpContext) {}
    const char* what() const noexcept override { return Message.c_str(); }

    std::string Message;
    int HelpContext;
};

class EConvertError : public Exception {
    using Exception::Exception;
};

class EListError : public Exception {
    using Exception::Exception;
};

class EPropertyError : public Exception {
    using Exception::Exception;
};

class EInOutError : public Exception {
public:
    EInOutError(std::string message, int errorCode)
        : Exception(std::move(message)), ErrorCode(errorCode) {}
    int ErrorCode;
};

class EOutOfMemory : public Exception {
    using Exception::Exception;
};

// Turns whatever was thrown into the text a message box shows.
std::string ExceptionMessage(std::exception_ptr error);
