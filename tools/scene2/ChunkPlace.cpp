#include "tools/scene2/ChunkPlace.h"

#include <charconv>

std::optional<ChunkPlace> PlaceOperand(const std::string& operand) {
  const size_t colon = operand.rfind(':');
  if (colon == std::string::npos) return std::nullopt;
  return ChunkPlace{operand.substr(0, colon), operand.substr(colon + 1)};
}

bool IsWholeNumber(const std::string& text) {
  const size_t digits = text.starts_with('-') ? 1 : 0;
  return text.size() > digits && text.find_first_not_of("0123456789", digits) == std::string::npos;
}

ChunkRef ChunkAt(const ChunkList& list, const std::string& index) {
  int32_t place = -1;
  const auto [end, error] = std::from_chars(index.data(), index.data() + index.size(), place);
  if (error != std::errc() || end != index.data() + index.size()) return nullptr;
  return list.Ref(place);
}
