#include "platform/sdl/window_settings.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace tobli::platform::sdl {
namespace {

constexpr int kLargestWindow = 16384;

bool AbsoluteFolder(const char* value) {
  return value != nullptr && value[0] == '/';
}

// Makes every folder of the path to the file that does not exist yet.
bool MakeFoldersFor(const std::string& path) {
  for (size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    const std::string folder = path.substr(0, slash);
    if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return true;
}

}  // namespace

std::string UserSettingsPath() {
  const char* config = std::getenv("XDG_CONFIG_HOME");
  if (AbsoluteFolder(config)) return std::string(config) + "/tobli/settings";
  const char* home = std::getenv("HOME");
  if (AbsoluteFolder(home)) return std::string(home) + "/.config/tobli/settings";
  return "";
}

bool ReadWindowSettings(const std::string& path, WindowSettings& settings) {
  std::ifstream file(path);
  if (!file) return false;
  WindowSettings read;
  std::string line;
  while (std::getline(file, line)) {
    std::istringstream words(line);
    std::string key;
    words >> key;
    if (key == "window") {
      int width = 0;
      int height = 0;
      if (words >> width >> height && width > 0 && height > 0 && width <= kLargestWindow &&
          height <= kLargestWindow) {
        read.width = width;
        read.height = height;
      }
      continue;
    }
    int flag = -1;
    if (!(words >> flag) || (flag != 0 && flag != 1)) continue;
    if (key == "whole-screen") read.wholeScreen = flag == 1;
    if (key == "music") read.musicOff = flag == 0;
    if (key == "sounds") read.soundsOff = flag == 0;
  }
  settings = read;
  return true;
}

bool WriteWindowSettings(const std::string& path, const WindowSettings& settings) {
  if (path.empty() || !MakeFoldersFor(path)) return false;
  const std::string temporary = path + ".new";
  {
    std::ofstream file(temporary, std::ios::trunc);
    if (settings.width > 0 && settings.height > 0) {
      file << "window " << settings.width << ' ' << settings.height << '\n';
    }
    file << "whole-screen " << (settings.wholeScreen ? 1 : 0) << '\n'
         << "music " << (settings.musicOff ? 0 : 1) << '\n'
         << "sounds " << (settings.soundsOff ? 0 : 1) << '\n';
    file.flush();
    if (!file) {
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace tobli::platform::sdl
