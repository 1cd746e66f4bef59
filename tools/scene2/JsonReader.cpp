#include "tools/scene2/JsonReader.h"

#include <charconv>
#include <cmath>

#include "scene/Utf8.h"

namespace {

// Deeper than any document of show's, shallow enough for any stack.
constexpr size_t kMaxDepth = 200;

std::string Where(size_t line, size_t column) {
  return "line " + std::to_string(line) + ", column " + std::to_string(column);
}

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  std::optional<JsonValue> Document(std::string& problem) {
    std::optional<JsonValue> value = Value(0);
    if (value) {
      SkipSpace();
      if (at_ < text_.size()) Fail("unexpected text after the document");
    }
    if (!problem_.empty()) {
      problem = problem_;
      return std::nullopt;
    }
    return value;
  }

 private:
  // Records the first problem, where the reader stands; the callers then
  // unwind with nullopt.
  std::nullopt_t Fail(const std::string& what) {
    if (problem_.empty()) problem_ = Where(line_, column_) + ": " + what;
    return std::nullopt;
  }

  bool AtEnd() const { return at_ >= text_.size(); }
  char Peek() const { return text_[at_]; }

  void Advance() {
    if (text_[at_] == '\n') {
      ++line_;
      column_ = 1;
    } else {
      ++column_;
    }
    ++at_;
  }

  void SkipSpace() {
    while (!AtEnd() && (Peek() == ' ' || Peek() == '\t' || Peek() == '\n' || Peek() == '\r')) Advance();
  }

  // Whether the text goes on with `word`, taking it when it does.
  bool Take(std::string_view word) {
    if (text_.substr(at_).substr(0, word.size()) != word) return false;
    for (size_t i = 0; i < word.size(); ++i) Advance();
    return true;
  }

  std::optional<JsonValue> Value(size_t depth) {
    SkipSpace();
    if (AtEnd()) return Fail("expected a value, found the end of the text");
    if (depth >= kMaxDepth) return Fail("nested deeper than " + std::to_string(kMaxDepth) + " levels");
    JsonValue value;
    value.line = line_;
    value.column = column_;
    const char first = Peek();
    if (first == '{') return Object(std::move(value), depth);
    if (first == '[') return Array(std::move(value), depth);
    if (first == '"') {
      std::optional<std::string> text = String();
      if (!text) return std::nullopt;
      value.type = JsonValue::Type::String;
      value.text = std::move(*text);
      return value;
    }
    if (first == '-' || (first >= '0' && first <= '9')) return Number(std::move(value));
    if (Take("true") || Take("false")) {
      value.type = JsonValue::Type::Bool;
      value.boolean = first == 't';
      return value;
    }
    if (Take("null")) return value;
    return Fail("expected a value");
  }

  std::optional<JsonValue> Object(JsonValue value, size_t depth) {
    value.type = JsonValue::Type::Object;
    Advance();
    SkipSpace();
    if (!AtEnd() && Peek() == '}') {
      Advance();
      return value;
    }
    for (;;) {
      SkipSpace();
      if (AtEnd() || Peek() != '"') return Fail("expected a key in quotes");
      std::optional<std::string> key = String();
      if (!key) return std::nullopt;
      SkipSpace();
      if (AtEnd() || Peek() != ':') return Fail("expected ':' after a key");
      Advance();
      std::optional<JsonValue> member = Value(depth + 1);
      if (!member) return std::nullopt;
      value.members.push_back({std::move(*key), std::move(*member)});
      SkipSpace();
      if (AtEnd()) return Fail("expected ',' or '}', found the end of the text");
      if (Peek() != ',' && Peek() != '}') return Fail("expected ',' or '}'");
      const char next = Peek();
      Advance();
      if (next == '}') return value;
    }
  }

  std::optional<JsonValue> Array(JsonValue value, size_t depth) {
    value.type = JsonValue::Type::Array;
    Advance();
    SkipSpace();
    if (!AtEnd() && Peek() == ']') {
      Advance();
      return value;
    }
    for (;;) {
      std::optional<JsonValue> item = Value(depth + 1);
      if (!item) return std::nullopt;
      value.items.push_back(std::move(*item));
      SkipSpace();
      if (AtEnd()) return Fail("expected ',' or ']', found the end of the text");
      if (Peek() != ',' && Peek() != ']') return Fail("expected ',' or ']'");
      const char next = Peek();
      Advance();
      if (next == ']') return value;
    }
  }

