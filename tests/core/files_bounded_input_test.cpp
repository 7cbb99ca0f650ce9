// Inputs that never end or never come: each reader answers with what it read or a refusal, in bounded
// time and memory. Waits are shortened through the stream's own bound, never timed by the test.
#include <fcntl.h>
#include <signal.h>
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
    inputWaitMilliseconds = 50;
    // Tests run in parallel processes: each its own FIFO.
    fifo = TempPath(std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "." +
                    std::to_string(getpid()) + ".fifo");
    std::remove(fifo.c_str());
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  }
  void TearDown() override {
    inputWaitMilliseconds = 2000;
    std::remove(fifo.c_str());
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
  const std::string none = ReadPattern(&stream);
  EXPECT_TRUE(none == "\nThe file is empty." ||
              none.find("did not end within 0.05 seconds") != std::string::npos)
      << none;

  ASSERT_TRUE(OpenTextStream(&stream, fifo.c_str()));
  const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
  ASSERT_GE(writer, 0);
  ASSERT_EQ(write(writer, "\3\0\0", 3), 3);  // a size and two colours, then silence
  EXPECT_EQ(ReadPattern(&stream),
            "\nOnly 2 of its 54 colours could be read: it did not end within 0.05 seconds.");
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

TEST_F(BoundedInput, EndlessValidMovesStopAtTheByteBoundWithAnError) {
  inputWaitMilliseconds = 60000;  // the byte bound, not the clock, must end this one
  TextStream stream;
  EndlessWriter writer(fifo, "U ");
  int opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);  // blocking: meets the writer
  OpenDescriptorStream(&stream, opened);
  EXPECT_EQ(LoadMoveFile(document.cube, &stream), 0);
  close(opened);
  EXPECT_GE(stream.taken, kMaxInputBytes);
  EXPECT_LT(stream.taken, kMaxInputBytes + sizeof stream.buffer);
  ASSERT_EQ(recording.boxes.size(), 2u);
  EXPECT_EQ(recording.boxes[0].title, "Error");
  EXPECT_EQ(recording.boxes[0].text, "INVALID mov file: it goes on past 1 MiB");
  EXPECT_EQ(recording.boxes[1].text.substr(0, 25), " Number of moves 0 q 0 f\n");
  EXPECT_FALSE(lastMovesRead);
}

TEST_F(BoundedInput, TokenThatNeverEndsIsRefusedAfterItsShownPart) {
  TextStream stream;
  EndlessWriter writer(fifo, "R");
  int opened = -1;
  while (opened < 0) opened = open(fifo.c_str(), O_RDONLY);
  OpenDescriptorStream(&stream, opened);
  EXPECT_EQ(LoadMoveFile(document.cube, &stream), 0);
  close(opened);
  EXPECT_LE(stream.taken, sizeof stream.buffer * 2);  // the reader stopped within the token's start
  ASSERT_GE(recording.boxes.size(), 1u);
  EXPECT_EQ(recording.boxes[0].text, "INVALID mov file containing " + std::string(224, 'R') + "...");
}

}  // namespace
