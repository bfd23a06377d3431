#include "wav.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "little_endian.h"

namespace mediagen {

namespace {

void PutTag(std::vector<uint8_t>& out, const char* tag) {
  out.insert(out.end(), tag, tag + 4);
}

}  // namespace

void WriteWav(const std::string& path, const Pcm& pcm) {
  uint32_t dataBytes = static_cast<uint32_t>(pcm.samples.size() * 2);
  uint16_t block = static_cast<uint16_t>(pcm.channels * 2);
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  Put32(out, 36 + dataBytes);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  Put32(out, 16);
  Put16(out, 1);  // PCM
  Put16(out, pcm.channels);
  Put32(out, pcm.rate);
  Put32(out, pcm.rate * block);
  Put16(out, block);
  Put16(out, 16);
  PutTag(out, "data");
  Put32(out, dataBytes);
  for (int16_t s : pcm.samples) Put16(out, static_cast<uint16_t>(s));
  std::ofstream f(path, std::ios::binary | std::ios::trunc);
  f.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!f) throw std::runtime_error("cannot write " + path);
}

Pcm ReadWav(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::vector<uint8_t> in((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
  if (in.size() < 12 || std::memcmp(in.data(), "RIFF", 4) || std::memcmp(in.data() + 8, "WAVE", 4))
    throw std::runtime_error(path + ": not a WAV file");
  Pcm pcm;
  bool haveFormat = false;
  size_t at = 12;
  while (at + 8 <= in.size()) {
    uint32_t size = Get32(in, at + 4);
    size_t body = at + 8;
    // Streaming writers leave the data size open; take what the file holds.
    size_t avail = std::min<size_t>(size, in.size() - body);
    if (!std::memcmp(in.data() + at, "fmt ", 4) && avail >= 16) {
      if (Get16(in, body) != 1 || Get16(in, body + 14) != 16)
        throw std::runtime_error(path + ": not 16-bit PCM");
      pcm.channels = Get16(in, body + 2);
      pcm.rate = static_cast<int>(Get32(in, body + 4));
      haveFormat = true;
    } else if (!std::memcmp(in.data() + at, "data", 4)) {
      if (!haveFormat) throw std::runtime_error(path + ": data before format");
      for (size_t i = 0; i + 1 < avail; i += 2)
        pcm.samples.push_back(static_cast<int16_t>(Get16(in, body + i)));
      return pcm;
    }
    at = body + avail + (avail & 1);
  }
  throw std::runtime_error(path + ": no sound data");
}

std::vector<int16_t> ToInt16(const std::vector<float>& samples) {
  std::vector<int16_t> out(samples.size());
  for (size_t i = 0; i < samples.size(); ++i)
    out[i] = static_cast<int16_t>(std::lround(std::clamp(samples[i], -1.0f, 1.0f) * 32767.0f));
  return out;
}

}  // namespace mediagen
