// The file stream's own buffering: reads that straddle the buffer's edge,
// seeks back across it, reads larger than it, the end of the file, and a
// scene of a few MiB through a file.

#include <gtest/gtest.h>

#include "scene/FileStream.h"
#include "tests/SceneTestSupport.h"
#include "tools/scenegen/SceneGenerator.h"

namespace {

constexpr size_t kSmallBuffer = 64;

Bytes Pattern(size_t length) {
  Bytes bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i * 7 + i / 251);
  return bytes;
}

class FileStreamTest : public testing::Test {
 protected:
  FileStreamTest() { WriteFileBytes(path, content); }

  std::unique_ptr<TFileStream> Open(size_t bufferSize) {
    auto opened = TFileStream::OpenRead(path, bufferSize);
    EXPECT_TRUE(opened.ok());
    return opened.ok() ? std::move(opened.value()) : nullptr;
  }

  static Bytes ReadAt(TFileStream& stream, int64_t at, size_t count) {
    stream.Seek(at, TStream::Origin::Begin);
    Bytes bytes(count);
    bytes.resize(stream.Read(bytes.data(), count));
    return bytes;
  }

  Bytes Slice(size_t at, size_t count) const { return Bytes(content.data() + at, content.data() + at + count); }

  ScratchFolder folder;
  const std::string path = folder.Path("pattern");
  const Bytes content = Pattern(1000);
};

}  // namespace

TEST_F(FileStreamTest, ReadsAcrossTheBufferAndBackGiveTheFilesBytes) {
  auto stream = Open(kSmallBuffer);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->Size(), 1000);
  const struct {
    int64_t at;
    size_t count;
  } reads[] = {
      {60, 10},   // over the first buffer's edge
      {5, 3},     // back into the buffer before
      {0, 64},    // as long as the buffer: straight into the caller's memory
      {10, 200},  // longer than the buffer
      {130, 5},   // right after a read that went past the buffer
      {63, 2},    // one byte on either side of an edge
      {700, 1},   // far ahead
      {699, 2},   // and one back
  };
  for (const auto& read : reads) {
    SCOPED_TRACE(testing::Message() << read.at << "+" << read.count);
    EXPECT_EQ(ReadAt(*stream, read.at, read.count), Slice(static_cast<size_t>(read.at), read.count));
    EXPECT_EQ(stream->Position(), read.at + static_cast<int64_t>(read.count));
  }
}

TEST_F(FileStreamTest, TheEndOfTheFileGivesWhatIsLeftThenNothing) {
  auto stream = Open(kSmallBuffer);
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(ReadAt(*stream, 995, 10), Slice(995, 5));
  EXPECT_EQ(stream->Position(), 1000);
  uint8_t byte = 0;
  EXPECT_EQ(stream->Read(&byte, 1), 0u);
  EXPECT_TRUE(ReadAt(*stream, 2000, 4).empty());
  EXPECT_EQ(ReadAt(*stream, 0, 2000), content);
}

TEST(FileStream, AGeneratedSceneOfAFewMegabytesGoesThroughAFileByteForByte) {
  ScratchFolder folder;
  const std::string path = folder.Path("scene2.bin");
  SceneOptions options;
  options.targetBytes = 3 << 20;
  {
    auto file = TFileStream::Create(path);
    ASSERT_TRUE(file.ok()) << file.reason();
    GenerateScene(options, *file.value());
    file.value()->Commit();
  }
  const Bytes written = ReadFileBytes(path);
  EXPECT_GT(written.size(), 2u << 20);
  // A buffer much smaller than the chunks, so that reads take every path.
  auto opened = TFileStream::OpenRead(path, 4096);
  ASSERT_TRUE(opened.ok());
  TestUi ui;
  const auto scene2bin = NewScene2bin(ui);
  SceneDocument& document = scene2bin->Core();
  TraceCollector trace;
  ASSERT_TRUE(document.Load(*opened.value()).ok());
  EXPECT_EQ(Written(document), written);
}
