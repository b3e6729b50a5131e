#include <QString>

#include "platform/core/cp1250.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

QString ToQString(std::string_view cp1250) {
  const std::u32string wide = win::Cp1250ToU32(cp1250);
  return QString::fromUcs4(wide.data(), static_cast<qsizetype>(wide.size()));
}

std::string FromQString(const QString& text) {
  const QList<uint> ucs4 = text.toUcs4();
  std::u32string wide(ucs4.begin(), ucs4.end());
  return win::U32ToCp1250(wide);
}

}  // namespace cl
