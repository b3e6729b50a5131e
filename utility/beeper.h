#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/core/ini_file.h"
#include "platform/core/object.h"

namespace utl {

// The process's 32 sound slots: a wave file name for each event number,
// read from "brannik.ini" (section "Sounds") beside the host program when
// the library loads and written back when it unloads.
class tBeeper : public cl::TObject {
 public:
  static constexpr int SlotCount = 32;

  // Loads every slot; names without a directory lie in "WAV\" beside the ini file.
  explicit tBeeper(std::string iniPath);
  // Saves every slot (a file that cannot be written is left as it is).
  ~tBeeper() override;
  tBeeper(const tBeeper&) = delete;
  tBeeper& operator=(const tBeeper&) = delete;

  // Plays the slot's wave file, or beeps when the speaker flag is set, the
  // slot does not exist, or the sound does not start.
  void Play(std::uint16_t slot);
  void SetSpeaker(bool speaker) { speaker_ = speaker; }
  bool Speaker() const { return speaker_; }
  // The slot's wave file; nullopt for an empty slot.
  const std::optional<std::string>& SoundName(int slot) const { return slots_[slot]; }

  void LoadSounds();
  // Raises cl::Exception when the ini file cannot be written.
  void SaveSounds();
  void LoadSound(const cl::TIniFile& ini, int slot);
  void SaveSound(cl::TIniFile& ini, int slot);
  // "SND_" and two hexadecimal digits.
  static std::string SoundKey(int slot);
  static std::string DefaultSoundName(int slot);
  void FreeSounds();

 private:
  std::string iniPath_;
  std::string waveDirectory_;
  std::array<std::optional<std::string>, SlotCount> slots_;
  bool speaker_ = false;
};

// The process's beeper, made and freed by the library's sound-slot unit.
void StartSoundSlots();
void StopSoundSlots();
// The exports' work: the slot through the beeper (the plain beep when there
// is none), and the speaker flag.
void BEEP(std::uint16_t slot);
void SPEAKER(bool flag);

}  // namespace utl
