// The tray icon's retries: a minute at most, and none after a success.
#include "ui/model/tray_icon_retry.h"

#include <gtest/gtest.h>

namespace {

int retriesUntilGivingUp(TrayIconRetry& retry) {
  int tries = 1;
  while (retry.another(false)) ++tries;
  return tries;
}

TEST(TrayIconRetryTest, FailuresGiveUpAfterAMinuteOfRetries) {
  TrayIconRetry retry;
  retry.begin();
  EXPECT_EQ(kTrayRetryAttempts, retriesUntilGivingUp(retry));
  EXPECT_EQ(60 * 1000u, kTrayRetryAttempts * kTrayRetryIntervalMs);
  EXPECT_FALSE(retry.another(false));  // given up stays given up
  retry.begin();                       // until the shell announces itself again
  EXPECT_TRUE(retry.another(false));
}

TEST(TrayIconRetryTest, ASuccessEndsTheRetries) {
  TrayIconRetry retry;
  retry.begin();
  EXPECT_TRUE(retry.another(false));
  EXPECT_FALSE(retry.another(true));
  EXPECT_FALSE(retry.another(false));
}

}  // namespace
