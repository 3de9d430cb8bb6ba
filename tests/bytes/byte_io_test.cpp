// Files, buffered input and output, and paths: the same contract in both
// builds.
#include <gtest/gtest.h>

#include <string>

#include "bytes/buffered_reader.h"
#include "bytes/buffered_sink.h"
#include "bytes/local_file.h"
#include "bytes/paths.h"
#include "tests/support/temp_folder.h"

namespace {

// A stream that records writes, accepting at most `chunk` bytes per call.
class RecordingStream : public Stream {
 public:
  explicit RecordingStream(int chunk = 1 << 20) : chunk_(chunk) {}
  bool close() override { return true; }
  int read(void*, int) override { return 0; }
  int write(const void* data, int length) override {
    if (failing || static_cast<int>(writes.size()) == acceptedWrites) return -1;
    int taken = length < chunk_ ? length : chunk_;
    writes.push_back(std::string(static_cast<const char*>(data), taken));
    return taken;
  }
  std::string all() const {
    std::string joined;
    for (const std::string& w : writes) joined += w;
    return joined;
  }
  std::vector<std::string> writes;
  bool failing = false;
  int acceptedWrites = -1;  // calls that succeed before every later one fails

 private:
  int chunk_;
};

TEST(BufferedSinkTest, WritesAFullBufferBeforeTheNextByteAndFlushesOnDestruction) {
  RecordingStream stream;
  {
    BufferedSink sink(stream);
    for (int i = 0; i < 1024; ++i) ASSERT_TRUE(sink.put('a'));
    EXPECT_TRUE(stream.writes.empty());
    ASSERT_TRUE(sink.put('b'));
    ASSERT_EQ(1u, stream.writes.size());
    EXPECT_EQ(1024u, stream.writes[0].size());
    EXPECT_EQ(2, sink.newline());
  }
  EXPECT_EQ(std::string(1024, 'a') + "b\r\n", stream.all());
}

TEST(BufferedSinkTest, PartialWritesAreRepeatedAndFailuresKeepTheBytes) {
  RecordingStream stream(7);
  BufferedSink sink(stream);
  EXPECT_EQ(20, sink.write("0123456789abcdefghij", 20));
  EXPECT_TRUE(sink.flush());
  EXPECT_EQ("0123456789abcdefghij", stream.all());
  EXPECT_EQ(3u, stream.writes.size());
  sink.put('x');
  stream.failing = true;
  EXPECT_FALSE(sink.flush());
  stream.failing = false;
  EXPECT_TRUE(sink.flush());
  EXPECT_EQ("0123456789abcdefghijx", stream.all());
}

TEST(BufferedSinkTest, AFailureAfterAPartialWriteKeepsWhatWasWritten) {
  RecordingStream stream(7);
  BufferedSink sink(stream);
  EXPECT_EQ(10, sink.write("0123456789", 10));
  stream.acceptedWrites = 1;
  EXPECT_FALSE(sink.flush());
  stream.acceptedWrites = -1;
  EXPECT_TRUE(sink.flush());
  EXPECT_EQ("0123456789", stream.all());
}

TEST(BufferedSinkTest, ABulkWriteFlushesAsItsPutsWouldAndStopsAtARefusal) {
  RecordingStream stream;
  BufferedSink sink(stream);
  const std::string bytes(2500, 'q');
  stream.acceptedWrites = 1;
  EXPECT_EQ(2048, sink.write(bytes.data(), 2500));  // the second full block cannot go
  ASSERT_EQ(1u, stream.writes.size());
  EXPECT_EQ(1024u, stream.writes[0].size());
  stream.acceptedWrites = -1;
  EXPECT_EQ(452, sink.write(bytes.data(), 452));
  EXPECT_TRUE(sink.flush());
  EXPECT_EQ(bytes, stream.all());
}

TEST(BufferedReaderTest, EndsForGoodAtTheFirstEmptyRead) {
  RecordingStream empty;
  BufferedReader reader(empty);
  EXPECT_EQ(-1, reader.nextByte());
  EXPECT_EQ(-1, reader.nextByte());
  const unsigned char* bytes;
  EXPECT_EQ(0, reader.peekSpan(bytes));
}

TEST(BufferedSinkTest, ALargerBufferWritesInBlocksOfItsSize) {
  RecordingStream stream;
  {
    BufferedSink sink(stream, 4096);
    for (int i = 0; i < 4097; ++i) ASSERT_TRUE(sink.put('a'));
    ASSERT_EQ(1u, stream.writes.size());
    EXPECT_EQ(4096u, stream.writes[0].size());
  }
  EXPECT_EQ(std::string(4097, 'a'), stream.all());
}

TEST(LocalFileTest, ReadsBackWhatWasWrittenAcrossBufferBoundaries) {
  TempFolder folder;
  std::string content;
  for (int i = 0; i < 3000; ++i) content += static_cast<char>(i * 7);
  {
    LocalFile file;
    ASSERT_TRUE(file.createForWrite(folder.file("a.bin")));
    BufferedSink sink(file);
    ASSERT_EQ(3000, sink.write(content.data(), 3000));
  }
  LocalFile file;
  ASSERT_TRUE(file.openForRead(folder.file("a.bin")));
  BufferedReader reader(file);
  std::string back;
  for (int c; (c = reader.nextByte()) >= 0;) back += static_cast<char>(c);
  EXPECT_EQ(content, back);
}

TEST(LocalFileTest, SharingRulesAndTruncation) {
  TempFolder folder;
  std::string path = folder.file("shared.txt");
  writeWholeFile(path, "old content");
  LocalFile reader1, reader2, writer;
  ASSERT_TRUE(reader1.openForRead(path));
  EXPECT_TRUE(reader2.openForRead(path));        // readers share
  EXPECT_FALSE(writer.createForWrite(path));      // a writer needs the file alone
  reader1.close();
  reader2.close();
  ASSERT_TRUE(writer.createForWrite(path));
  LocalFile blocked;
  EXPECT_FALSE(blocked.openForRead(path));        // held without read sharing
  writer.close();
  EXPECT_EQ("", readWholeFile(path));             // creating empties it
  LocalFile missing;
  EXPECT_FALSE(missing.openForRead(folder.file("nothing")));
  EXPECT_EQ(-1, missing.read(nullptr, 0));
  EXPECT_TRUE(missing.close());
}

TEST(PathsTest, SeparatorsSkipTrailBytes) {
  // Just past the separator, so that the directory keeps it.
  EXPECT_EQ(9u, lastSeparatorEnd("C:\\guide\\data"));
  EXPECT_EQ(0u, lastSeparatorEnd("plain"));
  // 0x95 0x5C is one character whose trail byte looks like a separator.
  EXPECT_EQ(3u, lastSeparatorEnd("C:\\\x95\x5c"));
  EXPECT_EQ("C:\\\x95\x5c\\", directoryOf("C:\\\x95\x5c\\Rokuban.exe"));
  EXPECT_EQ("C:\\tv\\", withTrailingSeparator("C:\\tv"));
  EXPECT_EQ("C:\\tv\\", withTrailingSeparator("C:\\tv\\"));
  EXPECT_EQ("C:/tv/", withTrailingSeparator("C:/tv/"));
  EXPECT_EQ("C:\\t\\", withTrailingSeparator("C:\\t"));
  EXPECT_EQ("C:\\\x95\x5c\\", withTrailingSeparator("C:\\\x95\x5c"));
}

TEST(PathsTest, KindsOfPath) {
  TempFolder folder;
  writeWholeFile(folder.file("f"), "x");
  EXPECT_TRUE(isDirectory(folder.path()));
  EXPECT_FALSE(isFile(folder.path()));
  EXPECT_TRUE(isFile(folder.file("f")));
  EXPECT_FALSE(isDirectory(folder.file("f")));
  EXPECT_FALSE(isFile(folder.file("none")));
  EXPECT_FALSE(isDirectory(folder.file("none")));
}

}  // namespace
