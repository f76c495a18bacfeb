#pragma once

#include <gtest/gtest.h>

#include <functional>

#ifdef _WIN32
namespace brellic::test {
// The read-only attribute binds administrators too.
inline void RunAsUnprivilegedUser(const std::function<void()>& body) {
    body();
}
} // namespace brellic::test
#else
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace brellic::test {

// Root writes to read-only files and into read-only folders, so a test of what
// a user meets there cannot run as root, and CI runs as root. When the tests
// run as root, body runs in a child process that has given up root for good
// and is the user "nobody"; its failures are printed as usual and fail the
// test here. Anyone else runs body directly.
inline void RunAsUnprivilegedUser(const std::function<void()>& body) {
    if (::geteuid() != 0) {
        body();
        return;
    }
    constexpr uid_t kNobody = 65534;
    std::fflush(nullptr);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0) << std::strerror(errno);
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0 ||
            ::setuid(0) == 0) {
            std::fprintf(stderr, "cannot give up root: %s\n", std::strerror(errno));
            std::fflush(nullptr);
            ::_exit(3);
        }
        body();
        std::fflush(nullptr);
        ::_exit(::testing::Test::HasFailure() ? 1 : 0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
        << "the part run as user " << kNobody << " failed (wait status " << status
        << "); its messages are above";
}

} // namespace brellic::test
#endif
