#include "platform/gui/qt_input.h"

#include <QBitmap>
#include <QCursor>
#include <QImage>

#include "platform/gui/font_engine.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/screen.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

struct KeyCode {
  int qt;
  uint16_t vk;
};

// Keys whose Windows code is not their character. Shifted symbols of the
// US layout give their key's code, as Windows reports the key, not the text.
constexpr KeyCode kKeys[] = {
    {Qt::Key_Backspace, VK_BACK},   {Qt::Key_Tab, VK_TAB},          {Qt::Key_Backtab, VK_TAB},
    {Qt::Key_Return, VK_RETURN},    {Qt::Key_Enter, VK_RETURN},     {Qt::Key_Shift, VK_SHIFT},
    {Qt::Key_Control, VK_CONTROL},  {Qt::Key_Alt, VK_MENU},         {Qt::Key_Pause, VK_PAUSE},
    {Qt::Key_CapsLock, VK_CAPITAL}, {Qt::Key_Escape, VK_ESCAPE},    {Qt::Key_Space, VK_SPACE},
    {Qt::Key_PageUp, VK_PRIOR},     {Qt::Key_PageDown, VK_NEXT},    {Qt::Key_End, VK_END},
    {Qt::Key_Home, VK_HOME},        {Qt::Key_Left, VK_LEFT},        {Qt::Key_Up, VK_UP},
    {Qt::Key_Right, VK_RIGHT},      {Qt::Key_Down, VK_DOWN},        {Qt::Key_Print, VK_SNAPSHOT},
    {Qt::Key_Insert, VK_INSERT},    {Qt::Key_Delete, VK_DELETE},    {Qt::Key_Menu, VK_APPS},
    {Qt::Key_NumLock, VK_NUMLOCK},  {Qt::Key_ScrollLock, VK_SCROLL}, {Qt::Key_Semicolon, VK_OEM_1},
    {Qt::Key_Colon, VK_OEM_1},      {Qt::Key_Equal, VK_OEM_PLUS},   {Qt::Key_Plus, VK_OEM_PLUS},
    {Qt::Key_Comma, VK_OEM_COMMA},  {Qt::Key_Less, VK_OEM_COMMA},   {Qt::Key_Minus, VK_OEM_MINUS},
    {Qt::Key_Underscore, VK_OEM_MINUS}, {Qt::Key_Period, VK_OEM_PERIOD}, {Qt::Key_Greater, VK_OEM_PERIOD},
    {Qt::Key_Slash, VK_OEM_2},      {Qt::Key_Question, VK_OEM_2},   {Qt::Key_QuoteLeft, VK_OEM_3},
    {Qt::Key_AsciiTilde, VK_OEM_3}, {Qt::Key_BracketLeft, VK_OEM_4}, {Qt::Key_BraceLeft, VK_OEM_4},
    {Qt::Key_Backslash, VK_OEM_5},  {Qt::Key_Bar, VK_OEM_5},        {Qt::Key_BracketRight, VK_OEM_6},
    {Qt::Key_BraceRight, VK_OEM_6}, {Qt::Key_Apostrophe, VK_OEM_7}, {Qt::Key_QuoteDbl, VK_OEM_7},
    {Qt::Key_Exclam, '1'},          {Qt::Key_At, '2'},              {Qt::Key_NumberSign, '3'},
    {Qt::Key_Dollar, '4'},          {Qt::Key_Percent, '5'},         {Qt::Key_AsciiCircum, '6'},
    {Qt::Key_Ampersand, '7'},       {Qt::Key_Asterisk, '8'},        {Qt::Key_ParenLeft, '9'},
    {Qt::Key_ParenRight, '0'},
};

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass: return Qt::WaitCursor;
    case crDrag: return Qt::DragCopyCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}

bool PlaneBit(const std::vector<uint8_t>& plane, int rowBytes, int x, int y) {
  const size_t index = static_cast<size_t>(y * rowBytes + x / 8);
  return index < plane.size() && (plane[index] & (0x80 >> (x % 8))) != 0;
}

}  // namespace

