// The chunk list against a plain vector doing the same edits: identities
// found by their binary search, chunks taken out and put back in place, and
// each block held exactly as long as a chunk of the list lies in it.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

#include "scene/ChunkList.h"

namespace {

Chunk OneByte(uint8_t value) { return Chunk::CopyOf(ByteView(&value, 1)); }

TEST(ChunkList, FollowsAVectorThroughAppendsReplacementsRemovalsAndRestores) {
  ChunkList list;
  std::vector<ChunkRef> model;
  ChunkId lastId = 0;
  uint32_t state = 12345;
  const auto next = [&state](uint32_t below) {
    state = state * 1103515245u + 12345u;
    return (state >> 8) % below;
  };
  for (int step = 0; step < 3000; ++step) {
    const uint32_t action = next(10);
    if (model.empty() || action < 4) {
      ++lastId;
      const ChunkRef entry{lastId, OneByte(static_cast<uint8_t>(lastId))};
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
    ASSERT_TRUE(list.Ref(static_cast<int32_t>(index)).chunk == model[index].chunk);
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
    kept = list.Ref(0).chunk;
    ClearChunkList(list);
    EXPECT_EQ(list.Count(), 0);
  }
  ASSERT_EQ(kept.Length(), 1u);
  EXPECT_EQ(kept.Data()[0], 7);
}

// Chunks lying in one block, as a load's do, and chunks in blocks of their own.
TEST(ChunkList, LetsGoOfABlockWithTheLastOfItsChunks) {
  const uint8_t bytes[] = {1, 2, 3, 4};
  std::shared_ptr<const ByteBlock> shared = BlockCopiedFrom(ByteView(bytes, sizeof bytes));
  const std::weak_ptr<const ByteBlock> sharedGone = shared;
  Chunk own = OneByte(9);
  const std::weak_ptr<const ByteBlock> ownGone = own.Block();
  ChunkList list;
  for (ChunkId id = 1; id <= 4; ++id) list.Append(id, shared, ByteView(shared->Data() + id - 1, 1));
  list.Append({5, own});
  shared.reset();
  own = Chunk();
  ASSERT_FALSE(sharedGone.expired());
  ASSERT_FALSE(ownGone.expired());

  // Taken out and put back: the history's handles hold the block meanwhile.
  std::vector<RemovedChunk> removed{{0, list.Ref(0)}, {1, list.Ref(1)}, {2, list.Ref(2)}, {3, list.Ref(3)}};
  list.Remove(removed);
  EXPECT_FALSE(sharedGone.expired());
  list.Restore(removed);
  removed.clear();
  EXPECT_FALSE(sharedGone.expired());
  ASSERT_EQ(list.Count(), 5);
  EXPECT_EQ(list.At(3)->chunk.Data()[0], 4);

  Chunk replaced = list.Replace(4, OneByte(8));
  EXPECT_FALSE(ownGone.expired()) << "the replaced chunk's handle holds its block";
  replaced = Chunk();
  EXPECT_TRUE(ownGone.expired());

  list.DropLast(2);
  list.Remove(std::vector<RemovedChunk>{{0, nullptr}, {1, nullptr}});
  EXPECT_FALSE(sharedGone.expired()) << "a chunk of the block is left";
  const Chunk last = list.Ref(0).chunk;
  list.Remove(std::vector<RemovedChunk>{{0, nullptr}});
  EXPECT_FALSE(sharedGone.expired()) << "a handle to a chunk of the block is left";
  EXPECT_EQ(last.Data()[0], 3);
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
