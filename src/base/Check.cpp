#include "base/Check.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>

namespace corvane::check {

namespace {
std::atomic<FailureHandler> handler_{nullptr};
} // namespace

void failed(const char* condition, const char* file, int line)
{
    if (const FailureHandler h = handler_.load()) {
        h(condition, file, line);
        return;
    }
    std::fprintf(stderr, "Corvane: check \"%s\" failed at %s:%d\n", condition, file, line);
#ifndef NDEBUG
    std::abort();
#endif
}

FailureHandler setFailureHandler(FailureHandler handler)
{
    return handler_.exchange(handler);
}

} // namespace corvane::check
