#pragma once
// Failures travel back as values: a corrupt picture, a wrong pixel format or a card that
// cannot be written must end in a message the editor can show, never in an abort.

#include <string>
#include <utility>
#include <variant>

namespace zepo {

struct Error {
    std::string message;
};

// Fixed texts of the colour reduction, shown to the user as they are.
inline constexpr const char* kAssertionFailure = "Assertion failure";
inline constexpr const char* kFilterNeeds24Bit = "BitmapFiletr accepts only 24Bit DIB";
inline constexpr const char* kOutOfMemory = "Out of memory";

template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : state_(std::move(value)) {}
    Result(Error error) : state_(std::move(error)) {}

    bool ok() const { return state_.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(state_); }
    const T& value() const& { return std::get<0>(state_); }
    T&& value() && { return std::get<0>(std::move(state_)); }
    const Error& error() const { return std::get<1>(state_); }

private:
    std::variant<T, Error> state_;
};

template <>
class [[nodiscard]] Result<void> {
public:
    Result() = default;
    Result(Error error) : failed_(true), error_(std::move(error)) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const Error& error() const { return error_; }

private:
    bool failed_ = false;
    Error error_;
};

using Status = Result<void>;

inline Error Fail(std::string message) { return Error{std::move(message)}; }

}  // namespace zepo
