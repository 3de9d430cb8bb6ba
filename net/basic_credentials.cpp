#include "net/basic_credentials.h"

std::string base64Encode(const std::string& bytes) {
  static const char kAlphabet[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string encoded;
  encoded.reserve((bytes.size() + 2) / 3 * 4);
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    std::size_t left = bytes.size() - i;
    unsigned group = static_cast<unsigned char>(bytes[i]) << 16;
    if (left > 1) group |= static_cast<unsigned char>(bytes[i + 1]) << 8;
    if (left > 2) group |= static_cast<unsigned char>(bytes[i + 2]);
    encoded += kAlphabet[(group >> 18) & 63];
    encoded += kAlphabet[(group >> 12) & 63];
    encoded += left > 1 ? kAlphabet[(group >> 6) & 63] : '=';
    encoded += left > 2 ? kAlphabet[group & 63] : '=';
  }
  return encoded;
}

std::string basicCredentials(const std::string& user, const std::string& password) {
  if (user.empty() && password.empty()) return std::string();
  return "Basic " + base64Encode(user + ":" + password);
}
