#include "scene/TypedText.h"

#include "scene/Hex.h"
#include "scene/Utf8.h"
#include "scene/Windows1251.h"

TypedBytes BytesOfTyped(std::string_view utf8) {
  std::u32string missing;
  TypedBytes typed{Windows1251FromUtf8(utf8, &missing), ""};
  if (missing.empty()) return typed;
  std::string named;
  for (const char32_t character : missing) {
    if (!named.empty()) named += ", ";
    named += '"';
    AppendUtf8(named, character);
    named += "\" (U+" + HexUpper(character, character > 0xFFFF ? 5 : 4) + ")";
  }
  typed.refusal = named + " can't be stored: the game's code page, Windows-1251, has no such character" +
                  (missing.size() == 1 ? "." : "s.");
  return typed;
}
