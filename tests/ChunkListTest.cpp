// The chunk list against a plain vector doing the same edits.

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "scene/ChunkList.h"

namespace {

TEST(ChunkList, IndexesFollowAppendsRemovalsAndReplacements) {
  ChunkList list;
  std::vector<PStream> model;
  uint32_t state = 12345;
  const auto next = [&state](uint32_t below) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % below;
  };
  for (int step = 0; step < 4000; ++step) {
    const uint32_t action = next(10);
    if (model.empty() || action < 5) {
      auto chunk = std::make_unique<TMemoryStream>();
      model.push_back(chunk.get());
      list.Append(std::move(chunk));
    } else if (action < 8) {
      const auto index = static_cast<int32_t>(next(static_cast<uint32_t>(model.size())));
      const auto removed = list.RemoveAt(index);
      ASSERT_EQ(removed.get(), model[index]);
      EXPECT_FALSE(list.Holds(removed.get()));
      EXPECT_EQ(list.IndexOf(removed.get()), -1);
      model.erase(model.begin() + index);
    } else {
      const auto index = static_cast<int32_t>(next(static_cast<uint32_t>(model.size())));
      auto chunk = std::make_unique<TMemoryStream>();
      const PStream fresh = chunk.get();
      ASSERT_EQ(list.ReplaceAt(index, std::move(chunk)).get(), model[index]);
      model[index] = fresh;
    }
    ASSERT_EQ(list.Count(), static_cast<int32_t>(model.size()));
    if (step % 97 == 0) {
      for (int32_t i = 0; i < list.Count(); ++i) {
        ASSERT_EQ(list.At(i), model[i]) << "step " << step << " index " << i;
        ASSERT_EQ(list.IndexOf(model[i]), i);
      }
      std::vector<PStream> visited;
      list.ForEach([&visited](TMemoryStream& chunk) { visited.push_back(&chunk); });
      ASSERT_EQ(visited, model);
    }
  }
  EXPECT_EQ(list.At(-1), nullptr);
  EXPECT_EQ(list.At(list.Count()), nullptr);
}

TEST(ChunkList, ClearEmptiesTheListAndItsSectionSize) {
  ChunkList list;
  list.sectionSize = 40;
  list.Append(std::make_unique<TMemoryStream>());
  list.Append(std::make_unique<TMemoryStream>());
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
}

}  // namespace
