// BMP pictures as OpenGL textures: the colour key, power-of-two sizes, the mip-mapped second
// texture, and binding sprite textures to the texture units.
#include <GL/gl.h>

#include <algorithm>
#include <cmath>

#include "gfx/bmp.h"
#include "gfx/lumetra.h"
#include "gfx/sprite_slots.h"

namespace tobli::gfx {

namespace {

// Keeps every texture side within the signed 16-bit size tables.
constexpr int kTextureSideCap = 16384;
// How steep the normals of a detail normal map are for a given change of brightness.
constexpr float kBumpStrength = 2.0f;

float Brightness(const Texels& t, int x, int y) {
  x = (x + t.width) % t.width;
  y = (y + t.height) % t.height;
  const uint8_t* p = &t.rgba[(static_cast<size_t>(y) * t.width + x) * 4];
  return (p[0] + p[1] + p[2]) / (3.0f * 255.0f);
}

// The brightness of the picture taken as a height field; each texel's colour becomes its
// surface normal (x, y, z mapped from -1..1 to 0..255). The alpha channel stays.
void MakeDetailNormalMap(Texels& t) {
  std::vector<uint8_t> out = t.rgba;
  for (int y = 0; y < t.height; ++y) {
    for (int x = 0; x < t.width; ++x) {
      float dx = (Brightness(t, x + 1, y) - Brightness(t, x - 1, y)) * kBumpStrength;
      float dy = (Brightness(t, x, y + 1) - Brightness(t, x, y - 1)) * kBumpStrength;
      float length = std::sqrt(dx * dx + dy * dy + 1.0f);
      float normal[3] = {-dx / length, -dy / length, 1.0f / length};
      uint8_t* p = &out[(static_cast<size_t>(y) * t.width + x) * 4];
      for (int i = 0; i < 3; ++i) {
        p[i] = static_cast<uint8_t>(std::lround((normal[i] * 0.5f + 0.5f) * 255.0f));
      }
    }
  }
  t.rgba.swap(out);
}

// The next smaller mip level: each texel the mean of the 2 x 2 (or 2 x 1) texels above it.
Texels HalveTexels(const Texels& in) {
  Texels out;
  out.width = std::max(1, in.width / 2);
  out.height = std::max(1, in.height / 2);
  out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
  int stepX = in.width > 1 ? 2 : 1;
  int stepY = in.height > 1 ? 2 : 1;
  for (int y = 0; y < out.height; ++y) {
    for (int x = 0; x < out.width; ++x) {
      for (int c = 0; c < 4; ++c) {
        int sum = 0;
        for (int sy = 0; sy < stepY; ++sy) {
          for (int sx = 0; sx < stepX; ++sx) {
            size_t at = (static_cast<size_t>(y * stepY + sy) * in.width + (x * stepX + sx)) * 4;
            sum += in.rgba[at + c];
          }
        }
        int count = stepX * stepY;
        out.rgba[(static_cast<size_t>(y) * out.width + x) * 4 + c] =
            static_cast<uint8_t>((sum + count / 2) / count);
      }
    }
  }
  return out;
}

void Upload(const Texels& t, int level) {
  glTexImage2D(GL_TEXTURE_2D, level, GL_RGBA8, t.width, t.height, 0, GL_RGBA, GL_UNSIGNED_BYTE,
               t.rgba.data());
}

uint32_t NewTexture(bool mipmapped) {
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  SetSpriteTextureParameters(mipmapped);
  return name;
}

}  // namespace

int PowerOfTwoAtLeast(int v) {
  int p = 1;
  while (p < v && p < (1 << 30)) p <<= 1;
  return p;
}

int LargestTextureSide() {
  if (!OpenGLLumetra::HasContext()) return kTextureSideCap;
  GLint largest = 0;
  glGetIntegerv(GL_MAX_TEXTURE_SIZE, &largest);
  if (largest <= 0 || largest > kTextureSideCap) return kTextureSideCap;
  return largest;
}

float PictureU(const OpenGLLumetra& lum, int n) {
  float u = static_cast<float>(lum.nWidth[n]) / static_cast<float>(lum.nTexWidth[n]);
  return std::min(u, 1.0f);
}

float PictureV(const OpenGLLumetra& lum, int n) {
  float v = static_cast<float>(lum.nHeight[n]) / static_cast<float>(lum.nTexHeight[n]);
  return std::min(v, 1.0f);
}

void SetSpriteTextureParameters(bool mipmapped) {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER,
                  mipmapped ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR);
}

