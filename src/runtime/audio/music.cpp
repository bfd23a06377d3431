#include "audio/music.h"

#include "audio/audio_commands.h"
#include "data/archive.h"
#include "platform/audio_platform.h"

namespace audio = tobli::platform::audio;

int wnd_mp3 = 0;

double PLAYMUSIC(KDStr file) {
  // The old music lets go of its file before the fetch deletes the slot's previous extract.
  STOPMUSIC();
  KDStr path = file;
  if (!ExtractMember(__g_DezeZer_Media, path)) return 3;
  // A file the mixer cannot decode still counts as open music; it just stays silent.
  audio::LoadMusic(path.ToStdString());
  wnd_mp3 = 1;
  audio::PlayMusicFromStart();
  return 0;
}

void STOPMUSIC() {
  if (wnd_mp3 == 0) return;
  audio::StopMusic();
  audio::FreeMusic();
  wnd_mp3 = 0;
}

void LoopMusic() {
  if (wnd_mp3 == 0) return;
  if (audio::MusicPositionMs() >= audio::MusicLengthMs()) audio::PlayMusicFromStart();
}

// There is no video service: the movie commands play nothing and report the file as missing.
double PLAYMOVIE(KDStr file) {
  (void)file;
  return 3;
}

double LOOPMOVIE(KDStr file) {
  (void)file;
  return 3;
}
