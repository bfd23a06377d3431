// vez: makes, lists, extracts, appends and checks the game's media archives.
#include <cstdio>
#include <cstring>
#include <string>

#include "vez_commands.h"
#include "vez_common.h"

namespace {

constexpr char kUsage[] =
    "usage: vez pack ARCHIVE [-C DIR] FILE...\n"
    "       vez list ARCHIVE\n"
    "       vez extract ARCHIVE [-C DIR] [NAME...]\n"
    "       vez append FILE ARCHIVE\n"
    "       vez verify ARCHIVE\n"
    "\n"
    "  pack     packs each FILE (a path relative to DIR, default the current folder; a folder\n"
    "           brings all its files) into a new ARCHIVE; members are named by those paths,\n"
    "           with \"/\" between folders\n"
    "  list     prints one line per member: name, offset, packed size, unpacked size\n"
    "  extract  writes every member, or only the NAMEd ones, under DIR\n"
    "  append   writes the members of ARCHIVE onto the end of FILE, positions counted from\n"
    "           the end, so the game finds them when FILE is its executable\n"
    "  verify   checks that every member unpacks to its stated length\n"
    "\n"
    "exit status: 0 done; 1 an archive cannot be read, written or unpacked, or a NAME is\n"
    "missing; 2 bad usage or an input file that cannot be read\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return vez::kExitUsage;
  }
  std::string command = argv[1];
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(kUsage, stdout);
    return vez::kExitOk;
  }
  vez::Args args(argv + 2, argv + argc);
  int code;
  if (command == "pack") {
    code = vez::Pack(args);
  } else if (command == "list") {
    code = vez::List(args);
  } else if (command == "extract") {
    code = vez::Extract(args);
  } else if (command == "append") {
    code = vez::Append(args);
  } else if (command == "verify") {
    code = vez::Verify(args);
  } else {
    vez::Fail(vez::kExitUsage, "unknown command " + command);
    std::fputs(kUsage, stderr);
    return vez::kExitUsage;
  }
  if (std::fflush(stdout) != 0 && code == vez::kExitOk) code = vez::kExitBadArchive;
  return code;
}
