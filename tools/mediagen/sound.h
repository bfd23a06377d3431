// The game's sounds: the effects (synthesized), the voice clips (spoken by the speech
// synthesizer) and the title music (composed from the score, encoded as MP3).
#pragma once

#include <string>
#include <vector>

namespace mediagen {

inline constexpr int kSoundRate = 22050;

// Writes every effect of the description file under out; returns the member names written.
std::vector<std::string> MakeEffects(const std::string& source, const std::string& out);
// Speaks every line of the voice file with the program `espeak`; returns the names written.
std::vector<std::string> MakeVoices(const std::string& source, const std::string& out,
                                    const std::string& espeak);
// Renders the score to "sound/Tobli.mp3" under out with the encoder `lame`; returns the
// length of the tune in seconds.
double MakeMusic(const std::string& source, const std::string& out, const std::string& lame);

}  // namespace mediagen
