#pragma once

#include <stdexcept>
#include <string>

// A failure carrying one of the program's own texts ("Not Found", "not supported").
class TextFailure : public std::runtime_error {
public:
    explicit TextFailure(const std::string& text) : std::runtime_error(text) {}
    std::string Text() const { return what(); }
};

inline const char* const kNotFound = "Not Found";
inline const char* const kNotSupported = "not supported";

[[noreturn]] inline void ThrowNotFound() { throw TextFailure(kNotFound); }
[[noreturn]] inline void ThrowNotSupported() { throw TextFailure(kNotSupported); }

// A failure of the archive itself: the file is not a forecast the reader can follow.
class ArchiveFailure : public std::runtime_error {
public:
    enum class Kind { EndOfFile, BadClass, BadSchema, BadIndex };

    explicit ArchiveFailure(Kind kind) : std::runtime_error(Describe(kind)), kind_(kind) {}
    Kind GetKind() const { return kind_; }

private:
    static const char* Describe(Kind kind) {
        switch (kind) {
        case Kind::EndOfFile: return "unexpected end of file";
        case Kind::BadClass: return "unknown or unexpected class";
        case Kind::BadSchema: return "unexpected class schema";
        case Kind::BadIndex: return "bad object index";
        }
        return "archive failure";
    }
    Kind kind_;
};
