// JsonValue: one JSON value held whole, as the reader hands it over: a
// streamed array's element, or a small answer. Strings stay UTF-8; a
// number keeps the text it was written with, so a 15-digit id is never
// rounded through a double.
#pragma once

#include <string>
#include <vector>

enum class JsonType { Null, Bool, Number, String, Array, Object };

struct JsonValue {
  JsonType type = JsonType::Null;
  bool boolean = false;
  std::string text;                // a string's UTF-8, or a number as written
  std::vector<std::string> keys;   // an object's, one per item
  std::vector<JsonValue> items;    // an array's elements or an object's values

  // The first member named `key` of an object; null when absent or not an object.
  const JsonValue* find(const std::string& key) const;
  // An integral number within long long; false for anything else.
  bool integer(long long& out) const;

  // The member's string, number or boolean, or `fallback` when it is absent
  // or of another type.
  std::string stringAt(const std::string& key, const std::string& fallback = std::string()) const;
  long long integerAt(const std::string& key, long long fallback = 0) const;
  bool boolAt(const std::string& key, bool fallback = false) const;
};
