// The two shapes of a failure, used everywhere: a check that may refuse returns
// std::optional<Text>, the refusal in Chinese, or nothing; an operation that makes
// something returns an Outcome, the thing or the problem with the exit status the command
// line gives it.
#pragma once

#include <optional>
#include <utility>

#include "convert/convert.h"

namespace rq {

// Exit statuses of the command line, which the windows' messages follow as well.
inline constexpr int kStatusDone = 0;
inline constexpr int kStatusFailed = 1;   // a file could not be read or written
inline constexpr int kStatusRefused = 2;  // input refused, or bad usage

template <typename T>
struct Outcome {
    std::optional<T> value;  // set exactly when it worked
    Text problem;            // otherwise: what went wrong, for the user
    int status = kStatusDone;

    Outcome() = default;
    Outcome(T made) : value(std::move(made)) {}
    static Outcome Failed(Text problem) { return Outcome(std::move(problem), kStatusFailed); }
    static Outcome Refused(Text problem) { return Outcome(std::move(problem), kStatusRefused); }
    // The same problem for another kind of outcome: a step that failed fails the whole.
    template <typename Other>
    static Outcome From(Outcome<Other>&& other) { return Outcome(std::move(other.problem), other.status); }

    explicit operator bool() const { return value.has_value(); }

private:
    Outcome(Text why, int exitStatus) : problem(std::move(why)), status(exitStatus) {}
};

}  // namespace rq
