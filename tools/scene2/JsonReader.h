#pragma once
// A strict reader of one JSON document (RFC 8259), for what a user gives
// back in the shape that --json prints: every byte is checked against the
// end of the text, nesting is bounded, and a refusal says where, as
// "line 3, column 14: ...".

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JsonMember;

struct JsonValue {
  enum class Type : uint8_t { Null, Bool, Number, String, Array, Object };

  Type type = Type::Null;
  bool boolean = false;
  double number = 0;
  std::string text;  // a string's UTF-8
  std::vector<JsonValue> items;
  std::vector<JsonMember> members;  // in the order written
  size_t line = 1;                  // where the value begins, for a message about it
  size_t column = 1;

  // The member named `key`, the last when it repeats; null when none.
  const JsonValue* Member(std::string_view key) const;
  // "line 3, column 14"
  std::string Where() const;
};

struct JsonMember {
  std::string key;
  JsonValue value;
};

// The document in `text`; nullopt with `problem` ("line 1, column 9:
// expected ':' after a key") when it is not one JSON value, spaces around
// it allowed, or nests deeper than the reader goes.
std::optional<JsonValue> ReadJson(std::string_view text, std::string& problem);
