// Field bindings: an edit box and the value it edits. A binding reads its
// box into its value, or writes its value into its box.
#pragma once

#include <windows.h>

#include <string>

class FieldBinding {
 public:
  explicit FieldBinding(int id) : id(id) {}
  virtual ~FieldBinding() = default;
  // Looks up the box by its control id.
  void attach(HWND dialog) { box = GetDlgItem(dialog, id); }
  virtual void readBox() = 0;
  virtual void writeBox() const = 0;

  const int id;
  HWND box = nullptr;
};

class TextFieldBinding : public FieldBinding {
 public:
  using FieldBinding::FieldBinding;
  void readBox() override;  // at most 1023 bytes
  void writeBox() const override;

  std::string value;
};

class NumberFieldBinding : public FieldBinding {
 public:
  using FieldBinding::FieldBinding;
  void readBox() override;  // atoi of at most 31 bytes
  void writeBox() const override;  // "%d"

  int value = 0;
};
