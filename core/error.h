#pragma once
// How the program's errors travel: a routine that can fail returns a Status,
// or a Result that holds its value, and the caller passes a failure on with
// TRY / TRY_ASSIGN until the one guard of the event shows it in the error
// box. The text is what the user reads there, so it is built from the exact
// message texts (see error_text.h). There are no C++ exceptions: the exe
// must run on an i486, and the prebuilt unwinder needs a Pentium Pro.
#include <string>
#include <utility>

class [[nodiscard]] Status {
public:
    Status() = default;  // success
    static Status Failure(std::string message)
    {
        Status status;
        status.failed_ = true;
        status.message_ = std::move(message);
        return status;
    }
    bool ok() const { return !failed_; }
    const std::string& Message() const { return message_; }

private:
    bool failed_ = false;
    std::string message_;
};

inline Status Fail(std::string message) { return Status::Failure(std::move(message)); }

// A value, or the failure that kept it from being made.
template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Status failure) : status_(std::move(failure)) {}
    bool ok() const { return status_.ok(); }
    const Status& status() const { return status_; }
    T& operator*() { return value_; }
    const T& operator*() const { return value_; }
    T* operator->() { return &value_; }
    const T* operator->() const { return &value_; }

private:
    T value_{};
    Status status_;
};

#define TARNWICK_CONCAT_(a, b) a##b
#define TARNWICK_CONCAT(a, b) TARNWICK_CONCAT_(a, b)

// Returns a failed Status from the enclosing routine.
#define TRY(expr)                                    \
    do {                                             \
        Status tryStatus_ = (expr);                  \
        if (!tryStatus_.ok())                        \
            return tryStatus_;                       \
    } while (0)

// Declares or assigns `lhs` from a Result, or returns its failure. It is
// more than one statement: under an if, give it braces.
#define TRY_ASSIGN(lhs, expr) TRY_ASSIGN_(TARNWICK_CONCAT(tryResult_, __LINE__), lhs, expr)
#define TRY_ASSIGN_(tmp, lhs, expr)  \
    auto tmp = (expr);               \
    if (!tmp.ok())                   \
        return tmp.status();         \
    lhs = std::move(*tmp)
