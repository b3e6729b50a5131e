#pragma once

#include <memory>
#include <string_view>

#include "platform/core/object.h"
#include "platform/core/string_list.h"

namespace dlg {

// Rows of a list control whose objects the list's owner keeps: each removal
// frees the row's object, each addition hands one over.
void DeleteOwnedRow(cl::TStrings& rows, int index);
void ClearOwnedRows(cl::TStrings& rows);
// The row's index, or -1 when the rows refused it (the object is freed then).
int AddOwnedRow(cl::TStrings& rows, std::string_view text, std::unique_ptr<cl::TObject> object);

}  // namespace dlg
