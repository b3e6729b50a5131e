#include "utility/bk_exception.h"

#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "platform/core/last_error.h"
#include "utility/sys_error_text.h"

xInternal xInternal::CreateFmt(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  std::string message;
  if (length > 0) {
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    std::vsnprintf(buffer.data(), buffer.size(), format, args);
    message.assign(buffer.data(), static_cast<std::size_t>(length));
  }
  va_end(args);
  return xInternal(std::move(message));
}

xIOInternal::xIOInternal(std::string_view operation, std::string_view fileName)
    : xInternal(CreateIO(operation, fileName)) {}

std::string xIOInternal::CreateIO(std::string_view operation, std::string_view fileName) {
  const auto lastError = static_cast<std::int32_t>(win::GetLastError());
  std::string message = "I/O ";
  message.append(operation);
  message.append(" \"");
  message.append(fileName);
  message.append("\" failed, GetLastError=");
  message.append(SysErrorText(lastError));
  return message;
}
