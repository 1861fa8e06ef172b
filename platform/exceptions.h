#pragma once

#include <stdexcept>
#include <string>

// The exception family the system raises; every one carries a readable message.
class Exception : public std::runtime_error {
public:
    explicit Exception(const std::string& Message) : std::runtime_error(Message) {}
    std::string Message() const { return what(); }
};

class EStreamError : public Exception {
public:
    using Exception::Exception;
};

class EReadError : public EStreamError {
public:
    EReadError() : EStreamError("Stream read error") {}
    using EStreamError::EStreamError;
};

class EWriteError : public EStreamError {
public:
    EWriteError() : EStreamError("Stream write error") {}
    using EStreamError::EStreamError;
};

class EFOpenError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};

// A file operation of the system's own that failed (missing file, failed line write).
class EInOutError : public Exception {
public:
    using Exception::Exception;
};

class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// An index or offset outside what a list holds.
class ERangeError : public Exception {
public:
    using Exception::Exception;
};
