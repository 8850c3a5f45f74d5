#include "base/Check.h"

#include <gtest/gtest.h>

#include <string>

namespace corvane {
namespace {

int checkedTwice(int value)
{
    CV_CHECK(value >= 0, return -1);
    return value * 2;
}

TEST(Check, ABrokenInvariantIsLoggedWithItsPlaceThenRecoveredFrom)
{
    const check::FailureHandler previous = check::setFailureHandler(nullptr);
    EXPECT_EQ(checkedTwice(4), 8);
#ifdef NDEBUG
    testing::internal::CaptureStderr();
    EXPECT_EQ(checkedTwice(-3), -1);
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("\"value >= 0\""), std::string::npos) << log;
    EXPECT_NE(log.find("CheckTest.cpp:12"), std::string::npos) << log;
#else
    EXPECT_DEATH(checkedTwice(-3), "value >= 0");
#endif
    check::setFailureHandler(previous);
}

} // namespace
} // namespace corvane
