#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

#include "platform/core/message_hooks.h"
#include "platform/core/places.h"
#include "platform/core/sound.h"
#include "utility/beeper.h"
#include "utility/path_names.h"
#include "platform/core/test_support/temp_directory.h"

namespace {

// Stands in for the desktop's player and the speaker: what was asked of them,
// in order, "beep" for each plain beep.
class SoundRecorder : public win::SoundPlayer {
 public:
  SoundRecorder() {
    win::SetSoundPlayer(this);
    win::SetBeepHook([this] { events.push_back("beep"); });
  }
  ~SoundRecorder() override {
    win::SetSoundPlayer(nullptr);
    win::SetBeepHook(nullptr);
  }

  bool Play(const char* name) override {
    events.push_back(name ? name : "(none)");
    return starts;
  }

  std::vector<std::string> events;
  bool starts = true;  // what the player answers
};

class Beeper : public ::testing::Test {
 protected:
  std::string Ini() const { return dir_ + "brannik.ini"; }
  std::string Wave(const std::string& name) const { return dir_ + "WAV\\" + name; }

  void WriteIni(const std::string& text) const { std::ofstream(Ini(), std::ios::binary) << text; }
  std::string ReadIni() const {
    std::ifstream in(Ini(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }

  const cl::testing::TempDirectory temp_;
  const std::string dir_ = temp_.Path().string() + "/";
  SoundRecorder recorder_;
};

}  // namespace

TEST_F(Beeper, WithoutAnIniFileSlotsPlayTheBuiltInNamesFromTheWaveDirectory) {
  utl::tBeeper beeper(Ini());
  beeper.Play(0);
  beeper.Play(21);
  beeper.Play(9);  // no built-in name: the player is told to stop
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{Wave("beep.wav"), Wave("Chyba.wav"), "(none)"}));
  recorder_.starts = false;
  recorder_.events.clear();
  beeper.Play(9);
  beeper.Play(7);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"(none)", "beep", Wave("TelixOK.wav"), "beep"}));
}

TEST_F(Beeper, SpeakerFlagAndSlotsBeyondTheTableGiveThePlainBeep) {
  utl::tBeeper beeper(Ini());
  beeper.Play(32);
  beeper.Play(0xFFFF);
  beeper.SetSpeaker(true);
  beeper.Play(0);
  beeper.Play(9);
  beeper.SetSpeaker(false);
  beeper.Play(1);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"beep", "beep", "beep", "beep", Wave("ding.wav")}));
}

TEST_F(Beeper, IniValuesReplaceTheBuiltInNames) {
  WriteIni(
      "[Other]\nSND_00=wrong.wav\n"
      "[sounds]\n"
      "snd_00 = mine.wav\n"
      "SND_01=/opt/sounds/Full.wav\n"
      "SND_02=\n"
      "SND_1F=\"last one.wav\"\n"
      "SND_09=sub\\nine.wav\n");
  utl::tBeeper beeper(Ini());
  EXPECT_EQ(beeper.SoundName(0), Wave("mine.wav"));
  EXPECT_EQ(beeper.SoundName(1), "/opt/sounds/Full.wav");
  EXPECT_EQ(beeper.SoundName(2), std::nullopt);
  EXPECT_EQ(beeper.SoundName(31), Wave("last one.wav"));
  EXPECT_EQ(beeper.SoundName(9), "sub\\nine.wav");  // a directory of its own
  EXPECT_EQ(beeper.SoundName(3), Wave("ringout.wav"));
  EXPECT_EQ(beeper.SoundName(10), std::nullopt);
}

TEST_F(Beeper, UnloadWritesNamesBackBareOnlyFromTheWaveDirectory) {
  WriteIni(
      "; kept\n"
      "[Sounds]\n"
      "SND_01=/opt/sounds/Full.wav\n"
      "SND_02=\n"
      "SND_03=" + dir_ + "wav\\Other.wav\n"
      "[After]\n"
      "x=1\n");
  { utl::tBeeper beeper(Ini()); }
  const std::string text = ReadIni();
  EXPECT_NE(text.find("; kept\n[Sounds]\n"), std::string::npos);
  EXPECT_NE(text.find("SND_00=beep.wav\n"), std::string::npos);
  EXPECT_NE(text.find("SND_01=/opt/sounds/Full.wav\n"), std::string::npos);
  EXPECT_NE(text.find("SND_02=\n"), std::string::npos);  // an empty slot is not written
  EXPECT_NE(text.find("SND_03=Other.wav\n"), std::string::npos);
  EXPECT_NE(text.find("SND_15=Chyba.wav\n"), std::string::npos);
  EXPECT_EQ(text.find("SND_09"), std::string::npos);
  EXPECT_NE(text.find("[After]\nx=1\n"), std::string::npos);
  EXPECT_LT(text.find("SND_15"), text.find("[After]"));

  // Written names load again as the same slots.
  utl::tBeeper again(Ini());
  EXPECT_EQ(again.SoundName(1), "/opt/sounds/Full.wav");
  EXPECT_EQ(again.SoundName(3), Wave("Other.wav"));
  EXPECT_EQ(again.SoundName(2), std::nullopt);
}

TEST_F(Beeper, AFailedWriteAtUnloadIsSilent) {
  WriteIni("[Sounds]\nSND_00=a.wav\n");
  chmod(Ini().c_str(), 0444);
  EXPECT_NO_THROW({ utl::tBeeper beeper(Ini()); });
  EXPECT_EQ(ReadIni(), "[Sounds]\nSND_00=a.wav\n");
  EXPECT_NO_THROW({ utl::tBeeper beeper(dir_ + "missing/brannik.ini"); });
}

TEST_F(Beeper, KeysAreTwoHexadecimalDigits) {
  EXPECT_EQ(utl::tBeeper::SoundKey(0), "SND_00");
  EXPECT_EQ(utl::tBeeper::SoundKey(10), "SND_0a");
  EXPECT_EQ(utl::tBeeper::SoundKey(31), "SND_1f");
}

TEST_F(Beeper, BeepAndSpeakerWorkOnTheProcesssBeeper) {
  utl::BEEP(0);  // no beeper yet: the plain beep
  utl::StartSoundSlots();
  const std::string programWaves = utl::DIRNAME(win::GetModuleFileName()) + "WAV\\";
  utl::BEEP(0);
  utl::SPEAKER(true);
  utl::BEEP(1);
  utl::SPEAKER(false);
  utl::BEEP(4);
  utl::BEEP(40);
  utl::StopSoundSlots();
  utl::BEEP(4);
  EXPECT_EQ(recorder_.events,
            (std::vector<std::string>{"beep", programWaves + "beep.wav", "beep",
                                      programWaves + "tatatata.wav", "beep", "beep"}));
}
