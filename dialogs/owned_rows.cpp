#include "dialogs/owned_rows.h"

namespace dlg {

void DeleteOwnedRow(cl::TStrings& rows, int index) {
  const std::unique_ptr<cl::TObject> object(rows.GetObject(index));
  rows.Delete(index);
}

void ClearOwnedRows(cl::TStrings& rows) {
  for (int i = 0; i < rows.Count(); ++i) {
    const std::unique_ptr<cl::TObject> object(rows.GetObject(i));
    rows.PutObject(i, nullptr);
  }
  rows.Clear();
}

int AddOwnedRow(cl::TStrings& rows, std::string_view text, std::unique_ptr<cl::TObject> object) {
  const int index = rows.AddObject(text, object.get());
  if (index >= 0) static_cast<void>(object.release());
  return index;
}

}  // namespace dlg
