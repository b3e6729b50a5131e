#include "utility/replacement_file.h"

#include "platform/core/file_names.h"
#include "platform/core/replacing_write.h"

namespace utl {

ReplacementFile::ReplacementFile(std::string_view target, OldFile old) {
  using Refused = win::ReplacingWrite::Refused;
  if (const auto path = win::NativeName(target))
    write_ = std::make_unique<win::ReplacingWrite>(
        *path, old == OldFile::Exclusive ? Refused::ByAnyHandle : Refused::ByHandlesDenyingWrites);
}

ReplacementFile::~ReplacementFile() = default;

bool ReplacementFile::Ready() const { return write_ && write_->Ready(); }

Handle ReplacementFile::File() const { return Ready() ? write_->Handle() : noHandle; }

bool ReplacementFile::SetReadOnly(bool readOnly) { return !Ready() || !write_->SetReadOnly(readOnly); }

bool ReplacementFile::Commit() { return !Ready() || !write_->Commit(); }

}  // namespace utl