  // The number's grammar checked by hand: from_chars alone takes forms
  // that JSON does not ("01", "1.", "+1", "inf").
  std::optional<JsonValue> Number(JsonValue value) {
    const size_t start = at_;
    const auto digits = [this] {
      size_t count = 0;
      for (; !AtEnd() && Peek() >= '0' && Peek() <= '9'; ++count) Advance();
      return count;
    };
    if (Peek() == '-') Advance();
    if (!AtEnd() && Peek() == '0') {
      Advance();
    } else if (digits() == 0) {
      return Fail("expected a digit");
    }
    if (!AtEnd() && Peek() == '.') {
      Advance();
      if (digits() == 0) return Fail("expected a digit after '.'");
    }
    if (!AtEnd() && (Peek() == 'e' || Peek() == 'E')) {
      Advance();
      if (!AtEnd() && (Peek() == '+' || Peek() == '-')) Advance();
      if (digits() == 0) return Fail("expected a digit in the exponent");
    }
    const std::string_view number = text_.substr(start, at_ - start);
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value.number);
    if (error != std::errc() || end != number.data() + number.size() || !std::isfinite(value.number))
      return Fail("the number " + std::string(number) + " is out of range");
    value.type = JsonValue::Type::Number;
    return value;
  }

  std::optional<char32_t> Hex4() {
    char32_t code = 0;
    for (int i = 0; i < 4; ++i) {
      if (AtEnd()) return Fail("expected four hexadecimal digits after \\u");
      const char c = Peek();
      const int digit = c >= '0' && c <= '9'   ? c - '0'
                        : c >= 'a' && c <= 'f' ? c - 'a' + 10
                        : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                               : -1;
      if (digit < 0) return Fail("expected four hexadecimal digits after \\u");
      code = code * 16 + static_cast<char32_t>(digit);
      Advance();
    }
    return code;
  }

  std::optional<char32_t> Escaped() {
    if (AtEnd()) return Fail("the string is not closed");
    const char c = Peek();
    Advance();
    switch (c) {
      case '"':
      case '\\':
      case '/':
        return static_cast<char32_t>(c);
      case 'b':
        return U'\b';
      case 'f':
        return U'\f';
      case 'n':
        return U'\n';
      case 'r':
        return U'\r';
      case 't':
        return U'\t';
      case 'u':
        break;
      default:
        return Fail("unknown escape \\" + std::string(1, c));
    }
    const std::optional<char32_t> high = Hex4();
    if (!high) return std::nullopt;
    if (*high >= 0xDC00 && *high <= 0xDFFF) return Fail("a low surrogate without a high one");
    if (*high < 0xD800 || *high > 0xDBFF) return high;
    if (!Take("\\u")) return Fail("a high surrogate without a low one");
    const std::optional<char32_t> low = Hex4();
    if (!low) return std::nullopt;
    if (*low < 0xDC00 || *low > 0xDFFF) return Fail("a high surrogate without a low one");
    return 0x10000 + ((*high - 0xD800) << 10) + (*low - 0xDC00);
  }

  std::optional<std::string> String() {
    Advance();
    std::string text;
    for (;;) {
      if (AtEnd()) return Fail("the string is not closed");
      const char c = Peek();
      if (c == '"') {
        Advance();
        return text;
      }
      if (static_cast<unsigned char>(c) < 0x20) return Fail("a control character in a string");
      if (static_cast<unsigned char>(c) >= 0x80) {
        // JSON text is UTF-8: a byte that starts no character is refused,
        // as a character that Windows-1251 lacks is later.
        size_t next = at_;
        if (!ReadUtf8(text_, next)) return Fail("a byte that is no UTF-8 in a string");
        text.append(text_.substr(at_, next - at_));
        at_ = next;
        ++column_;
        continue;
      }
      Advance();
      if (c != '\\') {
        text += c;
        continue;
      }
      const std::optional<char32_t> code = Escaped();
      if (!code) return std::nullopt;
      AppendUtf8(text, *code);
    }
  }

  std::string_view text_;
  size_t at_ = 0;
  size_t line_ = 1;
  size_t column_ = 1;
  std::string problem_;
};

}  // namespace

const JsonValue* JsonValue::Member(std::string_view key) const {
  for (auto member = members.rbegin(); member != members.rend(); ++member)
    if (member->key == key) return &member->value;
  return nullptr;
}

std::string JsonValue::Where() const { return ::Where(line, column); }

std::optional<JsonValue> ReadJson(std::string_view text, std::string& problem) {
  return Reader(text).Document(problem);
}
