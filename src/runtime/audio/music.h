// Background music: one file at a time, restarted by every SHOWSCREEN once it has ended.
#pragma once

// Non-zero while a music is open (from PLAYMUSIC of a file that was found until STOPMUSIC),
// even when the file could not be decoded or there is no sound device.
extern int wnd_mp3;

// The looping step of SHOWSCREEN: music at or past its length starts again from the beginning.
void LoopMusic();
