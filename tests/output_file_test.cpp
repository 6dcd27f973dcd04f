// The output files: opened without being emptied, cut to zero at the first line, lines
// ended by CR LF, and a FileError naming the file and the reason on any failure to open,
// write, flush or close.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "driver/output_file.h"
#include "support/test_support.h"

namespace regmap::test {
namespace {

namespace fs = std::filesystem;

// A file system in memory that records every call and fails where it is told to.
class FakeFileSystem final : public FileSystem {
 public:
  int open_for_writing(const char* path) override {
    calls.push_back(std::string("open ") + path);
    if (open_errno != 0) {
      errno = open_errno;
      return -1;
    }
    return kFd;
  }
  int cut_to_zero(int fd) override {
    calls.push_back("cut");
    EXPECT_EQ(fd, kFd);
    contents.clear();
    return 0;
  }
  long write(int fd, const char* data, std::size_t size) override {
    EXPECT_EQ(fd, kFd);
    calls.push_back("write");
    if (interrupt_next_write) {
      interrupt_next_write = false;
      errno = EINTR;
      return -1;
    }
    if (write_errno != 0) {
      errno = write_errno;
      return -1;
    }
    if (write_returns_zero) return 0;
    const std::size_t n = size < max_write ? size : max_write;
    contents.append(data, n);
    return static_cast<long>(n);
  }
  int close(int fd) override {
    EXPECT_EQ(fd, kFd);
    calls.push_back("close");
    ++closes;
    if (close_errno != 0) {
      errno = close_errno;
      return -1;
    }
    return 0;
  }

  static constexpr int kFd = 42;
  int open_errno = 0;
  int write_errno = 0;
  int close_errno = 0;
  bool interrupt_next_write = false;
  bool write_returns_zero = false;
  std::size_t max_write = static_cast<std::size_t>(-1);
  std::string contents = "old bytes of an earlier run";
  std::vector<std::string> calls;
  int closes = 0;
};

// Runs `action` and returns the message of the FileError it throws ("" if none).
template <class Action>
std::string file_error_of(Action action) {
  try {
    action();
  } catch (const FileError& e) {
    return e.what();
  }
  return "";
}

TEST(OutputFileSeam, CutOnlyAtTheFirstLineAndBeforeAnyWrite) {
  FakeFileSystem files;
  OutputFile file("Regmap24.out", files);
  EXPECT_EQ(files.contents, "old bytes of an earlier run");
  file.write_line("  5.000000E-01 -1.000000E-02");
  file.write_line("");
  file.write_line("  2.000000E+00  1.234568E-02");
  file.close();
  EXPECT_EQ(files.contents,
            "  5.000000E-01 -1.000000E-02\r\n\r\n  2.000000E+00  1.234568E-02\r\n");
  ASSERT_GE(files.calls.size(), 4u);
  EXPECT_EQ(files.calls[0], "open Regmap24.out");
  EXPECT_EQ(files.calls[1], "cut");
  EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "cut"), 1);
  EXPECT_EQ(files.calls.back(), "close");
  EXPECT_EQ(files.closes, 1);
}

TEST(OutputFileSeam, NoLineLeavesTheFileUncut) {
  FakeFileSystem files;
  {
    OutputFile file("Regmap24.plp", files);
    file.close();
  }
  EXPECT_EQ(files.contents, "old bytes of an earlier run");
  EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "cut"), 0);
  EXPECT_EQ(std::count(files.calls.begin(), files.calls.end(), "write"), 0);
  EXPECT_EQ(files.closes, 1);
}

TEST(OutputFileSeam, DestructorClosesAFileLeftOpen) {
  // A run stopped in a menu never calls close(); the file is still closed, once.
  FakeFileSystem files;
  { OutputFile file("Regmap24.out", files); }
  EXPECT_EQ(files.closes, 1);
  EXPECT_EQ(files.contents, "old bytes of an earlier run");
}

TEST(OutputFileSeam, OpenFailureNamesFileAndReason) {
  FakeFileSystem files;
  files.open_errno = EACCES;
  EXPECT_EQ(file_error_of([&] { OutputFile file("Regmap24.out", files); }),
            "cannot open file Regmap24.out: Permission denied");
  EXPECT_EQ(files.closes, 0);
}

TEST(OutputFileSeam, WriteFailureAtFlushIsReportedByClose) {
  FakeFileSystem files;
  files.write_errno = ENOSPC;
  {
    OutputFile file("Regmap24.out", files);
    file.write_line("  5.000000E-01 -1.000000E-02");
    EXPECT_EQ(file_error_of([&] { file.close(); }),
              "cannot write file Regmap24.out: No space left on device");
  }
  // The descriptor is still released, once.
  EXPECT_EQ(files.closes, 1);
}

