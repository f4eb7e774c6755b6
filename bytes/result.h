#pragma once
// The one way an operation inside the editor's libraries says how it went: a Result<T> holds
// the value made, or the failed Status with its kind and reason. An operation that makes no
// value returns the Status itself. The integer codes of the readers, loaders and chunk writers
// stay only at the boundaries whose callers expect them.
//
//     Result<std::string> saved = files.SaveBones(name, lengths);
//     if (!saved) { if (saved.Kind() == Failure::Refused) ui.ShowMessage(saved.Reason()); }

#include <cassert>
#include <optional>
#include <string>
#include <utility>

#include "bytes/status.h"

namespace bytes {

template <typename T>
class [[nodiscard]] Result {
  public:
    Result(T value) : value_(std::move(value)) {}  // NOLINT(google-explicit-constructor)
    // A failure; a successful Status has no value to give.
    Result(Status failure) : status_(std::move(failure)) {  // NOLINT(google-explicit-constructor)
        assert(!status_.Ok());
    }

    bool Ok() const { return value_.has_value(); }
    explicit operator bool() const { return Ok(); }

    T& Value() { return *value_; }
    const T& Value() const { return *value_; }
    T& operator*() { return *value_; }
    const T& operator*() const { return *value_; }
    T* operator->() { return &*value_; }
    const T* operator->() const { return &*value_; }

    // Success, or the failure.
    const Status& GetStatus() const { return status_; }
    Failure Kind() const { return status_.Kind(); }
    const std::string& Reason() const { return status_.Reason(); }
    bool Cancelled() const { return status_.Cancelled(); }

    // True for a success whose value equals value.
    friend bool operator==(const Result& result, const T& value) {
        return result.Ok() && *result == value;
    }

  private:
    std::optional<T> value_;
    Status status_;
};

}  // namespace bytes
