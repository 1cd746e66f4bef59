#pragma once
// One JSON document written as it goes, indented two spaces a level. Strings
// are given in UTF-8 and written in ASCII, every other character as \uXXXX,
// so that the document reads the same whatever the platform's code page.

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  JsonWriter(const JsonWriter&) = delete;
  JsonWriter& operator=(const JsonWriter&) = delete;

  // Containers; the document ends with a line end when the outermost closes.
  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();

  // Inside an object: the key of the value that follows.
  void Key(std::string_view key);

  void String(std::string_view utf8);
  void Number(int64_t value);
  void Bool(bool value);

 private:
  // Before a value or a key: the comma after the one before, a line end and
  // the indentation; nothing after a key.
  void NextItem();
  void Begin(char bracket);
  void End(char bracket);

  std::ostream& out_;
  std::vector<bool> empty_;  // for each open container: nothing in it yet
  bool afterKey_ = false;
};

// A text held in Windows-1251 under `key`, decoded, and when a byte has no
// character there, under `key` and "Hex" too, its bytes in hexadecimal.
void WriteWindows1251(JsonWriter& json, std::string_view key, std::string_view text);

// A name's fields: "name", its text decoded from Windows-1251, and when a byte
// has no character there, "nameHex", its bytes in hexadecimal.
void WriteName(JsonWriter& json, std::string_view name);

// `text` (UTF-8) as a JSON string, quotes included.
std::string JsonString(std::string_view text);
