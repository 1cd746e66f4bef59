#include "scene/ChunkWriter.h"

#include <gtest/gtest.h>

#include <string>

#include "scene/LittleEndian.h"
#include "scene/MemoryStream.h"

namespace {

uint32_t SizeAt(const uint8_t* bytes, size_t offset) { return ReadU32LE(bytes + offset + 2); }

}  // namespace

TEST(ChunkWriter, NestedChunksGetTheSizesOfWhatTheyHold) {
  ChunkWriter out;
  out.Open(0x4010);
  out.Chunk(0x0010, std::string("crate", 6));
  out.Open(0x0020);
  out.Float(1.5f);
  out.Close();
  out.CountedText("run");
  out.Close();
  const ByteView written = out.Written();
  ASSERT_EQ(written.Length(), 6u + 12u + 10u + 7u);
  EXPECT_EQ(ReadU16LE(written.Data()), 0x4010);
  EXPECT_EQ(SizeAt(written.Data(), 0), written.Length());
  EXPECT_EQ(SizeAt(written.Data(), 6), 12u);
  EXPECT_EQ(SizeAt(written.Data(), 18), 10u);
  EXPECT_EQ(ReadU32LE(written.Data() + 28), 3u);
}

// A scene larger than memory should hold goes to its file as it is written:
// a chunk opened before bytes were moved gets its size in the file.
TEST(ChunkWriter, SizesOfChunksAlreadyInTheStreamArePatchedThere) {
  TMemoryStream file;
  {
    ChunkWriter out(file);
    out.Open(0x4C53);
    out.Open(0x4000);
    const std::string block(3 << 20, 'x');
    out.Bytes(block);
    out.Close();
    out.Chunk(0xAE20, "");
    out.Close();
    out.Flush();
    EXPECT_EQ(out.Position(), file.Length());
  }
  ASSERT_EQ(file.Length(), 6u + 6u + (3u << 20) + 6u);
  EXPECT_EQ(SizeAt(file.Data(), 0), file.Length());
  EXPECT_EQ(SizeAt(file.Data(), 6), 6u + (3u << 20));
  EXPECT_EQ(SizeAt(file.Data(), file.Length() - 6), 6u);
  EXPECT_EQ(file.Position(), static_cast<int64_t>(file.Length()));
}
