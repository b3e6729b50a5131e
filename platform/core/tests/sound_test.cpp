#include <gtest/gtest.h>

#include <string>

#include "platform/core/sound.h"
#include "platform/core/test_support/temp_directory.h"

using cl::testing::TempDirectory;

TEST(Sound, NamesResolveToStopAFileOrTheBell) {
  TempDirectory dir;
  dir.Write("WAV/Beep.wav", "RIFF");
  std::filesystem::create_directories(dir.Path() / "WAV/dir.wav");

  EXPECT_EQ(win::ResolveSound(nullptr).kind, win::SoundRequest::Kind::Stop);
  EXPECT_EQ(win::ResolveSound("").kind, win::SoundRequest::Kind::Stop);

  const std::string systemName = dir.Path().string() + "\\wav\\BEEP.WAV";
  const win::SoundRequest file = win::ResolveSound(systemName.c_str());
  EXPECT_EQ(file.kind, win::SoundRequest::Kind::File);
  EXPECT_EQ(file.target, dir / "WAV/Beep.wav");

  for (const std::string& missing : {dir / "WAV/none.wav", dir / "WAV/dir.wav", std::string("Q:\\x.wav")}) {
    const win::SoundRequest bell = win::ResolveSound(missing.c_str());
    EXPECT_EQ(bell.kind, win::SoundRequest::Kind::Event) << missing;
    EXPECT_EQ(bell.target, "bell");
  }
}

TEST(Sound, StoppingCountsAsStartedEvenWithoutASoundService) {
  EXPECT_TRUE(win::sndPlaySound(nullptr, win::SND_ASYNC));
}

TEST(Sound, AnInstalledPlayerTakesEveryRequest) {
  struct Recorder : win::SoundPlayer {
    std::string names;
    bool Play(const char* name) override {
      names += name ? name : "(null)";
      names += ";";
      return name != nullptr;
    }
  } recorder;
  win::SetSoundPlayer(&recorder);
  EXPECT_TRUE(win::sndPlaySound("a.wav", win::SND_ASYNC));
  EXPECT_FALSE(win::sndPlaySound(nullptr, win::SND_ASYNC));
  win::SetSoundPlayer(nullptr);
  EXPECT_EQ(recorder.names, "a.wav;(null);");
  EXPECT_NE(&win::CurrentSoundPlayer(), &recorder);
}
