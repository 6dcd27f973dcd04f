// The output files: text files of lines ended by CR LF, opened at the start of the run
// without being emptied. An existing file keeps its bytes until the first line is written
// to it; it is then cut to length zero, so a run that ends earlier leaves it as it was.
// Any failure to open, write, flush or close a file raises FileError.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace regmap {

inline constexpr const char* kCurveFileName = "Regmap24.out";
inline constexpr const char* kRangeFileName = "Regmap24.plp";

class FileError : public std::runtime_error {
 public:
  FileError(const std::string& path, const std::string& action, int error_number);
};

// Where map tracing sends its lines: the curve file, or nothing in benchmarks.
class LineWriter {
 public:
  virtual ~LineWriter() = default;
  // Writes `text` followed by CR LF.
  virtual void write_line(std::string_view text) = 0;
};

class NullLineWriter final : public LineWriter {
 public:
  void write_line(std::string_view) override {}
};

// Thin seam over the system calls, so tests can force "cannot open" and "disk full".
struct FileSystem {
  virtual ~FileSystem() = default;
  virtual int open_for_writing(const char* path);  // returns fd or -1 (errno set)
  virtual int cut_to_zero(int fd);                 // 0 or -1 (errno set)
  virtual long write(int fd, const char* data, std::size_t size);
  virtual int close(int fd);
};
FileSystem& real_file_system();

class OutputFile final : public LineWriter {
 public:
  // Opens (creates if needed, never truncates) `path` for writing; throws FileError.
  explicit OutputFile(const char* path, FileSystem& fs = real_file_system());
  ~OutputFile() override;  // closes quietly if close() was not called
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  void write_line(std::string_view text) override;
  // Sends the buffered lines to the file; throws FileError.
  void flush();
  // Sends the buffered lines and closes the file; throws FileError.
  void close();

 private:

  std::string path_;
  FileSystem& fs_;
  int fd_ = -1;
  bool written_ = false;
  static constexpr std::size_t kCapacity = 16384;
  char buffer_[kCapacity];
  std::size_t used_ = 0;
};

}  // namespace regmap
