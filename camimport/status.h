#pragma once

#include <string>
#include <utility>

// The outcome of one step of a camweave run: success, or the message that FatalError prints.
struct Status {
    std::string error;

    bool ok() const { return error.empty(); }
    static Status Ok() { return {}; }
    static Status Fail(std::string message) { return Status{std::move(message)}; }
};
