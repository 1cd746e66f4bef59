// The chunk list against a plain vector doing the same edits, with loaded
// chunks (views of one block) and chunks built anew mixed.

#include <gtest/gtest.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "scene/ChunkList.h"

namespace {

// What the list should hold at one index: the chunk's bytes, and its stream
// once one is known.
struct Expected {
  const uint8_t* bytes;
  size_t length;
  PStream stream;
  bool view;
};

// Pieces of memory in order, each joined to the one before when they meet.
using Pieces = std::vector<std::pair<const uint8_t*, size_t>>;
void Add(Pieces& pieces, const uint8_t* data, size_t length) {
  if (!pieces.empty() && pieces.back().first + pieces.back().second == data)
    pieces.back().second += length;
  else
    pieces.emplace_back(data, length);
}

TEST(ChunkList, IndexesAndBytesFollowAppendsRemovalsAndReplacements) {
  constexpr uint32_t kViewLength = 8;
  std::vector<uint8_t> block(4000 * kViewLength);
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
  size_t nextView = 0;

  ChunkList list;
  std::vector<Expected> model;
  std::vector<PStream> removedViews;
  uint32_t state = 12345;
  const auto next = [&state](uint32_t below) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % below;
  };
  const auto built = [](size_t length) {
    auto chunk = std::make_unique<TMemoryStream>(std::vector<uint8_t>(length, 0xB1).data(), length);
    const Expected expected{chunk->Data(), length, chunk.get(), false};
    return std::make_pair(std::move(chunk), expected);
  };
  for (int step = 0; step < 4000; ++step) {
    const uint32_t action = next(10);
    if (model.empty() || action < 3) {
      const uint8_t* bytes = block.data() + kViewLength * nextView++;
      list.AppendView(bytes, kViewLength);
      model.push_back({bytes, kViewLength, nullptr, true});
    } else if (action < 5) {
      auto [chunk, expected] = built(1 + next(20));
      list.Append(std::move(chunk));
      model.push_back(expected);
    } else if (action < 8) {
      const auto index = static_cast<int32_t>(next(static_cast<uint32_t>(model.size())));
      const PStream removed = list.At(index);
      const Expected& entry = model[static_cast<size_t>(index)];
      ASSERT_EQ(removed->Data(), entry.bytes);
      // By index or by identity, which must come to the same.
      if (next(2) == 0)
        list.RemoveAt(index);
      else
        list.Remove(removed);
      // A removed view stays readable; a chunk built anew is freed.
      if (entry.view) removedViews.push_back(removed);
      model.erase(model.begin() + index);
    } else {
      const auto index = static_cast<int32_t>(next(static_cast<uint32_t>(model.size())));
      auto [chunk, expected] = built(1 + next(20));
      list.ReplaceAt(index, std::move(chunk));
      model[static_cast<size_t>(index)] = expected;
    }
    ASSERT_EQ(list.Count(), static_cast<int32_t>(model.size()));
    if (step % 97 != 0) continue;
    // The same bytes in the same order, however the list runs them together.
    Pieces listed;
    list.ForEachBytes([&listed](const uint8_t* data, size_t length) { Add(listed, data, length); });
    Pieces expected;
    for (const Expected& chunk : model) Add(expected, chunk.bytes, chunk.length);
    ASSERT_EQ(listed, expected) << "step " << step;
    for (int32_t i = 0; i < list.Count(); ++i) {
      const PStream chunk = list.At(i);
      Expected& entry = model[static_cast<size_t>(i)];
      if (entry.stream != nullptr) {
        ASSERT_EQ(chunk, entry.stream);
      }
      entry.stream = chunk;
      ASSERT_EQ(chunk->Data(), entry.bytes);
      ASSERT_EQ(chunk->Length(), entry.length);
      ASSERT_EQ(list.IndexOf(chunk), i);
    }
    std::vector<PStream> visited;
    list.ForEach([&visited](TMemoryStream& chunk) { visited.push_back(&chunk); });
    for (size_t i = 0; i < model.size(); ++i) ASSERT_EQ(visited[i], model[i].stream);
    for (const PStream removed : removedViews) {
      ASSERT_FALSE(list.Holds(removed));
      ASSERT_EQ(list.IndexOf(removed), -1);
      ASSERT_TRUE(ChunkList::BelongsToAList(removed));
    }
  }
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.At(list.Count()), nullptr);
}

TEST(ChunkList, ClearEmptiesTheListAndItsSectionSize) {
  const uint8_t bytes[6] = {};
  ChunkList list;
  list.sectionSize = 40;
  list.Append(std::make_unique<TMemoryStream>());
  list.AppendView(bytes, sizeof bytes);
  ASSERT_NE(list.At(1), nullptr);
  ClearChunkList(list);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.sectionSize, 0);
  EXPECT_EQ(list.At(0), nullptr);
  list.Append(std::make_unique<TMemoryStream>());
  EXPECT_EQ(list.IndexOf(list.At(0)), 0);
}

TEST(ChunkList, ChunksOfOneListAreStrangersToAnother) {
  ChunkList first;
  ChunkList second;
  first.Append(std::make_unique<TMemoryStream>());
  EXPECT_EQ(second.IndexOf(first.At(0)), -1);
  EXPECT_EQ(second.IndexOf(nullptr), -1);
  TMemoryStream loose;
  EXPECT_FALSE(ChunkList::BelongsToAList(&loose));
  EXPECT_TRUE(ChunkList::BelongsToAList(first.At(0)));
}

}  // namespace
