// tobli-replay: plays a level of the game headless from a move string and prints the final
// state as one line of JSON, or checks a file of solutions.
//
//   tobli-replay --dir DIR --level N --moves MOVES [--max-frames F] [--map]
//   tobli-replay --dir DIR --check FILE [--max-frames F]
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "move_script.h"
#include "replay_report.h"
#include "replay_session.h"

namespace {

using namespace tobli::replay;

constexpr int kBadArguments = 2;
constexpr unsigned long long kLargestLevel = 999999;
constexpr unsigned long long kLargestFrameLimit = 1000000000000ULL;

const char kUsage[] =
    "usage: tobli-replay [--dir DIR] --level N --moves MOVES [--max-frames F] [--map]\n"
    "       tobli-replay [--dir DIR] --check FILE [--max-frames F]\n"
    "MOVES: R L U D (one arrow press), . (wait 16 frames), S (restart), Q (give up);\n"
    "a number before a move repeats it; white space is ignored.\n"
    "FILE: lines 'N MOVES'; blank lines and lines starting with # are skipped.\n";

struct Arguments {
  std::string dir = ".";
  bool haveLevel = false;
  double level = 0;
  bool haveMoves = false;
  std::string moves;
  uint64_t maxFrames = 200000;
  bool map = false;
  std::string checkFile;
};

int Bad(const std::string& why) {
  std::cerr << "tobli-replay: " << why << "\n" << kUsage;
  return kBadArguments;
}

// A whole number from 0 to largest, written in decimal digits only.
bool ParseWhole(const std::string& text, unsigned long long largest, unsigned long long& value) {
  if (text.empty() || text.size() > 20) return false;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
  }
  errno = 0;
  value = std::strtoull(text.c_str(), nullptr, 10);
  return errno == 0 && value <= largest;
}

// Fills args; on a bad argument returns false with the reason.
bool ParseArguments(int argc, char** argv, Arguments& args, std::string& why) {
  for (int at = 1; at < argc; ++at) {
    std::string option = argv[at];
    if (option == "--map") {
      args.map = true;
      continue;
    }
    if (option != "--dir" && option != "--level" && option != "--moves" &&
        option != "--max-frames" && option != "--check") {
      why = "unknown argument '" + option + "'";
      return false;
    }
    if (at + 1 >= argc) {
      why = option + " needs a value";
      return false;
    }
    std::string value = argv[++at];
    unsigned long long number = 0;
    if (option == "--dir") {
      args.dir = value;
    } else if (option == "--moves") {
      args.haveMoves = true;
      args.moves = value;
    } else if (option == "--check") {
      args.checkFile = value;
    } else if (option == "--level") {
      if (!ParseWhole(value, kLargestLevel, number)) {
        why = "--level needs a whole number from 0 to " + std::to_string(kLargestLevel);
        return false;
      }
      args.haveLevel = true;
      args.level = static_cast<double>(number);
    } else {
      if (!ParseWhole(value, kLargestFrameLimit, number) || number == 0) {
        why = "--max-frames needs a whole number from 1 to " + std::to_string(kLargestFrameLimit);
        return false;
      }
      args.maxFrames = number;
    }
  }
  if (!args.checkFile.empty()) {
    if (args.haveLevel || args.haveMoves || args.map) {
      why = "--check does not go with --level, --moves or --map";
      return false;
    }
    return true;
  }
  if (!args.haveLevel || !args.haveMoves) {
    why = "--level and --moves are needed (or --check)";
    return false;
  }
  return true;
}

bool EnterDir(const std::string& dir, std::string& why) {
  if (chdir(dir.c_str()) != 0) {
    why = "cannot work in '" + dir + "'";
    return false;
  }
  return true;
}

// The file the game loads for level n, relative to the folder it works in.
std::string LevelFile(double n) {
  return "levels/Level." + std::to_string(static_cast<unsigned long long>(n));
}

// Without its file the game would start the set over at level 0 and play that instead.
bool HaveLevel(double n) {
  std::error_code error;
  return std::filesystem::is_regular_file(LevelFile(n), error);
}

