#include "driver/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace regmap {

FileError::FileError(const std::string& path, const std::string& action, int error_number)
    : std::runtime_error("cannot " + action + " file " + path + ": " + std::strerror(error_number)) {}

int FileSystem::open_for_writing(const char* path) {
  return ::open(path, O_WRONLY | O_CREAT | O_CLOEXEC, 0666);
}

int FileSystem::cut_to_zero(int fd) {
  // Only a regular file has a length to cut; a device such as /dev/null is written as is.
  struct stat st {};
  if (::fstat(fd, &st) != 0) return -1;
  if (!S_ISREG(st.st_mode)) return 0;
  return ::ftruncate(fd, 0);
}

long FileSystem::write(int fd, const char* data, std::size_t size) { return ::write(fd, data, size); }

int FileSystem::close(int fd) { return ::close(fd); }

FileSystem& real_file_system() {
  static FileSystem fs;
  return fs;
}

OutputFile::OutputFile(const char* path, FileSystem& fs) : path_(path), fs_(fs) {
  fd_ = fs_.open_for_writing(path);
  if (fd_ < 0) throw FileError(path_, "open", errno);
}

OutputFile::~OutputFile() {
  if (fd_ >= 0) fs_.close(fd_);
}

void OutputFile::write_line(std::string_view text) {
  if (!written_) {
    if (fs_.cut_to_zero(fd_) != 0) throw FileError(path_, "write", errno);
    written_ = true;
  }
  if (text.size() + 2 > kCapacity - used_) flush();
  if (text.size() + 2 > kCapacity) throw FileError(path_, "write", EOVERFLOW);
  std::memcpy(buffer_ + used_, text.data(), text.size());
  used_ += text.size();
  buffer_[used_++] = '\r';
  buffer_[used_++] = '\n';
}

void OutputFile::flush() {
  std::size_t done = 0;
  while (done < used_) {
    const long n = fs_.write(fd_, buffer_ + done, used_ - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw FileError(path_, "write", n < 0 ? errno : ENOSPC);
    done += static_cast<std::size_t>(n);
  }
  used_ = 0;
}

void OutputFile::close() {
  if (fd_ < 0) return;
  flush();
  const int fd = fd_;
  fd_ = -1;
  if (fs_.close(fd) != 0) throw FileError(path_, "close", errno);
}

}  // namespace regmap
