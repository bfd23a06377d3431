#include "core/shell_command.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

#include "core/builtins.h"

extern char** environ;

namespace {

// Programs started without waiting; reaped as they end so none lingers as a zombie.
std::vector<pid_t>& DetachedPrograms() {
  static std::vector<pid_t> pids;
  return pids;
}

void ReapDetachedPrograms() {
  auto& pids = DetachedPrograms();
  for (size_t i = 0; i < pids.size();) {
    pid_t done = waitpid(pids[i], nullptr, WNOHANG);
    if (done == pids[i] || (done < 0 && errno == ECHILD)) {
      pids[i] = pids.back();
      pids.pop_back();
    } else {
      ++i;
    }
  }
}

}  // namespace

std::vector<std::string> SplitCommandLine(const std::string& line) {
  std::vector<std::string> args;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  for (size_t i = 0; i < line.size(); ++i) {
    char c = line[i];
    if (c == '\\' && i + 1 < line.size() && line[i + 1] == '"') {
      current += '"';
      inArgument = true;
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
      inArgument = true;
    } else if ((c == ' ' || c == '\t') && !quoted) {
      if (inArgument) args.push_back(current);
      current.clear();
      inArgument = false;
    } else {
      current += c;
      inArgument = true;
    }
  }
  if (inArgument) args.push_back(current);
  return args;
}

pid_t SpawnProgram(const std::vector<std::string>& args, int stdoutFd, bool hidden) {
  ReapDetachedPrograms();
  if (args.empty() || args[0].empty()) return -1;
  std::vector<char*> argv;
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  if (posix_spawn_file_actions_init(&actions) != 0) return -1;
  bool ready = true;
  if (hidden) {
    ready =
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0) == 0 &&
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0) == 0 &&
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0) == 0;
  }
  if (ready && stdoutFd >= 0 && stdoutFd != STDOUT_FILENO) {
    ready = posix_spawn_file_actions_adddup2(&actions, stdoutFd, STDOUT_FILENO) == 0;
  }
  // The program gets the standard streams and nothing else of ours.
  if (ready) ready = posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1) == 0;
  pid_t pid = -1;
  if (ready && posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) {
    pid = -1;
  }
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitForProgram(pid_t pid) {
  int status = 0;
  while (waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

void DetachProgram(pid_t pid) {
  if (pid > 0) DetachedPrograms().push_back(pid);
}

double SHELLCMD(KDStr command, double wait, double show, double& exitCode) {
  exitCode = 0;
  // A program is shown in this program's terminal, or hidden from it.
  pid_t pid = SpawnProgram(SplitCommandLine(command.GetStrData()), -1, show == 0);
  if (pid < 0) return 0;
  if (wait != 0) {
    exitCode = WaitForProgram(pid);
  } else {
    DetachProgram(pid);
  }
  return 1;
}
