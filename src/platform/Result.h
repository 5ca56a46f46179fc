#pragma once

#include <string>
#include <utility>
#include <variant>

namespace quorbin {

// Why an operation failed: the text shown to the user, naming what failed (a file, the
// program) and the system's reason.
struct Failure {
    std::string text;
};

// Success of an operation that gives nothing back.
struct Ok {};

// The outcome of an operation of a backend: a value, or the failure that kept it from
// being made. There is no default: every result says which it is.
template <class T> class Result {
public:
    Result(T value) : outcome_(std::move(value)) {}           // NOLINT(google-explicit-constructor)
    Result(Failure failure) : outcome_(std::move(failure)) {} // NOLINT(google-explicit-constructor)

    bool ok() const { return outcome_.index() == 0; }
    explicit operator bool() const { return ok(); }

    // Only on success.
    const T& value() const& { return std::get<0>(outcome_); }
    T& value() & { return std::get<0>(outcome_); }
    T&& value() && { return std::get<0>(std::move(outcome_)); }
    const T& operator*() const& { return value(); }
    const T* operator->() const { return &value(); }
    T value_or(T fallback) const { return ok() ? value() : std::move(fallback); }
    bool has_value() const { return ok(); }

    // The failure's text; empty on success.
    const std::string& error() const {
        static const std::string none;
        return ok() ? none : std::get<1>(outcome_).text;
    }

    // As for std::expected: equal to a value only on success with that value.
    friend bool operator==(const Result& result, const T& value) {
        return result.ok() && result.value() == value;
    }

private:
    std::variant<T, Failure> outcome_;
};

template <> class Result<void> {
public:
    Result(Ok /*done*/) {} // NOLINT(google-explicit-constructor)
    Result(Failure failure)
        : failure_(std::move(failure.text)), failed_(true) {} // NOLINT(google-explicit-constructor)

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    // The failure's text; empty on success.
    const std::string& error() const { return failure_; }

private:
    std::string failure_;
    bool failed_ = false;
};

} // namespace quorbin
