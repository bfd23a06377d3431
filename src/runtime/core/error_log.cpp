#include "core/error_log.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/platform.h"

std::string __ErrorLogPath() {
  return tobli::platform::TempDir() + "ErrorLog.txt";
}

void __DeleteErrorLog() {
  unlink(__ErrorLogPath().c_str());
}

void __AppendErrorLog(const char* line) {
  // O_NOFOLLOW: a link planted in a shared temporary directory cannot redirect the log.
  int fd =
      open(__ErrorLogPath().c_str(), O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return;
  std::string text = line != nullptr ? line : "";
  text += "\r\n";
  const char* data = text.data();
  size_t left = text.size();
  while (left > 0) {
    ssize_t written = write(fd, data, left);
    if (written <= 0) break;
    data += written;
    left -= static_cast<size_t>(written);
  }
  close(fd);
}
