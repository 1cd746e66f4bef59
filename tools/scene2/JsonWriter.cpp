#include "tools/scene2/JsonWriter.h"

#include <string>

#include "scene/Hex.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

namespace {

void AppendEscaped(std::string& json, char32_t unit) { json += "\\u" + HexLower(unit, 4); }

}  // namespace

std::string JsonString(std::string_view text) {
  std::string json = "\"";
  size_t at = 0;
  while (at < text.size()) {
    const std::optional<char32_t> read = ReadUtf8(text, at);
    // Bytes that are no UTF-8 never reach here; should one, it stands for
    // U+FFFD rather than break the document.
    const char32_t character = read.value_or(U'\uFFFD');
    if (!read) ++at;
    if (character == '"' || character == '\\') {
      json += '\\';
      json += static_cast<char>(character);
    } else if (character >= 0x20 && character < 0x7F) {
      json += static_cast<char>(character);
    } else if (character < 0x10000) {
      AppendEscaped(json, character);
    } else {
      const char32_t above = character - 0x10000;
      AppendEscaped(json, 0xD800 + (above >> 10));
      AppendEscaped(json, 0xDC00 + (above & 0x3FF));
    }
  }
  return json + '"';
}

void WriteWindows1251(JsonWriter& json, std::string_view key, std::string_view text) {
  bool complete = true;
  json.Key(key);
  json.String(Utf8FromWindows1251(text, &complete));
  if (complete) return;
  json.Key(std::string(key) + "Hex");
  json.String(HexUpperBytes(text));
}

void WriteName(JsonWriter& json, std::string_view name) { WriteWindows1251(json, "name", name); }

void JsonWriter::NextItem() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (empty_.empty()) return;
  if (!empty_.back()) out_ << ',';
  empty_.back() = false;
  out_ << '\n' << std::string(2 * empty_.size(), ' ');
}

void JsonWriter::Begin(char bracket) {
  NextItem();
  out_ << bracket;
  empty_.push_back(true);
}

void JsonWriter::End(char bracket) {
  const bool wasEmpty = empty_.back();
  empty_.pop_back();
  if (!wasEmpty) out_ << '\n' << std::string(2 * empty_.size(), ' ');
  out_ << bracket;
  if (empty_.empty()) out_ << '\n';
}

void JsonWriter::BeginObject() { Begin('{'); }
void JsonWriter::EndObject() { End('}'); }
void JsonWriter::BeginArray() { Begin('['); }
void JsonWriter::EndArray() { End(']'); }

void JsonWriter::Key(std::string_view key) {
  NextItem();
  out_ << JsonString(key) << ": ";
  afterKey_ = true;
}

void JsonWriter::String(std::string_view utf8) {
  NextItem();
  out_ << JsonString(utf8);
}

void JsonWriter::Number(int64_t value) {
  NextItem();
  out_ << value;
}

void JsonWriter::Bool(bool value) {
  NextItem();
  out_ << (value ? "true" : "false");
}
