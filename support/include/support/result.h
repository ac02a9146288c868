#pragma once
// The outcome of reading data from outside the program: a value, or a message that says what is
// wrong with the input. Faults of the caller are not results; they are asserted.
#include <cassert>
#include <optional>
#include <string>
#include <utility>

namespace support {

template <class T>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT: a value converts to a success
    static Result Fail(std::string message) { return Result(std::move(message), 0); }

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }
    T& operator*() {
        assert(ok());
        return *value_;
    }
    const T& operator*() const {
        assert(ok());
        return *value_;
    }
    T* operator->() { return &**this; }
    const T* operator->() const { return &**this; }
    // What is wrong; empty on success.
    const std::string& error() const { return error_; }

  private:
    Result(std::string message, int) : error_(std::move(message)) {}

    std::optional<T> value_;
    std::string error_;
};

// A result without a value: success, or what went wrong.
class [[nodiscard]] Status {
  public:
    Status() = default;
    static Status Ok() { return {}; }
    static Status Fail(std::string message) {
        Status status;
        status.error_ = std::move(message);
        return status;
    }
    bool ok() const { return error_.empty(); }
    explicit operator bool() const { return ok(); }
    const std::string& error() const { return error_; }

  private:
    std::string error_;
};

}  // namespace support
