#include "browser/doc_file_viewer.h"

#include "html/print/document_print.h"
#include "platform/core/short_string.h"
#include "utility/short_strings.h"

namespace brw {

std::string tDocFileViewer::GetDocumentName() const {
  const html::TDocViewer* const active = ActiveViewer();
  std::string name = active != nullptr ? active->CurrentFile() : CurrentFile();
  if (name.size() > ShortString::MaxLength) name.resize(ShortString::MaxLength);
  return name;
}

int32_t tDocFileViewer::GetPosition() const {
  html::TDocViewer* const active = ActiveViewer();
  return active != nullptr ? active->Position() : 0;
}

void tDocFileViewer::SetPosition(int32_t position) {
  if (html::TDocViewer* const active = ActiveViewer()) active->SetPosition(position);
}

void tDocFileViewer::Print(int32_t fromPage, int32_t toPage) {
  if (html::TDocViewer* const active = ActiveViewer()) html::PrintDocument(*active, fromPage, toPage);
}

}  // namespace brw
