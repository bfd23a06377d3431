// The runtime's owner of one open file. Archive and text-file access goes through it, so the
// file is closed on every path out of a command (the destructor closes it).
#pragma once

#include <cstdint>

class QMFileSystem {
 public:
  enum Mode {
    kRead,    // the file must exist
    kWrite,   // created or truncated
    kAppend,  // opened or created, positioned at its end
  };
  enum Origin { kFromStart, kFromCurrent, kFromEnd };

  QMFileSystem() = default;
  ~QMFileSystem();
  QMFileSystem(const QMFileSystem&) = delete;
  QMFileSystem& operator=(const QMFileSystem&) = delete;

  // Closes any open file, then opens path. Only regular files open (a directory, device or
  // pipe does not). False, with no handle kept, when it cannot be opened.
  bool Open(const char* path, Mode mode);
  // Closes the handle if one is open.
  void Close();
  bool IsOpen() const { return hFile >= 0; }

  // Reads up to count bytes at the current position; returns the bytes read (fewer only at
  // the end of the file), or -1 on an error or when no file is open.
  int64_t Read(void* buffer, int64_t count);
  // Writes all count bytes; false when not all of them could be written.
  bool Write(const void* data, int64_t count);
  // Moves the position; returns the new position, or -1 (position unchanged) when it would
  // fall before the start of the file or no file is open.
  int64_t Seek(int64_t offset, Origin origin);
  // Length of the open file in bytes, -1 when no file is open.
  int64_t Size() const;
  // Forces written data to the disk; false on failure.
  bool Sync();

  int hFile = -1;  // the descriptor; -1 when no file is open (0 is a valid descriptor here)
};
