// FILEREQUEST_Str: the desktop's open and save dialogs, run as a separate program (zenity, or
// kdialog when zenity is missing) that prints the chosen path.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/builtins.h"
#include "core/frame.h"
#include "core/services.h"
#include "core/shell_command.h"
#include "data/file_commands.h"
#include "gfx/lumetra.h"

namespace {

struct FilterEntry {
  std::string name;
  std::vector<std::string> patterns;
};

std::string FindOnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  if (path == nullptr) return "";
  std::string list = path;
  size_t from = 0;
  for (;;) {
    size_t colon = list.find(':', from);
    std::string dir =
        list.substr(from, colon == std::string::npos ? std::string::npos : colon - from);
    std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
    struct stat info;
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    if (colon == std::string::npos) return "";
    from = colon + 1;
  }
}

std::vector<std::string> Split(const std::string& text, const std::string& separators) {
  std::vector<std::string> parts;
  std::string current;
  for (char c : text) {
    if (separators.find(c) != std::string::npos) {
      parts.push_back(current);
      current.clear();
    } else {
      current += c;
    }
  }
  parts.push_back(current);
  return parts;
}

// "Text files|*.txt;*.ini|All|*.*": display names and pattern lists, alternating.
std::vector<FilterEntry> ParseFilter(const std::string& filter) {
  std::vector<FilterEntry> entries;
  std::vector<std::string> fields = Split(filter, "|");
  for (size_t i = 0; i + 1 < fields.size(); i += 2) {
    FilterEntry entry{fields[i], {}};
    for (const std::string& pattern : Split(fields[i + 1], "; ")) {
      if (!pattern.empty()) entry.patterns.push_back(pattern);
    }
    if (!entry.patterns.empty()) entries.push_back(entry);
  }
  return entries;
}

std::string JoinPatterns(const FilterEntry& entry) {
  std::string joined;
  for (const std::string& pattern : entry.patterns) {
    if (!joined.empty()) joined += ' ';
    joined += pattern;
  }
  return joined;
}

std::vector<std::string> DialogArguments(const std::string& program, bool zenity, bool open,
                                         const std::vector<FilterEntry>& filters,
                                         const std::string& startDir) {
  std::vector<std::string> args{program};
  if (zenity) {
    args.push_back("--file-selection");
    if (!open) args.push_back("--save");
    args.push_back("--filename=" + startDir);
    for (const FilterEntry& entry : filters) {
      args.push_back("--file-filter=" + entry.name + " | " + JoinPatterns(entry));
    }
    return args;
  }
  args.push_back(open ? "--getopenfilename" : "--getsavefilename");
  args.push_back(startDir);
  std::string kdialogFilter;
  for (const FilterEntry& entry : filters) {
    if (!kdialogFilter.empty()) kdialogFilter += '\n';
    kdialogFilter += JoinPatterns(entry) + "|" + entry.name;
  }
  if (!kdialogFilter.empty()) args.push_back(kdialogFilter);
  return args;
}

// Runs the dialog and returns what it printed on its first line; false when it could not start,
// was cancelled (a non-zero exit) or printed nothing.
bool RunDialog(const std::vector<std::string>& args, std::string& chosen) {
  int fds[2];
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  pid_t pid = SpawnProgram(args, fds[1]);
  close(fds[1]);
  std::string output;
  if (pid > 0) {
    char buffer[4096];
    for (;;) {
      ssize_t got = read(fds[0], buffer, sizeof(buffer));
      if (got < 0 && errno == EINTR) continue;
      if (got <= 0) break;
      output.append(buffer, static_cast<size_t>(got));
    }
  }
  close(fds[0]);
  if (pid <= 0 || WaitForProgram(pid) != 0) return false;
  chosen = output.substr(0, output.find('\n'));
  if (!chosen.empty() && chosen.back() == '\r') chosen.pop_back();
  return !chosen.empty();
}

}  // namespace

KDStr FILEREQUEST_Str(double open, KDStr filter) {
  KDStr result = "NO_FILE";
  std::string program = FindOnPath("zenity");
  bool zenity = !program.empty();
  if (!zenity) program = FindOnPath("kdialog");
  if (program.empty()) return result;

  // The dialog starts in the current directory, which is also where the program goes on.
  std::string startDir = GETCURRENTDIR_Str().GetStrData();
  std::vector<std::string> args =
      DialogArguments(program, zenity, open != 0, ParseFilter(filter.GetStrData()), startDir);
  // The dialog is a window of its own; the game's window (full screen or not) steps aside.
  if (pLum != nullptr) pLum->HideWindow();
  std::string chosen;
  bool picked = RunDialog(args, chosen);
  // Whatever the dialog did, the program goes on where it was and as it was shown.
  if (!startDir.empty()) SETCURRENTDIR(startDir.c_str());
  __SetDisplayMode(__KD_FULLSCREEN != 0);
  if (!picked) return result;
  KDStr path;
  path = chosen.c_str();
  // A path too long for a text cannot be handed back.
  if (path.GetStrData()[0] == 0) return result;
  ReverseSlashes(path);
  return path;
}
