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

}  // namespace mediagen