// True when everything printed reached the standard output.
bool OutputWritten() {
  std::cout.flush();
  if (std::cout) return true;
  std::cerr << "tobli-replay: cannot write the result\n";
  return false;
}

int PlayOne(const Arguments& args) {
  ReplayRequest request;
  std::string why;
  if (!ParseMoves(args.moves, request.moves, why)) return Bad("--moves: " + why);
  if (!EnterDir(args.dir, why)) return Bad(why);
  if (!HaveLevel(args.level)) return Bad("'" + args.dir + "' has no " + LevelFile(args.level));
  request.level = args.level;
  request.maxFrames = args.maxFrames;
  request.withMap = args.map;
  ReplayOutcome outcome = PlayLevel(request);
  if (!outcome.setupError.empty()) {
    std::cerr << "tobli-replay: " << outcome.setupError << "\n";
    return 1;
  }
  if (outcome.programEnded) {
    std::cerr << "tobli-replay: the game ended with error " << JsonNumber(outcome.errorCode)
              << " on line " << JsonNumber(outcome.errorLine) << "\n";
  }
  std::cout << OutcomeJson(outcome, args.map) << std::endl;
  return OutputWritten() ? 0 : 1;
}

struct Solution {
  int lineNumber = 0;
  double level = 0;
  std::vector<char> moves;
  std::string problem;  // not empty when the line cannot be used
};

std::vector<Solution> ReadSolutions(std::istream& in) {
  std::vector<Solution> solutions;
  std::string line;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    size_t first = line.find_first_not_of(" \t");
    if (first == std::string::npos || line[first] == '#') continue;
    Solution s;
    s.lineNumber = lineNumber;
    size_t end = line.find_first_of(" \t", first);
    std::string number = line.substr(first, end == std::string::npos ? end : end - first);
    unsigned long long value = 0;
    std::string why;
    if (!ParseWhole(number, kLargestLevel, value)) {
      s.problem = "no level number";
    } else if (!ParseMoves(end == std::string::npos ? "" : line.substr(end), s.moves, why)) {
      s.problem = why;
    }
    s.level = static_cast<double>(value);
    solutions.push_back(std::move(s));
  }
  return solutions;
}

int CheckAll(const Arguments& args) {
  std::ifstream file(args.checkFile);
  if (!file) return Bad("cannot read '" + args.checkFile + "'");
  std::vector<Solution> solutions = ReadSolutions(file);
  if (file.bad()) return Bad("cannot read '" + args.checkFile + "'");
  // A check of nothing proves nothing: an emptied solution file must not pass.
  if (solutions.empty()) {
    std::cerr << "tobli-replay: no solutions in '" << args.checkFile << "'\n";
    return 1;
  }
  std::string why;
  if (!EnterDir(args.dir, why)) return Bad(why);
  int passed = 0;
  for (const Solution& s : solutions) {
    if (!s.problem.empty()) {
      std::cout << "line " << s.lineNumber << ": FAIL (" << s.problem << ")" << std::endl;
      continue;
    }
    if (!HaveLevel(s.level)) {
      std::cout << "level " << JsonNumber(s.level) << ": FAIL (no " << LevelFile(s.level) << ")"
                << std::endl;
      continue;
    }
    ReplayRequest request;
    request.level = s.level;
    request.moves = s.moves;
    request.maxFrames = args.maxFrames;
    ReplayOutcome outcome = PlayLevel(request);
    std::cout << CheckLine(s.level, outcome) << std::endl;
    if (outcome.completed) ++passed;
  }
  std::cout << passed << " of " << solutions.size() << " levels completed" << std::endl;
  return OutputWritten() && passed == static_cast<int>(solutions.size()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
    std::cout << kUsage;
    return 0;
  }
  Arguments args;
  std::string why;
  if (!ParseArguments(argc, argv, args, why)) return Bad(why);
  return args.checkFile.empty() ? PlayOne(args) : CheckAll(args);
}
