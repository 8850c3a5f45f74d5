// Checks of invariants that the code recovers from instead of ending the user's session: a
// broken invariant (a table index out of range where every caller passes a valid one) is logged
// with its file and line, then the given recovery runs. Refusals that are normal outcomes (no
// selection, a refused add) are plain conditions, not checks.
#pragma once

namespace corvane::check {

using FailureHandler = void (*)(const char* condition, const char* file, int line);

/// Reports a broken invariant to the installed handler. Without one it writes a line to stderr
/// and, in a debug build (no NDEBUG), aborts so that the fault is found where it happens.
void failed(const char* condition, const char* file, int line);

/// Installs handler (nullptr: the default) and returns the previous one. Tests install one that
/// fails the test; a test that provokes a check on purpose catches it with a handler of its own.
FailureHandler setFailureHandler(FailureHandler handler);

} // namespace corvane::check

/// CV_CHECK(index < count, return false); — when cond is false: log, then run action.
#define CV_CHECK(cond, action)                                                                     \
    if (cond) {                                                                                    \
    } else {                                                                                       \
        ::corvane::check::failed(#cond, __FILE__, __LINE__);                                       \
        action;                                                                                    \
    }                                                                                              \
    do {                                                                                           \
    } while (false)
