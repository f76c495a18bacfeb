#pragma once

#include <string>
#include <utility>

namespace brellic {

// The outcome of a file operation: success, or a message for the user that
// names the file and the system's reason.
struct IoResult {
    bool Ok = true;
    std::string Message;

    static IoResult Success() { return {}; }
    static IoResult Failure(std::string message) { return {false, std::move(message)}; }
    explicit operator bool() const { return Ok; }
};

} // namespace brellic
