// JsonValue's look-ups.
#include "json/json_value.h"

#include <cerrno>
#include <cstdlib>

const JsonValue* JsonValue::find(const std::string& key) const {
  if (type != JsonType::Object) return nullptr;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (keys[i] == key) return &items[i];
  }
  return nullptr;
}

bool JsonValue::integer(long long& out) const {
  if (type != JsonType::Number || text.find_first_of(".eE") != std::string::npos) return false;
  errno = 0;
  char* end = nullptr;
  const long long value = std::strtoll(text.c_str(), &end, 10);
  if (errno == ERANGE || end == text.c_str() || *end) return false;
  out = value;
  return true;
}

std::string JsonValue::stringAt(const std::string& key, const std::string& fallback) const {
  const JsonValue* member = find(key);
  return member && member->type == JsonType::String ? member->text : fallback;
}

long long JsonValue::integerAt(const std::string& key, long long fallback) const {
  const JsonValue* member = find(key);
  long long value = 0;
  return member && member->integer(value) ? value : fallback;
}

bool JsonValue::boolAt(const std::string& key, bool fallback) const {
  const JsonValue* member = find(key);
  return member && member->type == JsonType::Bool ? member->boolean : fallback;
}
