#pragma once

#include <gtest/gtest.h>

#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>

namespace brellic::test {

// A named pipe with no writer: anything that opens it for reading and waits
// for data waits for ever.
inline void MakeFifo(const std::string& path) {
    ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
}

// Ends the test process after a while, so that code that blocks on a special
// file fails the test instead of hanging the whole run.
class FailIfStuck {
public:
    explicit FailIfStuck(unsigned seconds = 20) { ::alarm(seconds); }
    ~FailIfStuck() { ::alarm(0); }
    FailIfStuck(const FailIfStuck&) = delete;
    FailIfStuck& operator=(const FailIfStuck&) = delete;
};

} // namespace brellic::test
#endif