void CopyPictureArea(const BmpPicture& picture, long x, long y, int w, int h, int stride,
                     const uint32_t* key, uint8_t* rgba) {
  for (int r = 0; r < h; ++r) {
    long py = y + r;
    if (py < 0 || py >= picture.height) continue;
    uint8_t* row = rgba + static_cast<size_t>(h - 1 - r) * stride * 4;
    for (int c = 0; c < w; ++c) {
      long px = x + c;
      if (px < 0 || px >= picture.width) continue;
      uint32_t colour = picture.At(static_cast<int>(px), static_cast<int>(py));
      if (key != nullptr && colour == *key) continue;
      uint8_t* texel = row + 4 * c;
      texel[0] = static_cast<uint8_t>(colour & 0xFF);
      texel[1] = static_cast<uint8_t>((colour >> 8) & 0xFF);
      texel[2] = static_cast<uint8_t>((colour >> 16) & 0xFF);
      texel[3] = 255;
    }
  }
}

bool BuildBMPTexels(const char* path, int x, int y, int width, int height, uint32_t key,
                    bool useKey, Texels& texels) {
  BmpPicture picture;
  if (!ReadBmpFile(path, picture)) return false;
  if (width <= 0 || height <= 0) {
    width = picture.width;
    height = picture.height;
  }
  int largest = LargestTextureSide();
  int w = std::min(width, largest);
  int h = std::min(height, largest);
  texels.width = PowerOfTwoAtLeast(w);
  texels.height = PowerOfTwoAtLeast(h);
  texels.rgba.assign(static_cast<size_t>(texels.width) * texels.height * 4, 0);
  // The texture holds the area bottom line first, as the file does.
  CopyPictureArea(picture, x, y, w, h, texels.width, useKey ? &key : nullptr, texels.rgba.data());
  return true;
}

}  // namespace tobli::gfx

using namespace tobli::gfx;

void OpenGLLumetra::GetBMPSize(const char* path, int& width, int& height) {
  if (!ReadBmpSize(path, width, height)) width = height = 0;
}

bool OpenGLLumetra::MakeBMPTexture(const char* path, int x, int y, int width, int height,
                                   uint32_t* tex, uint32_t* tex2, uint32_t key, bool useKey,
                                   bool bump) {
  if (tex == nullptr) return false;
  Texels texels;
  if (!BuildBMPTexels(path, x, y, width, height, key, useKey, texels)) return false;
  // Without GL the picture has been read and checked; there is nothing to upload.
  if (!HasContext()) return true;
  if (bump) MakeDetailNormalMap(texels);

  glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  *tex = NewTexture(false);
  Upload(texels, 0);
  if (tex2 != nullptr) {
    *tex2 = NewTexture(true);
    Upload(texels, 0);
    Texels level = texels;
    for (int i = 1; level.width > 1 || level.height > 1; ++i) {
      level = HalveTexels(level);
      Upload(level, i);
    }
  }
  return true;
}

void OpenGLLumetra::SetTexture3D(int t, int t2, int second) {
  if (t >= kLumSprites || t2 >= kLumSprites) return;
  nCurTexture = t;
  nCurTexture2 = t2;
  bCurBump = second ? 1 : 0;
  if (!HasContext()) return;
  int k = bCurBump;
  if (arb::glMultiTexCoord2fARB == nullptr || arb::glActiveTextureARB == nullptr) {
    if (t < 0) {
      glDisable(GL_TEXTURE_2D);
      glEnable(GL_COLOR_MATERIAL);
    } else {
      glBindTexture(GL_TEXTURE_2D, nTexName[t][k]);
      glEnable(GL_TEXTURE_2D);
    }
    return;
  }
  arb::glActiveTextureARB(GL_TEXTURE1_ARB);
  if (t >= 0 && t2 >= 0) {
    glBindTexture(GL_TEXTURE_2D, nTexName[t][k]);
    glEnable(GL_TEXTURE_2D);
  } else {
    glDisable(GL_TEXTURE_2D);
  }
  arb::glActiveTextureARB(GL_TEXTURE0_ARB);
  if (t < 0) {
    glDisable(GL_TEXTURE_2D);
  } else {
    glBindTexture(GL_TEXTURE_2D, nTexName[t2 >= 0 ? t2 : t][k]);
    glEnable(GL_TEXTURE_2D);
  }
}
