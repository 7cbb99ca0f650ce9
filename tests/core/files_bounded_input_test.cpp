// Inputs that never end or never come: each reader answers with what it read or a refusal, in bounded
// time and memory. Waits are shortened through the stream's own bound, never timed by the test.
#include <fcntl.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <string>
#include <thread>

#include "support/cube_helpers.h"

namespace {

class BoundedInput : public FreshStartTest {
 protected:
  void SetUp() override {
    FreshStartTest::SetUp();
    signal(SIGPIPE, SIG_IGN);
    // Tests run in parallel processes: each its own FIFO.
    fifo = TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "." +
                    std::to_string(getpid()) + ".fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  }
  void TearDown() override { std::remove(fifo.c_str()); }

  // Bounds short enough for a test: the stream's own, set before its first read.
  static void Shorten(TextStream* stream, int idle, int total) {
    stream->idleMilliseconds = idle;
    stream->totalMilliseconds = total;
  }

  std::string ReadPattern(TextStream* stream) {
    static PatternData pattern;
    char problem[128] = "";
    EXPECT_FALSE(ReadPatternFile(stream, &pattern, problem, sizeof problem));
    CloseTextStream(stream);
    return problem;
  }

  std::string fifo;
};

TEST_F(BoundedInput, FifoWithNoWriterOrASilentOneIsRefused) {
  TextStream stream;
  ASSERT_TRUE(OpenTextStream(&stream, fifo.c_str()));  // would wait for a writer if opened blocking
  Shorten(&stream, 50, 30000);
  const std::string none = ReadPattern(&stream);
  EXPECT_TRUE(none == "\nThe file is empty." ||
              none.find("nothing came for 0.05 seconds") != std::string::npos)
      << none;

  ASSERT_TRUE(OpenTextStream(&stream, fifo.c_str()));
  Shorten(&stream, 50, 30000);
  const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(write(writer, "\3\0\0", 3), 3);  // a size and two colours, then silence
  EXPECT_EQ(ReadPattern(&stream), "\nOnly 2 of its 54 colours could be read: nothing came for 0.05 seconds.");
  // A move file that falls silent is refused as one with a bad token is, its counts 0.
  ASSERT_TRUE(OpenTextStream(&stream, fifo.c_str()));
  Shorten(&stream, 50, 30000);
  ASSERT_EQ(write(writer, "R U ", 4), 4);
  EXPECT_EQ(LoadMoveFile(&stream), 0);
  CloseTextStream(&stream);
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[0].text, "INVALID mov file: nothing came for 0.05 seconds");
  EXPECT_EQ(recording.boxes[1].text, " Number of moves 0 q 0 f\nR U ");
  EXPECT_FALSE(document.last.read);
  close(writer);
}

// A folder does not open; a file's descriptor goes with its stream, but a lent one, such as standard
// input, stays open for its owner.
TEST_F(BoundedInput, FolderIsNoInputAndOnlyOwnedDescriptorsClose) {
  TextStream stream;
  EXPECT_FALSE(OpenTextStream(&stream, ::testing::TempDir().c_str()));
  EXPECT_EQ(stream.descriptor, -1);

  ASSERT_TRUE(OpenTextStream(&stream, fifo.c_str()));
  const int owned = stream.descriptor;
  CloseTextStream(&stream);
  EXPECT_EQ(fcntl(owned, F_GETFD), -1);

  const int lent = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
  OpenDescriptorStream(&stream, lent);
  CloseTextStream(&stream);
  EXPECT_NE(fcntl(lent, F_GETFD), -1);
  close(lent);
}

// A writer that keeps writing `unit` until the reader goes away.
struct EndlessWriter {
  EndlessWriter(const std::string& path, const std::string& unit) {
    thread = std::thread([this, path, unit] {
      const int out = open(path.c_str(), O_WRONLY);
      std::string block;
      while (block.size() < 4096) block += unit;
      while (out >= 0 && write(out, block.data(), block.size()) > 0) written += block.size();
      if (out >= 0) close(out);
    });
  }
  ~EndlessWriter() { thread.join(); }
  std::thread thread;
  std::atomic<uint64_t> written{0};
};

TEST_F(BoundedInput, EndlessBytesStopAtTheByteBound) {
  TextStream stream;
  EndlessWriter writer(fifo, "U ");
  int opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);  // blocking: meets the writer
  OpenDescriptorStream(&stream, opened);
  uint64_t bytes = 0;
  while (ReadByte(&stream) >= 0) ++bytes;
  close(opened);
  EXPECT_STREQ(stream.problem, "it goes on past 64 MiB");
  EXPECT_GE(stream.taken, kMaxInputBytes);
  EXPECT_LT(stream.taken, kMaxInputBytes + sizeof stream.buffer);
  EXPECT_EQ(bytes, stream.taken) << "every byte taken was read, none past the bound";
}

// A pipe that keeps sending is read as long as bytes come, but not for ever.
TEST_F(BoundedInput, ASlowLivePipeIsReadWholeWithinTheTotalBound) {
  TextStream stream;
  std::thread slow([this] {
    const int out = open(fifo.c_str(), O_WRONLY);
    for (int k = 0; k < 100 && out >= 0; ++k) {
      if (write(out, "R ", 2) != 2) break;
      // The next move only once the reader has taken this one, so the reader waits on a live pipe
      // between moves.
      int pending = 1;
      while (ioctl(out, FIONREAD, &pending) == 0 && pending > 0) std::this_thread::yield();
    }
    if (out >= 0) close(out);
  });
  int opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);
  OpenDescriptorStream(&stream, opened);
  Shorten(&stream, 5000, 60000);
  EXPECT_EQ(LoadMoveFile(&stream), 100);
  slow.join();
  close(opened);
  EXPECT_STREQ(stream.problem, "");

  EndlessWriter endless(fifo, "R ");
  opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);
  OpenDescriptorStream(&stream, opened);
  Shorten(&stream, 5000, 50);
  uint64_t bytes = 0;
  while (ReadByte(&stream) >= 0) ++bytes;
  close(opened);
  EXPECT_STREQ(stream.problem, "it did not end within 0.05 seconds");
}

TEST_F(BoundedInput, TokenThatNeverEndsIsRefusedAfterItsShownPart) {
  TextStream stream;
  EndlessWriter writer(fifo, "R");
  int opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);
  OpenDescriptorStream(&stream, opened);
  EXPECT_EQ(LoadMoveFile(&stream), 0);
  close(opened);
  EXPECT_LE(stream.taken, sizeof stream.buffer * 2);  // the reader stopped within the token's start
  ASSERT_GE(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].text, "INVALID mov file containing " + std::string(224, 'R') + "...");
}

}  // namespace
