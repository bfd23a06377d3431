// What the player chose for the window, kept between runs: its size, the whole screen, and
// music and sound effects switched off.
#pragma once

#include <string>

namespace tobli::platform::sdl {

struct WindowSettings {
  int width = 0;  // the window's size when not on the whole screen; 0: not known
  int height = 0;
  bool wholeScreen = false;
  bool musicOff = false;
  bool soundsOff = false;
};

// The settings file of the user: $XDG_CONFIG_HOME/tobli/settings, else
// ~/.config/tobli/settings; empty when neither variable gives an absolute folder.
std::string UserSettingsPath();

// Reads the lines "window W H", "whole-screen 0|1", "music 0|1", "sounds 0|1"; what is missing
// or malformed keeps its default. False (settings untouched) when the file cannot be read.
bool ReadWindowSettings(const std::string& path, WindowSettings& settings);

// Writes the file whole (a new file renamed over the old one), making its folder if needed.
bool WriteWindowSettings(const std::string& path, const WindowSettings& settings);

}  // namespace tobli::platform::sdl
