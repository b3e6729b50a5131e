#include "utility/shared_locks.h"

#include <algorithm>
#include <memory>

#include "platform/core/file_handle.h"
#include "platform/core/scheduler.h"
#include "utility/bk_exception.h"
#include "utility/calendar.h"
#include "utility/file_operations.h"

namespace utl {

namespace {

constexpr std::uint32_t IdleStepMs = 5;
constexpr std::uint16_t modeReadExclusive = 0x10;

// Made on first use, which is the library's start-up: it is destroyed only
// after the units have stopped (library_init.cpp).
std::unique_ptr<tSHRsrv>& TheSHRsrv() {
  static std::unique_ptr<tSHRsrv> shrsrv;
  return shrsrv;
}

// At least one attempt; more while the last failed and no more than timeout
// milliseconds have passed. The elapsed time is taken modulo 2^32, so a wrap
// of the tick counter neither ends nor restarts the wait.
template <typename Attempt>
bool Within(std::uint32_t timeout, Attempt&& attempt) {
  const std::uint32_t start = win::GetTickCount();
  for (;;) {
    if (attempt()) return true;
    const std::uint32_t elapsed = win::GetTickCount() - start;
    if (elapsed > timeout) return false;
    SHRsrv().Idle(timeout - elapsed);
  }
}

// The loops of the shared rename and delete: attempts only while less than
// timeout milliseconds have passed.
template <typename Attempt>
void WhileWaiting(std::int32_t timeout, Attempt&& attempt) {
  if (timeout <= 0) return;
  const std::uint32_t limit = static_cast<std::uint32_t>(timeout);
  const std::uint32_t start = win::GetTickCount();
  while (WAITINGFOR(start, limit)) {
    if (attempt()) return;
    const std::uint32_t elapsed = win::GetTickCount() - start;
    if (elapsed < limit) SHRsrv().Idle(limit - elapsed - 1);
  }
}

}  // namespace

void tSHRsrv::Idle(std::uint32_t remaining) const {
  win::Sleep(std::min(IdleStepMs, remaining + 1));
}

const tSHRsrv& SHRsrv() {
  const auto& shrsrv = TheSHRsrv();
  if (!shrsrv) throw xInternal("Lock-file object not loaded");
  return *shrsrv;
}

void StartSHRsrv() { TheSHRsrv() = std::make_unique<tSHRsrv>(); }

void StopSHRsrv() { TheSHRsrv().reset(); }

bool FlagFile(std::string_view name, Handle& handle, std::uint16_t timeout) {
  return Within(timeout, [&] {
    if (FILENOTFOUND(name) && MakeIfMissing(name)) return false;
    Handle opened = noHandle;
    if (OPENHANDLE(name, modeReadExclusive, opened)) return false;
    handle = opened;
    return true;
  });
}

bool ExclusiveOpen(std::string_view name, std::uint16_t mode, std::uint16_t timeout, Handle& handle) {
  handle = noHandle;
  if ((mode & 7) == 0 && FILENOTFOUND(name)) return false;
  return Within(timeout, [&] { return !OPENHANDLE(name, ExclusiveMode(mode), handle); });
}

bool ExclusiveRewrite(std::string_view name, std::uint16_t timeout, Handle& handle) {
  handle = noHandle;
  // Read access too: only a handle that may read holds the sharing markers
  // that keep everyone else out.
  return Within(timeout, [&] {
    handle = win::CreateFile(name, win::GENERIC_READ | win::GENERIC_WRITE, 0, win::CREATE_ALWAYS);
    return handle != noHandle;
  });
}

bool IsFileLocked(std::string_view name) {
  if (FILENOTFOUND(name)) return false;
  Handle handle = noHandle;
  if (OPENHANDLE(name, ExclusiveMode(modeReadWrite), handle)) return true;
  CLOSEHANDLE(handle);
  return false;
}

void RenameSharedFile(std::string_view source, std::string_view target, std::int32_t timeout) {
  if (FILENOTFOUND(source)) return;
  WhileWaiting(timeout, [&] { return !RENAMEANYWAY(source, target); });
}

void DeleteSharedFile(std::string_view name, std::int32_t timeout) {
  WhileWaiting(timeout, [&] { return !DELETEANYWAY(name); });
}

}  // namespace utl