uint16_t VirtualKeyOf(const QKeyEvent& event) {
  const int key = event.key();
  const bool keypad = (event.modifiers() & Qt::KeypadModifier) != 0;
  if (keypad) {
    if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>(VK_NUMPAD0 + (key - Qt::Key_0));
    switch (key) {
      case Qt::Key_Asterisk: return VK_MULTIPLY;
      case Qt::Key_Plus: return VK_ADD;
      case Qt::Key_Minus: return VK_SUBTRACT;
      case Qt::Key_Period:
      case Qt::Key_Comma: return VK_DECIMAL;
      case Qt::Key_Slash: return VK_DIVIDE;
      default: break;
    }
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) return static_cast<uint16_t>('A' + (key - Qt::Key_A));
  if (key >= Qt::Key_0 && key <= Qt::Key_9) return static_cast<uint16_t>('0' + (key - Qt::Key_0));
  if (key >= Qt::Key_F1 && key <= Qt::Key_F24) return static_cast<uint16_t>(VK_F1 + (key - Qt::Key_F1));
  for (const KeyCode& code : kKeys) {
    if (code.qt == key) return code.vk;
  }
  return 0;
}

int QtKeyOf(uint16_t virtualKey) {
  if (virtualKey >= 'A' && virtualKey <= 'Z') return Qt::Key_A + (virtualKey - 'A');
  if (virtualKey >= '0' && virtualKey <= '9') return Qt::Key_0 + (virtualKey - '0');
  if (virtualKey >= VK_F1 && virtualKey <= VK_F1 + 23) return Qt::Key_F1 + (virtualKey - VK_F1);
  for (const KeyCode& code : kKeys) {
    if (code.vk == virtualKey) return code.qt;
  }
  return 0;
}

TShiftState ShiftOf(Qt::KeyboardModifiers modifiers, Qt::MouseButtons buttons) {
  TShiftState shift = 0;
  if (modifiers & Qt::ShiftModifier) shift |= ssShift;
  if (modifiers & Qt::AltModifier) shift |= ssAlt;
  if (modifiers & Qt::ControlModifier) shift |= ssCtrl;
  if (buttons & Qt::LeftButton) shift |= ssLeft;
  if (buttons & Qt::RightButton) shift |= ssRight;
  if (buttons & Qt::MiddleButton) shift |= ssMiddle;
  return shift;
}

TMouseButton MouseButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::RightButton: return mbRight;
    case Qt::MiddleButton: return mbMiddle;
    default: return mbLeft;
  }
}

QFont ToQFont(const TFont& font) {
  QFont result(QString::fromStdString(SubstituteFaceName(font.Name())));
  const int32_t height = font.Height();
  result.setPixelSize(height < 0 ? -height : height > 0 ? std::max(1, height * 7 / 8) : 11);
  result.setBold((font.Style() & fsBold) != 0);
  result.setItalic((font.Style() & fsItalic) != 0);
  result.setUnderline((font.Style() & fsUnderline) != 0);
  result.setStrikeOut((font.Style() & fsStrikeOut) != 0);
  return result;
}

QCursor ToQCursor(TCursor cursor) {
  if (cursor > 0) {
    if (const TCursorShape* shape = Screen().Cursor(cursor)) {
      // Windows' planes: AND 1 / XOR 0 is transparent, AND 0 draws XOR's
      // colour; inverted pixels (AND 1 / XOR 1) show black, Qt having none.
      const int rowBytes = ((shape->Width + 15) / 16) * 2;
      QImage bitmap(shape->Width, shape->Height, QImage::Format_MonoLSB);
      QImage mask(shape->Width, shape->Height, QImage::Format_MonoLSB);
      bitmap.fill(0);
      mask.fill(0);
      for (int y = 0; y < shape->Height; ++y) {
        for (int x = 0; x < shape->Width; ++x) {
          const bool andBit = PlaneBit(shape->AndPlane, rowBytes, x, y);
          const bool xorBit = PlaneBit(shape->XorPlane, rowBytes, x, y);
          const bool opaque = !andBit || xorBit;
          const bool black = andBit ? xorBit : !xorBit;
          mask.setPixel(x, y, opaque ? 1 : 0);
          bitmap.setPixel(x, y, black ? 1 : 0);
        }
      }
      return QCursor(QBitmap::fromImage(bitmap), QBitmap::fromImage(mask), shape->HotX, shape->HotY);
    }
  }
  return QCursor(ShapeOf(cursor));
}

}  // namespace cl
