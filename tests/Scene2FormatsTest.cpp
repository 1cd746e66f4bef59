// What scene2 writes for other tools: CRC-32s and JSON.

#include <gtest/gtest.h>

#include <sstream>

#include "tools/scene2/Crc32.h"
#include "tools/scene2/JsonWriter.h"

namespace {

uint32_t Crc32Of(const std::string& text) { return Crc32(reinterpret_cast<const uint8_t*>(text.data()), text.size()); }

TEST(Crc32, GivesTheValuesOfZlib) {
  const std::pair<const char*, uint32_t> known[] = {
      {"", 0x00000000},
      {"a", 0xE8B7BE43},
      {"123456789", 0xCBF43926},
      {"The quick brown fox jumps over the lazy dog", 0x414FA339},
  };
  for (const auto& [text, crc] : known) EXPECT_EQ(Crc32Of(text), crc) << text;
  const std::string zeros(32, '\0');
  EXPECT_EQ(Crc32Of(zeros), 0x190A55ADu);
  EXPECT_EQ(Crc32Text(0x0D4A1185), "0D4A1185");
}

TEST(Crc32, ContinuesOverBytesGivenInParts) {
  const std::string text = "The quick brown fox jumps over the lazy dog";
  const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
  EXPECT_EQ(Crc32(bytes + 10, text.size() - 10, Crc32(bytes, 10)), Crc32Of(text));
}

TEST(Json, StringsAreAsciiWithEveryOtherCharacterEscaped) {
  const std::pair<std::string, const char*> cases[] = {
      {"crate", "\"crate\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {std::string("\t\n\0\x7F", 4), "\"\\u0009\\u000a\\u0000\\u007f\""},
      {"Ящик", "\"\\u042f\\u0449\\u0438\\u043a\""},
      {"😀", "\"\\ud83d\\ude00\""},
      {"a\xFFz", "\"a\\ufffdz\""},
  };
  for (const auto& [text, json] : cases) EXPECT_EQ(JsonString(text), json) << json;
}

TEST(Json, DocumentsAreIndentedTwoSpacesALevel) {
  std::ostringstream out;
  JsonWriter json(out);
  json.BeginObject();
  json.Key("n");
  json.Number(-3);
  json.Key("list");
  json.BeginArray();
  json.Bool(true);
  json.BeginObject();
  json.EndObject();
  json.EndArray();
  json.Key("empty");
  json.BeginArray();
  json.EndArray();
  WriteName(json, "a\x98\xDF");
  json.EndObject();
  EXPECT_EQ(out.str(),
            "{\n"
            "  \"n\": -3,\n"
            "  \"list\": [\n"
            "    true,\n"
            "    {}\n"
            "  ],\n"
            "  \"empty\": [],\n"
            "  \"name\": \"a\\ufffd\\u042f\",\n"
            "  \"nameHex\": \"6198DF\"\n"
            "}\n");
}

}  // namespace
