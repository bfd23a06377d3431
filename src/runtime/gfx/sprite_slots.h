// What the texture, sprite and font code share: slot checks, texture sizes and the texels of a
// picture area.
#pragma once

#include <cstdint>
#include <vector>

#include "gfx/bmp.h"
#include "gfx/lumetra.h"

namespace tobli::gfx {

// Every sprite and font operation ignores a number outside its table: a level file may hold
// any tile code, and the game draws tile codes as sprite numbers.
inline bool IsSpriteSlot(long n) {
  return n >= 0 && n < kLumSprites;
}
inline bool IsFont(long font) {
  return font >= 0 && font < kLumFonts;
}
// A slot that holds a picture, loaded or grabbed; a free slot draws nothing.
inline bool HoldsPicture(const OpenGLLumetra& lum, long n) {
  return IsSpriteSlot(n) && lum.nTexWidth[n] > 0 && lum.nTexHeight[n] > 0;
}

// The smallest power of two that is at least v; 1 for v <= 1.
int PowerOfTwoAtLeast(int v);
// The side beyond which a picture is cut: the driver's largest texture, and never more than
// 16384 so that every texture side fits the 16-bit size tables. 16384 without GL.
int LargestTextureSide();
// The texture coordinates of the picture's far edges in its slot (at most 1: a picture cut to
// the largest texture is stretched over its whole size).
float PictureU(const OpenGLLumetra& lum, int n);
float PictureV(const OpenGLLumetra& lum, int n);
// Wrap repeat and linear filters, as every sprite texture has; mip-mapped minification when
// asked.
void SetSpriteTextureParameters(bool mipmapped);

// A power-of-two RGBA texture image, row 0 at the bottom of the area it holds.
struct Texels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};
// Copies the w x h area of the picture whose top-left is (x, y) into `rgba` (rows of `stride`
// texels, at least h of them, stride >= w) as opaque texels, area row r (from its top) into row
// h - 1 - r. Texels outside the picture, and of colour *key when key is given, are left as they
// are.
void CopyPictureArea(const BmpPicture& picture, long x, long y, int w, int h, int stride,
                     const uint32_t* key, uint8_t* rgba);
// Reads the picture and cuts the (x, y, width, height) area into texels with the colour key.
// False when the file cannot be read as an 8- or 24-bit BMP.
bool BuildBMPTexels(const char* path, int x, int y, int width, int height, uint32_t key,
                    bool useKey, Texels& texels);

}  // namespace tobli::gfx
