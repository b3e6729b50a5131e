#include "branutl/handles.h"
#include "platform/core/export_guard.h"
#include "platform/core/short_string.h"
#include "utility/raw_handles.h"

BRANNIK_EXPORT bool OPENHANDLE(const ShortString* name, uint16_t mode, int32_t* handle) {
  return ExportGuard(true, [&] {
    if (!handle) return true;
    *handle = -1;
    return utl::OPENHANDLE(ShortArg(name), mode, *handle);
  });
}

BRANNIK_EXPORT bool CREATEHANDLE(const ShortString* name, int32_t* handle) {
  return ExportGuard(true, [&] {
    if (!handle) return true;
    *handle = -1;
    return utl::CREATEHANDLE(ShortArg(name), *handle);
  });
}

BRANNIK_EXPORT bool CLOSEHANDLE(int32_t* handle) {
  return ExportGuard(false, [&] { return handle ? utl::CLOSEHANDLE(*handle) : false; });
}

BRANNIK_EXPORT bool FLUSHHANDLE(int32_t handle) {
  return ExportGuard(true, [&] { return utl::FLUSHHANDLE(handle); });
}

BRANNIK_EXPORT bool TRUNCATEHANDLE(int32_t handle) {
  return ExportGuard(true, [&] { return utl::TRUNCATEHANDLE(handle); });
}

BRANNIK_EXPORT bool ISHANDLEVALID(int32_t handle) {
  return ExportGuard(false, [&] { return utl::ISHANDLEVALID(handle); });
}

BRANNIK_EXPORT bool READHANDLE(int32_t handle, void* buffer, int32_t count) {
  return ExportGuard(true, [&] { return utl::READHANDLE(handle, buffer, count); });
}

BRANNIK_EXPORT bool READHANDLECOND(int32_t handle, void* buffer, int32_t* count) {
  return ExportGuard(false, [&] {
    if (count) utl::READHANDLECOND(handle, buffer, *count);
    return false;
  });
}

BRANNIK_EXPORT bool WRITEHANDLE(int32_t handle, const void* buffer, int32_t count) {
  return ExportGuard(true, [&] { return utl::WRITEHANDLE(handle, buffer, count); });
}

BRANNIK_EXPORT bool WRITEHANDLECOND(int32_t handle, const void* buffer, int32_t* count) {
  return ExportGuard(false, [&] {
    if (count) utl::WRITEHANDLECOND(handle, buffer, *count);
    return false;
  });
}

BRANNIK_EXPORT bool SEEKHANDLETO(int32_t handle, int32_t position) {
  return ExportGuard(true, [&] { return utl::SEEKHANDLETO(handle, position); });
}

BRANNIK_EXPORT bool SEEKHANDLEREL(int32_t handle, int32_t offset) {
  return ExportGuard(true, [&] { return utl::SEEKHANDLEREL(handle, offset); });
}

BRANNIK_EXPORT bool SEEKHANDLEEND(int32_t handle, int32_t* size) {
  return ExportGuard(true, [&] {
    int32_t local = -1;
    const bool failed = utl::SEEKHANDLEEND(handle, local);
    if (size) *size = local;
    return failed;
  });
}

BRANNIK_EXPORT bool HANDLEPOSITION(int32_t handle, int32_t* position) {
  return ExportGuard(true, [&] {
    int32_t local = -1;
    const bool failed = utl::HANDLEPOSITION(handle, local);
    if (position) *position = local;
    return failed;
  });
}

BRANNIK_EXPORT bool HANDLETIME(int32_t handle, uint8_t set, int32_t* time) {
  return ExportGuard(false, [&] {
    if (time) utl::HANDLETIME(handle, set, *time);
    return false;
  });
}

BRANNIK_EXPORT bool COPYBLOCK(int32_t source, int32_t target, int32_t sourcePosition,
                              int32_t targetPosition, int32_t* count) {
  return ExportGuard(true, [&] {
    return !count || utl::COPYBLOCK(source, target, sourcePosition, targetPosition, *count);
  });
}

BRANNIK_EXPORT bool INSERTTOHANDLE(int32_t handle, int32_t position, const void* data, int32_t count) {
  return ExportGuard(true, [&] { return utl::INSERTTOHANDLE(handle, position, data, count); });
}

BRANNIK_EXPORT bool DELETEFROMHANDLE(int32_t handle, int32_t position, int32_t count) {
  return ExportGuard(true, [&] { return utl::DELETEFROMHANDLE(handle, position, count); });
}
