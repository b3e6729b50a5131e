#include "platform/core/sound.h"

#include <atomic>
#include <mutex>

#include <canberra.h>
#include <sys/stat.h>

#include "platform/core/file_names.h"

namespace win {
namespace {

// The desktop's event sounds. One context for the process, made on first use;
// each sound replaces the one before, as the system's single wave channel did.
class CanberraPlayer : public SoundPlayer {
 public:
  ~CanberraPlayer() override {
    if (context_) ca_context_destroy(context_);
  }

  bool Play(const char* name) override {
    const SoundRequest request = ResolveSound(name);
    std::lock_guard guard(lock_);
    if (!Connect()) return request.kind == SoundRequest::Kind::Stop;
    ca_context_cancel(context_, SoundId);
    switch (request.kind) {
      case SoundRequest::Kind::Stop:
        return true;
      case SoundRequest::Kind::File:
        return ca_context_play(context_, SoundId, CA_PROP_MEDIA_FILENAME, request.target.c_str(),
                               nullptr) == CA_SUCCESS;
      case SoundRequest::Kind::Event:
        return ca_context_play(context_, SoundId, CA_PROP_EVENT_ID, request.target.c_str(),
                               nullptr) == CA_SUCCESS;
    }
    return false;
  }

 private:
  static constexpr std::uint32_t SoundId = 1;

  bool Connect() {
    if (context_) return true;
    if (ca_context_create(&context_) != CA_SUCCESS) {
      context_ = nullptr;
      return false;
    }
    ca_context_change_props(context_, CA_PROP_APPLICATION_NAME, "Brannik", nullptr);
    return true;
  }

  std::mutex lock_;
  ca_context* context_ = nullptr;
};

std::atomic<SoundPlayer*> installed{nullptr};

}  // namespace

SoundRequest ResolveSound(const char* name) {
  if (!name || !*name) return {SoundRequest::Kind::Stop, {}};
  const auto path = NativeName(name);
  struct stat st {};
  if (path && stat(path->c_str(), &st) == 0 && S_ISREG(st.st_mode))
    return {SoundRequest::Kind::File, *path};
  return {SoundRequest::Kind::Event, "bell"};
}

SoundPlayer& CurrentSoundPlayer() {
  if (SoundPlayer* player = installed.load()) return *player;
  static CanberraPlayer desktop;
  return desktop;
}

void SetSoundPlayer(SoundPlayer* player) { installed.store(player); }

bool sndPlaySound(const char* name, std::uint32_t /*flags: always asynchronous*/) {
  return CurrentSoundPlayer().Play(name);
}

}  // namespace win
