// Feeds arbitrary bytes to the WAV reader as a file: it may only accept a data chunk that lies
// inside the file, and what it accepts is converted for the 22050 Hz stereo output without
// reading outside the data or growing beyond the limit.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "audio/wav_reader.h"
#include "platform/audio_platform.h"

namespace audio = tobli::platform::audio;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  std::vector<uint8_t> copy(data, data + size);
  std::FILE* file = fmemopen(copy.data(), copy.size(), "rb");
  if (file == nullptr) return 0;
  WavHeader header;
  if (ReadWavHeader(file, size, header)) {
    long at = std::ftell(file);
    if (at < 0 || static_cast<uint64_t>(at) + header.dataSize > size) std::abort();
    std::vector<uint8_t> samples(header.dataSize);
    if (std::fread(samples.data(), 1, samples.size(), file) != samples.size()) std::abort();
    const WavFormat& wav = header.format;
    audio::PcmFormat format{wav.channels > 1 ? 2 : 1, static_cast<int>(wav.samplesPerSec),
                            wav.bitsPerSample, wav.blockAlign};
    std::vector<uint8_t> out;
    bool converted = audio::ConvertPcm(format, samples.data(), samples.size(),
                                       audio::OutputSpec{22050, 2, 16}, out);
    if (converted != !out.empty() || out.size() % 4 != 0) std::abort();
    if (converted && !audio::PcmFormatUsable(format, samples.size())) std::abort();
  }
  std::fclose(file);
  return 0;
}
