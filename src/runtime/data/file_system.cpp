#include "data/file_system.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

QMFileSystem::~QMFileSystem() {
  Close();
}

bool QMFileSystem::Open(const char* path, Mode mode) {
  Close();
  if (path == nullptr || *path == 0) return false;
  int flags = O_CLOEXEC | O_NONBLOCK;
  switch (mode) {
    case kRead:
      flags |= O_RDONLY;
      break;
    case kWrite:
      flags |= O_WRONLY | O_CREAT | O_TRUNC;
      break;
    case kAppend:
      flags |= O_WRONLY | O_CREAT;
      break;
  }
  // O_NONBLOCK keeps a named pipe from stalling the open; such files are refused below.
  int fd;
  do {
    fd = open(path, flags, 0666);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return false;
  struct stat info;
  if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    close(fd);
    return false;
  }
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  hFile = fd;
  if (mode == kAppend && lseek(fd, 0, SEEK_END) < 0) {
    Close();
    return false;
  }
  return true;
}

void QMFileSystem::Close() {
  if (hFile >= 0) close(hFile);
  hFile = -1;
}

int64_t QMFileSystem::Read(void* buffer, int64_t count) {
  if (hFile < 0 || count < 0) return -1;
  auto* out = static_cast<unsigned char*>(buffer);
  int64_t done = 0;
  while (done < count) {
    ssize_t got = read(hFile, out + done, static_cast<size_t>(count - done));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return -1;
    if (got == 0) break;
    done += got;
  }
  return done;
}

bool QMFileSystem::Write(const void* data, int64_t count) {
  if (hFile < 0 || count < 0) return false;
  const auto* in = static_cast<const unsigned char*>(data);
  int64_t done = 0;
  while (done < count) {
    ssize_t put = write(hFile, in + done, static_cast<size_t>(count - done));
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    done += put;
  }
  return true;
}

int64_t QMFileSystem::Seek(int64_t offset, Origin origin) {
  if (hFile < 0) return -1;
  int whence = origin == kFromStart ? SEEK_SET : origin == kFromCurrent ? SEEK_CUR : SEEK_END;
  off_t position = lseek(hFile, static_cast<off_t>(offset), whence);
  return position < 0 ? -1 : static_cast<int64_t>(position);
}

int64_t QMFileSystem::Size() const {
  struct stat info;
  if (hFile < 0 || fstat(hFile, &info) != 0) return -1;
  return static_cast<int64_t>(info.st_size);
}

bool QMFileSystem::Sync() {
  return hFile >= 0 && fsync(hFile) == 0;
}
