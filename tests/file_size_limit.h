// A full disk, as a test can make one: every file this process writes stops at `bytes`.
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace rq::testing {

// Runs `write` with the limit in force and gives back what it returned; the limit and the
// signal a write past it would raise are put back before returning.
template <typename Write>
auto WithFileSizeLimit(rlim_t bytes, Write&& write)
{
    rlimit saved {};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = bytes;
    ::setrlimit(RLIMIT_FSIZE, &small);
    auto result = write();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);
    return result;
}

} // namespace rq::testing
