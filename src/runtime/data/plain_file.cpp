#include "data/plain_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <vector>

namespace {

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t NewFileMode() {
  // umask can only be read by setting it; the runtime is single-threaded.
  mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void SyncDirectory(const std::string& dir) {
  int fd = open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

}  // namespace

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
  if (path.empty() || path.back() == '/') return false;
  // A file we may not write stays as it is, although the directory would let us replace it.
  if (access(path.c_str(), F_OK) == 0 && access(path.c_str(), W_OK) != 0) return false;
  size_t slash = path.rfind('/');
  std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
  std::string dir = DirectoryOf(path);
  std::string pattern = (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
                        "." + base + ".XXXXXX";
  std::vector<char> temp(pattern.begin(), pattern.end());
  temp.push_back(0);
  int fd = mkostemp(temp.data(), O_CLOEXEC);
  if (fd < 0) return false;

  struct stat old;
  mode_t mode = stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : NewFileMode();
  bool ok = fchmod(fd, mode) == 0;
  ok = ok && WriteAll(fd, contents.data(), contents.size());
  ok = ok && fsync(fd) == 0;
  ok = close(fd) == 0 && ok;
  ok = ok && rename(temp.data(), path.c_str()) == 0;
  if (!ok) {
    unlink(temp.data());
    return false;
  }
  SyncDirectory(dir);
  return true;
}

std::string ResolveFilePath(const char* path) {
  if (path == nullptr || path[0] == 0) return "";
  char resolved[PATH_MAX];
  if (realpath(path, resolved) != nullptr) return resolved;
  if (path[0] == '/') return path;
  char cwd[PATH_MAX];
  if (getcwd(cwd, sizeof(cwd)) == nullptr) return path;
  return std::string(cwd) + "/" + path;
}
