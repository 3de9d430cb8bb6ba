// The connection settings dialog's values: defaults shown, box texts read.
#include "ui/model/connection_fields.h"

#include <gtest/gtest.h>

#include "config/settings_store.h"

namespace {

TEST(ConnectionFieldsTest, EmptySettingsShowEmptyTextsAndTheTwoDefaultPorts) {
  SettingsStore settings;
  ConnectionFields fields = connectionFieldsOf(settings);
  EXPECT_EQ("", fields.tvGuideUser + fields.tvGuidePass + fields.proxyServer +
                    fields.proxyUser + fields.proxyPass + fields.syncServer);
  EXPECT_EQ("0", numberFieldText(fields.proxyPort));
  EXPECT_EQ("23850", numberFieldText(fields.syncPort));
}

TEST(ConnectionFieldsTest, StoringSetsAllEightKeysSoAnEmptyPortBecomesZero) {
  SettingsStore settings;
  ConnectionFields fields = connectionFieldsOf(settings);
  fields.tvGuideUser = "12-34";
  fields.proxyPass = "p w";
  fields.syncPort = numberFieldValue("");
  storeConnectionFields(fields, settings);
  EXPECT_EQ("12-34", settings.tvGuideUser());
  EXPECT_EQ("p w", settings.proxyPass());
  EXPECT_EQ(0, settings.syncPort());
  EXPECT_EQ(8u, settings.section("_config").size());
}

TEST(ConnectionFieldsTest, BoxTextsAreCutToTheirBuffers) {
  EXPECT_EQ(8080, numberFieldValue("8080"));
  EXPECT_EQ(0, numberFieldValue("x8080"));
  EXPECT_EQ(12, numberFieldValue(" 12ab"));
  // Only the first 31 bytes are read.
  EXPECT_EQ(123, numberFieldValue(std::string(28, '0') + "1234"));
  EXPECT_EQ(2147483647, numberFieldValue("99999999999"));  // clamped, not overflowed
  std::string longText(2000, 'a');
  EXPECT_EQ(1023u, textFieldValue(longText).size());
  EXPECT_EQ("abc", textFieldValue("abc"));
}

}  // namespace
