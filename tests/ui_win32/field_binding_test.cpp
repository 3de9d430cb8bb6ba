// Field bindings on real edit boxes: what a box's text becomes.
#include "ui/field_binding.h"

#include <gtest/gtest.h>

namespace {

class FieldBindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dialog = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    // Under wine without a display no window can be made at all.
    if (dialog == nullptr) GTEST_SKIP() << "no display: run these tests on an X display";
    CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 0, 90, 20, dialog,
                    reinterpret_cast<HMENU>(1013), nullptr, nullptr);
    CreateWindowExA(0, "EDIT", "", WS_CHILD | ES_AUTOHSCROLL, 0, 20, 90, 20, dialog,
                    reinterpret_cast<HMENU>(1020), nullptr, nullptr);
  }
  void TearDown() override {
    if (dialog) DestroyWindow(dialog);
  }
  HWND dialog = nullptr;
};

TEST_F(FieldBindingTest, TextRoundTripsAndIsCutTo1023Bytes) {
  TextFieldBinding text(1013);
  text.attach(dialog);
  ASSERT_NE(nullptr, text.box);
  text.value = "\x83\x65\x83\x58\x83\x67";  // "テスト", trail bytes included
  text.writeBox();
  text.value.clear();
  text.readBox();
  EXPECT_EQ("\x83\x65\x83\x58\x83\x67", text.value);

  SetWindowTextA(text.box, std::string(1500, 'a').c_str());
  text.readBox();
  EXPECT_EQ(std::string(1023, 'a'), text.value);
}

TEST_F(FieldBindingTest, NumbersShowAsDecimalAndReadWithAtoi) {
  NumberFieldBinding number(1020);
  number.attach(dialog);
  number.value = 23850;
  number.writeBox();
  char shown[32] = {};
  GetWindowTextA(number.box, shown, sizeof shown);
  EXPECT_STREQ("23850", shown);
  SetWindowTextA(number.box, "");
  number.readBox();
  EXPECT_EQ(0, number.value);
  SetWindowTextA(number.box, "8080x");
  number.readBox();
  EXPECT_EQ(8080, number.value);
}

}  // namespace
