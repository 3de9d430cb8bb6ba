// Moving a binding's value in and out of its edit box.
#include "ui/field_binding.h"

#include "ui/model/connection_fields.h"

namespace {
std::string boxText(HWND box, int bufferSize) {
  std::string buffer(bufferSize, '\0');
  int length = GetWindowTextA(box, &buffer[0], bufferSize);
  buffer.resize(length > 0 ? length : 0);
  return buffer;
}
}  // namespace

void TextFieldBinding::readBox() { value = textFieldValue(boxText(box, kTextFieldBuffer)); }

void TextFieldBinding::writeBox() const { SetWindowTextA(box, value.c_str()); }

void NumberFieldBinding::readBox() { value = numberFieldValue(boxText(box, kNumberFieldBuffer)); }

void NumberFieldBinding::writeBox() const { SetWindowTextA(box, numberFieldText(value).c_str()); }
