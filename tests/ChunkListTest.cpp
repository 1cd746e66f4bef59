// The chunk list against a plain vector doing the same edits: identities
// found by their binary search, chunks taken out and put back in place.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "scene/ChunkList.h"

namespace {

Chunk OneByte(uint8_t value) { return Chunk::CopyOf(ByteView(&value, 1)); }

TEST(ChunkList, FollowsAVectorThroughAppendsReplacementsRemovalsAndRestores) {
  ChunkList list;
  std::vector<ChunkEntry> model;
  ChunkId lastId = 0;
  uint32_t state = 12345;
  const auto next = [&state](uint32_t below) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % below;
  };
  for (int step = 0; step < 3000; ++step) {
    const uint32_t action = next(10);
    if (model.empty() || action < 4) {
      const ChunkEntry entry{++lastId, OneByte(static_cast<uint8_t>(lastId))};
      list.Append(entry);
      model.push_back(entry);
    } else if (action < 6) {
      const auto index = static_cast<int32_t>(next(static_cast<uint32_t>(model.size())));
      const Chunk fresh = OneByte(0xEE);
      const Chunk old = list.Replace(index, fresh);
      EXPECT_TRUE(old == model[static_cast<size_t>(index)].chunk);
      model[static_cast<size_t>(index)].chunk = fresh;
    } else {
      // Take out every k-th chunk, and put half of such removals back at once.
      const uint32_t every = 1 + next(7);
      std::vector<RemovedChunk> removed;
      for (size_t index = next(every); index < model.size(); index += every)
        removed.push_back({static_cast<int32_t>(index), model[index]});
      list.Remove(removed);
      if (next(2) == 0) {
        list.Restore(removed);
      } else {
        for (auto back = removed.rbegin(); back != removed.rend(); ++back) model.erase(model.begin() + back->index);
      }
    }
    ASSERT_EQ(list.Count(), static_cast<int32_t>(model.size())) << step;
  }
  for (size_t index = 0; index < model.size(); ++index) {
    const ChunkEntry& held = list.Entries()[index];
    ASSERT_EQ(held.id, model[index].id);
    ASSERT_TRUE(held.chunk == model[index].chunk);
    ASSERT_EQ(list.IndexOf(held.id), static_cast<int32_t>(index));
  }
  EXPECT_EQ(list.IndexOf(0), -1);
  EXPECT_EQ(list.IndexOf(lastId + 1), -1);
  EXPECT_EQ(list.At(list.Count()), nullptr);
  EXPECT_EQ(list.At(-1), nullptr);
}

TEST(ChunkList, AChunkOutlivesTheListThatHeldIt) {
  Chunk kept;
  {
    ChunkList list;
    list.Append({1, OneByte(7)});
    kept = list.At(0)->chunk;
    ClearChunkList(list);
    EXPECT_EQ(list.Count(), 0);
  }
  ASSERT_EQ(kept.Length(), 1u);
  EXPECT_EQ(kept.Data()[0], 7);
}

}  // namespace
