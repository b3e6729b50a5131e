#include "dialogs/message_form.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "platform/core/places.h"
#include "platform/gui/application.h"
#include "platform/gui/button.h"
#include "platform/gui/draw_text.h"
#include "platform/gui/image.h"
#include "platform/gui/label.h"
#include "platform/gui/screen.h"
#include "platform/gui/system_icons.h"
#include "dialogs/suite_texts.h"

namespace dlg {

namespace {

struct ButtonRow {
  const char* name;
  cl::TBitBtnKind kind;
  cl::TModalResult result;
  std::uint16_t captionText;
};

// In bit order, which is also the order on the form.
constexpr std::array<ButtonRow, 11> Buttons{{
    {"YES", cl::bkYes, 6, 2},
    {"NO", cl::bkNo, 7, 3},
    {"OK", cl::bkOK, 1, 4},
    {"CANCEL", cl::bkCancel, 2, 5},
    {"ABORT", cl::bkAbort, 3, 6},
    {"RETRY", cl::bkRetry, 4, 7},
    {"IGNORE", cl::bkIgnore, 5, 8},
    {"ALL", cl::bkAll, 8, 9},
    {"HELP", cl::bkHelp, 0, 10},
    {"APPEND", cl::bkYes, 9, 11},
    {"OVERWRITE", cl::bkAll, 10, 12},
}};

constexpr int ButtonWidth = 77, ButtonHeight = 27, ButtonGap = 8;
constexpr int Margin = 10;

struct TypeLook {
  std::uint16_t icon;  // 0: none
  std::uint16_t captionText;
};

TypeLook LookOf(std::uint8_t dlgType) {
  switch (static_cast<TMsgDlgType>(dlgType)) {
    case TMsgDlgType::Warning: return {cl::IDI_EXCLAMATION, 41};
    case TMsgDlgType::Error: return {cl::IDI_HAND, 42};
    case TMsgDlgType::Information: return {cl::IDI_ASTERISK, 43};
    case TMsgDlgType::Confirmation: return {cl::IDI_QUESTION, 44};
    default: return {0, 0};
  }
}

std::string ProgramFileName() {
  const std::string path = win::GetModuleFileName();
  const std::size_t slash = path.find_last_of("\\/");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

std::unique_ptr<cl::TForm> BuildMessageForm(std::string_view msg, std::uint8_t dlgType, TMsgDlgButtons buttons) {
  cl::EnsureQtApplication();
  auto form = std::make_unique<cl::TForm>(nullptr);
  form->SetName("MessageForm");
  form->SetPixelsPerInch(96);
  form->SetFormStyle(cl::fsStayOnTop);
  form->SetBorderStyle(cl::bsDialog);
  form->Font().SetName("MS Sans Serif");
  form->Font().SetHeight(-11);
  form->Font().SetStyle(cl::fsBold);

  const std::string text(msg);
  cl::TRect textRect{0, 0, cl::Screen().Width() / 2, 0};
  textRect = cl::DrawText(form->Canvas(), text, textRect, cl::DT_WORDBREAK | cl::DT_CALCRECT);
  const int textW = textRect.Width(), textH = textRect.Height();

  auto* label = cl::Make<cl::TLabel>(*form);
  label->SetName("Message");
  label->SetParent(form.get());
  // Controls do not take their form's font by themselves.
  label->Font().Assign(form->Font());
  label->SetAutoSize(false);
  label->SetWordWrap(true);
  label->SetCaption(text);
  label->SetBounds(0, 0, textW, textH);

  const TypeLook look = LookOf(dlgType);
  cl::TImage* image = nullptr;
  if (look.icon != 0) {
    image = cl::Make<cl::TImage>(*form);
    image->SetName("Image");
    image->SetParent(form.get());
    cl::LoadSystemIcon(look.icon, image->Picture(), form->Color());
    image->SetBounds(Margin, 0, cl::SystemIconSize, cl::SystemIconSize);
    image->PictureChanged();
  }

  int neededW = textW + 2 * Margin;
  int neededH = textH + Margin;
  if (image != nullptr) {
    neededW += image->Width() + Margin;
    neededH = std::max(image->Height() + Margin, textH + Margin);
  }

  std::vector<cl::TBitBtn*> made;
  for (std::size_t bit = 0; bit < Buttons.size(); ++bit) {
    if ((buttons & (1u << bit)) == 0) continue;
    const ButtonRow& row = Buttons[bit];
    auto* button = cl::Make<cl::TBitBtn>(*form);
    button->SetParent(form.get());
    button->Font().Assign(form->Font());
    button->SetBounds(0, 0, ButtonWidth, ButtonHeight);
    button->SetKind(row.kind);
    button->SetModalResult(row.result);
    button->SetMargin(2);
    button->SetSpacing(-1);
    button->SetCaption(SuiteText(row.captionText));
    button->SetName(row.name);
    button->SetStyle(cl::bsAutoDetect);
    made.push_back(button);
  }
  auto present = [&](TMsgDlgButtons mask) { return (buttons & mask) != 0; };
  auto byName = [&](const char* name) -> cl::TBitBtn* {
    for (cl::TBitBtn* b : made)
      if (b->Name() == name) return b;
    return nullptr;
  };
  if (present(mbNo) && present(mbCancel)) byName("NO")->SetCancel(false);
  if (present(mbOK) && !present(mbCancel)) byName("OK")->SetCancel(true);

  const int n = static_cast<int>(made.size());
  const int rowW = n * ButtonWidth + std::max(n - 1, 0) * ButtonGap + 30;
  const int rowH = ButtonHeight + 18;
  const int clientW = std::max({150, neededW, rowW});
  const int clientH = std::max(55, neededH + rowH);
  form->SetClientSize(clientW, clientH);

  int contentBottom = 0;
  if (image != nullptr && image->Height() > textH) {
    image->SetTop(Margin);
    label->SetTop(image->Top() + image->Height() / 2 - textH / 2);
    contentBottom = image->Top() + image->Height();
  } else {
    label->SetTop(Margin);
    if (image != nullptr) image->SetTop(label->Top() + textH / 2 - image->Height() / 2);
    contentBottom = label->Top() + label->Height();
  }
  label->SetLeft(image != nullptr ? image->Left() + image->Width() + Margin : Margin);

  int x = clientW / 2 - rowW / 2 + 15;
  for (cl::TBitBtn* button : made) {
    button->SetBounds(x, contentBottom + Margin, ButtonWidth, ButtonHeight);
    x += ButtonWidth + ButtonGap;
  }

  form->SetCaption(look.icon != 0 ? SuiteText(look.captionText) : ProgramFileName());
  form->SetLeft(cl::Screen().Width() / 2 - form->Width() / 2);
  form->SetTop(cl::Screen().Height() / 2 - form->Height() / 2);
  return form;
}

int MessageDlgPos(std::string_view msg, std::uint8_t dlgType, TMsgDlgButtons buttons, std::int32_t helpCtx,
                  std::int32_t x, std::int32_t y) {
  const std::unique_ptr<cl::TForm> form = BuildMessageForm(msg, dlgType, buttons);
  form->SetHelpContext(helpCtx);
  // Only the form's size follows the screen's density: x and y are the
  // caller's screen position, and the centre is that of the scaled form.
  const int screenPpi = cl::Screen().PixelsPerInch();
  if (form->Scaled() && form->PixelsPerInch() > 0 && screenPpi != form->PixelsPerInch()) {
    form->ScaleBy(screenPpi, form->PixelsPerInch());
    form->SetPixelsPerInch(screenPpi);
  }
  form->SetLeft(cl::Screen().Width() / 2 - form->Width() / 2);
  form->SetTop(cl::Screen().Height() / 2 - form->Height() / 2);
  if (x >= 0 || y >= 0) {
    // In the screen's own pixels, whatever Qt scales the screen by.
    const cl::TPoint centred = cl::Screen().ToScreenPixels({form->Left(), form->Top()});
    const cl::TPoint at = cl::Screen().FromScreenPixels({x >= 0 ? x : centred.X, y >= 0 ? y : centred.Y});
    form->SetBounds(at.X, at.Y, form->Width(), form->Height());
  }
  return form->ShowModal();
}

}  // namespace dlg
