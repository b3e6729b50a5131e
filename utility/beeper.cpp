#include "utility/beeper.h"

#include <cstdio>
#include <memory>

#include "platform/core/message_hooks.h"
#include "platform/core/places.h"
#include "platform/core/sound.h"
#include "utility/path_names.h"
#include "utility/same_text.h"

namespace utl {
namespace {

constexpr std::string_view Section = "Sounds";
// A name fills a 257-byte block with its terminating zero.
constexpr std::size_t NameLimit = 256;

std::unique_ptr<tBeeper>& TheBeeper() {
  static std::unique_ptr<tBeeper> beeper;
  return beeper;
}

}  // namespace

tBeeper::tBeeper(std::string iniPath)
    : iniPath_(std::move(iniPath)), waveDirectory_(DIRNAME(iniPath_) + "WAV\\") {
  LoadSounds();
}

tBeeper::~tBeeper() {
  try {
    SaveSounds();
  } catch (...) {
    // The suite's programs end regardless; the ini file keeps its old names.
  }
  FreeSounds();
}

void tBeeper::Play(std::uint16_t slot) {
  if (!speaker_ && slot < SlotCount) {
    const auto& name = slots_[slot];
    if (win::sndPlaySound(name ? name->c_str() : nullptr, win::SND_ASYNC)) return;
  }
  win::MessageBeep();
}

void tBeeper::LoadSounds() {
  const cl::TIniFile ini(iniPath_);
  for (int slot = 0; slot < SlotCount; ++slot) LoadSound(ini, slot);
}

void tBeeper::SaveSounds() {
  cl::TIniFile ini(iniPath_);
  for (int slot = 0; slot < SlotCount; ++slot) SaveSound(ini, slot);
}

void tBeeper::LoadSound(const cl::TIniFile& ini, int slot) {
  std::string value = ini.ReadString(Section, SoundKey(slot), DefaultSoundName(slot));
  if (value.empty()) {
    slots_[slot].reset();
    return;
  }
  if (DIRNAME(value).empty()) value = waveDirectory_ + value;
  slots_[slot] = value.substr(0, NameLimit);
}

void tBeeper::SaveSound(cl::TIniFile& ini, int slot) {
  const auto& name = slots_[slot];
  if (!name) return;
  ini.WriteString(Section, SoundKey(slot),
                  SameText(DIRNAME(*name), waveDirectory_) ? DIRNAMEOFF(*name) : *name);
}

std::string tBeeper::SoundKey(int slot) {
  char key[16];
  std::snprintf(key, sizeof key, "%s%2.2x", "SND_", slot);
  return key;
}

std::string tBeeper::DefaultSoundName(int slot) {
  switch (slot) {
    case 0: return "beep.wav";
    case 1: return "ding.wav";
    case 2: return "ringin.wav";
    case 3: return "ringout.wav";
    case 4: return "tatatata.wav";
    case 5: return "fiuuu.wav";
    case 6: return "fuiii.wav";
    case 7: return "TelixOK.wav";
    case 8: return "TelixErr.wav";
    case 16: return "Debile.wav";
    case 17: return "TyVole.wav";
    case 18: return "Message.wav";
    case 19: return "Mlask.wav";
    case 20: return "Pomoc.wav";
    case 21: return "Chyba.wav";
    default: return {};
  }
}

void tBeeper::FreeSounds() {
  for (auto& name : slots_) name.reset();
}

void StartSoundSlots() {
  TheBeeper() = std::make_unique<tBeeper>(DIRNAME(win::GetModuleFileName()) + "brannik.ini");
}

void StopSoundSlots() { TheBeeper().reset(); }

void BEEP(std::uint16_t slot) {
  if (const auto& beeper = TheBeeper()) {
    beeper->Play(slot);
  } else {
    win::MessageBeep();
  }
}

void SPEAKER(bool flag) {
  if (const auto& beeper = TheBeeper()) beeper->SetSpeaker(flag);
}

}  // namespace utl
