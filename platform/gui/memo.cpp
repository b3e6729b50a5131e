#include "platform/gui/memo.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

#include "platform/gui/control_widget.h"
#include "platform/gui/qt_bridge.h"
#include "platform/gui/scroll_area_client.h"
#include "platform/gui/virtual_keys.h"

namespace cl {

namespace {

QPlainTextEdit* MemoOf(QWidget* widget) { return static_cast<QPlainTextEdit*>(widget); }

}  // namespace

TMemo::TMemo(TComponent* owner) : TWinControl(owner, new Bridged<QPlainTextEdit>(this)) {
  SetTabStop(true);
  SetBounds(0, 0, 185, 89);
  SetColor(clWindow);
  MemoOf(Widget())->setTabChangesFocus(true);
  // A Windows edit keeps its text about a pixel from the frame, not Qt's four:
  // a memo sized for n lines shows n lines.
  MemoOf(Widget())->document()->setDocumentMargin(1);
  SetScrollBars(ssNone);
  QObject::connect(MemoOf(Widget()), &QPlainTextEdit::textChanged, [this] {
    RunGuarded(this, [this] {
      if (OnChange) OnChange(this);
    });
  });
}

std::vector<std::string> TMemo::Lines() const {
  std::vector<std::string> lines;
  const QTextDocument* document = MemoOf(Widget())->document();
  if (document->isEmpty()) return lines;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    lines.push_back(FromQString(block.text()));
  }
  return lines;
}

void TMemo::SetLines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list.append(ToQString(line));
  MemoOf(Widget())->setPlainText(list.join('\n'));
}

int TMemo::LineCount() const { return static_cast<int>(Lines().size()); }

std::string TMemo::Text() const {
  std::string text;
  for (const std::string& line : Lines()) text += line + "\r\n";
  return text;
}

void TMemo::SetText(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    plain += text[i] == '\r' ? '\n' : text[i];
  }
  MemoOf(Widget())->setPlainText(ToQString(plain));
}

void TMemo::SetWordWrap(bool wrap) {
  wordWrap_ = wrap;
  MemoOf(Widget())->setLineWrapMode(wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::SetScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  QPlainTextEdit* memo = MemoOf(Widget());
  const bool vertical = style == ssVertical || style == ssBoth;
  const bool horizontal = style == ssHorizontal || style == ssBoth;
  memo->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  memo->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void TMemo::SetReadOnly(bool readOnly) {
  readOnly_ = readOnly;
  MemoOf(Widget())->setReadOnly(readOnly);
}

int32_t TMemo::SelStart() const { return MemoOf(Widget())->textCursor().selectionStart(); }

int32_t TMemo::SelLength() const {
  const QTextCursor cursor = MemoOf(Widget())->textCursor();
  return cursor.selectionEnd() - cursor.selectionStart();
}

void TMemo::SetSelection(int32_t start, int32_t length) {
  QTextCursor cursor = MemoOf(Widget())->textCursor();
  cursor.setPosition(start);
  cursor.setPosition(start + length, QTextCursor::KeepAnchor);
  MemoOf(Widget())->setTextCursor(cursor);
}

TRect TMemo::ClientRect() const {
  return ScrollAreaClientRect(*MemoOf(Widget()), Width(), Height(), scrollBars_ == ssVertical || scrollBars_ == ssBoth,
                              scrollBars_ == ssHorizontal || scrollBars_ == ssBoth);
}

bool TMemo::WantsKey(uint16_t key) const { return key == VK_RETURN; }

// The memo scrolls its own text.
bool TMemo::DoMouseWheel(TShiftState, int, TPoint) { return false; }

}  // namespace cl
