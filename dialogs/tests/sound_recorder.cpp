#include "dialogs/tests/sound_recorder.h"

#include <canberra.h>

#include <cstdarg>
#include <cstdint>
#include <cstring>
#include <utility>

namespace {

std::function<void(const std::string&)>& Sink() {
  static std::function<void(const std::string&)> sink;
  return sink;
}

char fakeContext;

}  // namespace

namespace dlg::testing {

void OnSoundRequest(std::function<void(const std::string&)> sink) { Sink() = std::move(sink); }

}  // namespace dlg::testing

// Visible, so that the program and the libraries it loads bind to these
// rather than to libcanberra.
#define RECORDER extern "C" __attribute__((visibility("default")))

RECORDER int ca_context_create(ca_context** c) {
  *c = reinterpret_cast<ca_context*>(&fakeContext);
  return CA_SUCCESS;
}

RECORDER int ca_context_destroy(ca_context*) { return CA_SUCCESS; }

RECORDER int ca_context_change_props(ca_context*, ...) { return CA_SUCCESS; }

RECORDER int ca_context_cancel(ca_context*, std::uint32_t) { return CA_SUCCESS; }

RECORDER int ca_context_play(ca_context*, std::uint32_t id, ...) {
  std::va_list properties;
  va_start(properties, id);
  std::string request;
  while (const char* key = va_arg(properties, const char*)) {
    const char* value = va_arg(properties, const char*);
    if (std::strcmp(key, CA_PROP_MEDIA_FILENAME) == 0) request = std::string("file ") + value;
    if (std::strcmp(key, CA_PROP_EVENT_ID) == 0) request = std::string("event ") + value;
  }
  va_end(properties);
  if (Sink()) Sink()(request);
  return CA_SUCCESS;
}

#undef RECORDER
