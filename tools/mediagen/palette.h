// The named colours of the art, read from the media sources.
#pragma once

#include <string>

#include "image.h"

namespace mediagen {

// Reads "name r g b" lines ('#' starts a comment). Throws on a malformed line or a colour
// equal to the sprite key.
void LoadPalette(const std::string& path);
// The colour of that name; throws std::runtime_error for an unknown name.
Rgb P(const std::string& name);

// A colour family: name, name_light and name_dark from the palette.
struct Family {
  Rgb base, light, dark;
};
// The family of that name; throws std::runtime_error when one of its colours is unknown.
Family Colours(const std::string& name);

}  // namespace mediagen