TEST(OutputFileSeam, WriteThatMakesNoProgressFails) {
  FakeFileSystem files;
  files.write_returns_zero = true;
  OutputFile file("Regmap24.plp", files);
  file.write_line(" set xrange[ 5.000E-03: 5.000E+02]");
  EXPECT_EQ(file_error_of([&] { file.close(); }),
            "cannot write file Regmap24.plp: No space left on device");
}

TEST(OutputFileSeam, CloseFailureIsAFileError) {
  FakeFileSystem files;
  files.close_errno = EIO;
  {
    OutputFile file("Regmap24.plp", files);
    file.write_line(" set xrange[ 5.000E-03: 5.000E+02]");
    EXPECT_EQ(file_error_of([&] { file.close(); }),
              "cannot close file Regmap24.plp: Input/output error");
  }
  // Everything was written before the close, and the destructor does not close again.
  EXPECT_EQ(files.contents, " set xrange[ 5.000E-03: 5.000E+02]\r\n");
  EXPECT_EQ(files.closes, 1);
}

TEST(OutputFileSeam, ShortAndInterruptedWritesAreResumed) {
  FakeFileSystem files;
  files.max_write = 7;
  files.interrupt_next_write = true;
  std::string expected;
  OutputFile file("Regmap24.out", files);
  // More lines than the buffer holds, so that it is sent in the middle as well.
  for (int i = 0; i < 1000; ++i) {
    const std::string line = "  " + std::to_string(1000000 + i) + "E-01  1.700853E-01";
    file.write_line(line);
    expected += line + "\r\n";
  }
  file.close();
  EXPECT_EQ(files.contents, expected);
}

// The same behaviour on the real file system, in a scratch directory.
TEST(OutputFileOnDisk, NewFileIsCreatedEmptyAtOpen) {
  ScratchDir dir;
  OutputFile file("Regmap24.out");
  EXPECT_TRUE(file_exists("Regmap24.out"));
  EXPECT_EQ(read_file("Regmap24.out"), "");
  file.close();
  EXPECT_EQ(read_file("Regmap24.out"), "");
}

TEST(OutputFileOnDisk, ExistingFileKeepsItsBytesUntilTheFirstLine) {
  ScratchDir dir;
  const std::string old = std::string("a longer content of an earlier run\r\n", 36) +
                          std::string("\0\x01\xff no line end", 15);
  write_file("Regmap24.out", old);
  {
    OutputFile file("Regmap24.out");
    EXPECT_EQ(read_file("Regmap24.out"), old);
    file.close();
  }
  EXPECT_EQ(read_file("Regmap24.out"), old);
}

TEST(OutputFileOnDisk, FirstLineDiscardsTheWholeOldContent) {
  // The old content is longer than the new one: no tail of it may remain.
  ScratchDir dir;
  write_file("Regmap24.plp", std::string(5000, 'z'));
  OutputFile file("Regmap24.plp");
  file.write_line(" set xrange[ 5.000E-03: 5.000E+02]");
  file.write_line(" set yrange[ 5.000E-03: 5.000E+01]");
  file.close();
  EXPECT_EQ(read_file("Regmap24.plp"),
            " set xrange[ 5.000E-03: 5.000E+02]\r\n set yrange[ 5.000E-03: 5.000E+01]\r\n");
}

TEST(OutputFileOnDisk, DirectoryCannotBeOpened) {
  ScratchDir dir;
  fs::create_directory("Regmap24.out");
  EXPECT_EQ(file_error_of([] { OutputFile file("Regmap24.out"); }),
            "cannot open file Regmap24.out: Is a directory");
}

TEST(OutputFileOnDisk, FullDiskIsAWriteError) {
  ScratchDir dir;
  fs::create_symlink("/dev/full", "Regmap24.out");
  OutputFile file("Regmap24.out");
  file.write_line("  3.165469E+00  1.700853E-01");
  EXPECT_EQ(file_error_of([&] { file.close(); }),
            "cannot write file Regmap24.out: No space left on device");
}

TEST(OutputFileOnDisk, DeviceIsWrittenWithoutCutting) {
  // A device has no length to cut; /dev/null takes the lines and the close succeeds.
  ScratchDir dir;
  fs::create_symlink("/dev/null", "Regmap24.out");
  OutputFile file("Regmap24.out");
  file.write_line("  3.165469E+00  1.700853E-01");
  EXPECT_EQ(file_error_of([&] { file.close(); }), "");
}

}  // namespace
}  // namespace regmap::test
