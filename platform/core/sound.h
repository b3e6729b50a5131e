#pragma once

#include <cstdint>
#include <string>

namespace win {

inline constexpr std::uint32_t SND_ASYNC = 0x0001;

// Starts a wave file, named as the system names files, and returns at once
// (the layer plays every sound asynchronously). A null or empty name stops
// the current sound and counts as started; a file that does not exist plays
// the desktop's "bell" event. False when nothing could be started.
bool sndPlaySound(const char* name, std::uint32_t flags);

// What a play request asks of the desktop's sound service.
struct SoundRequest {
  enum class Kind { Stop, File, Event } kind;
  std::string target;  // the native file, or the event's name
};
SoundRequest ResolveSound(const char* name);

// The player behind sndPlaySound; tests install their own.
class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  virtual bool Play(const char* name) = 0;
};

// The player in use: the desktop's (libcanberra) unless a test installed another.
SoundPlayer& CurrentSoundPlayer();
// Installs a player (the caller keeps it alive); nullptr restores the desktop's.
void SetSoundPlayer(SoundPlayer* player);

}  // namespace win
