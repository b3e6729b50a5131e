#include "dialogs/chooser_menu_item.h"

#include <memory>

#include "dialogs/suite_texts.h"

namespace dlg {

cl::TMenuItem& AddMenuItem(cl::TMenuItem& parent, const std::string& name, std::uint16_t text, std::uint16_t key,
                           cl::TShiftState shift, std::function<void()> action) {
  auto item = std::make_unique<cl::TMenuItem>();
  item->SetName(name);
  item->SetCaption(SuiteText(text));
  if (key != 0) item->SetShortCut(cl::ShortCut(key, shift));
  if (action) item->OnClick = [action = std::move(action)](cl::TObject*) { action(); };
  return *parent.Add(std::move(item));
}

}  // namespace dlg
