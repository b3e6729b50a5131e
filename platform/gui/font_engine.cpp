#include "platform/gui/font_engine.h"

#include <QFont>
#include <QGlyphRun>
#include <QRawFont>
#include <algorithm>
#include <cctype>
#include <map>

#include "platform/gui/application.h"
#include "platform/gui/font_face.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

namespace {

class QtFontFace final : public FontFace {
 public:
  explicit QtFontFace(const FontRequest& request) {
    QFont font(QString::fromStdString(request.family));
    font.setPixelSize(std::max(1, request.pixelSize));
    font.setBold(request.bold);
    font.setItalic(request.italic);
    font.setStyleStrategy(QFont::NoFontMerging);
    raw_ = QRawFont::fromFont(font);
    if (!raw_.isValid()) {
      font.setFamily("Liberation Sans");
      raw_ = QRawFont::fromFont(font);
    }
    underline_ = request.underline;
    strikeOut_ = request.strikeOut;

    // One glyph per byte of code page 1250; undefined bytes show as '?'.
    for (int b = 0; b < 256; ++b) {
      const char byte = static_cast<char>(b);
      const QString text = b < 32 ? QString(QChar(u' ')) : ToQString(std::string_view(&byte, 1));
      const QList<quint32> glyph = raw_.glyphIndexesForString(text);
      glyphs_[b] = glyph.isEmpty() ? 0 : glyph.first();
    }
    const QList<quint32> glyphList(glyphs_.begin(), glyphs_.end());
    const QList<QPointF> advances = raw_.advancesForGlyphIndexes(glyphList);
    for (int b = 0; b < 256; ++b) advances_[b] = b < advances.size() ? qRound(advances[b].x()) : 0;

    metrics_.tmAscent = qRound(raw_.ascent());
    metrics_.tmDescent = qRound(raw_.descent());
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmInternalLeading = std::max(0, metrics_.tmHeight - request.pixelSize);
    metrics_.tmExternalLeading = std::max(0, qRound(raw_.leading()));
    metrics_.tmAveCharWidth = qRound(raw_.averageCharWidth());
    metrics_.tmMaxCharWidth = qRound(raw_.maxCharWidth());
    metrics_.tmOverhang = 0;
    underlinePosition_ = std::max(1, qRound(raw_.underlinePosition()));
    lineThickness_ = std::max(1, qRound(raw_.lineThickness()));
  }

  void Draw(QPainter& painter, int32_t x, int32_t baseline, std::string_view text, QColor color) const override {
    if (text.empty()) return;
    QList<quint32> indexes;
    QList<QPointF> positions;
    indexes.reserve(static_cast<qsizetype>(text.size()));
    positions.reserve(static_cast<qsizetype>(text.size()));
    int32_t pen = 0;
    for (const char c : text) {
      const auto b = static_cast<unsigned char>(c);
      indexes.append(glyphs_[b]);
      positions.append(QPointF(pen, 0));
      pen += advances_[b];
    }
    QGlyphRun run;
    run.setRawFont(raw_);
    run.setGlyphIndexes(indexes);
    run.setPositions(positions);
    painter.save();
    painter.setPen(color);
    painter.drawGlyphRun(QPointF(x, baseline), run);
    painter.restore();
    if (underline_) painter.fillRect(QRect(x, baseline + underlinePosition_, pen, lineThickness_), color);
    if (strikeOut_) painter.fillRect(QRect(x, baseline - metrics_.tmAscent / 3, pen, lineThickness_), color);
  }

 private:
  QRawFont raw_;
  std::array<quint32, 256> glyphs_{};
  bool underline_ = false;
  bool strikeOut_ = false;
  int32_t underlinePosition_ = 1;
  int32_t lineThickness_ = 1;
};

class FixedPitchFace final : public FontFace {
 public:
  explicit FixedPitchFace(const FontRequest& request) {
    const int32_t p = std::max(1, request.pixelSize);
    advance_ = std::max(1, p / 2);
    advances_.fill(advance_);
    metrics_.tmAscent = p - p / 4;
    metrics_.tmDescent = p / 4;
    metrics_.tmHeight = metrics_.tmAscent + metrics_.tmDescent;
    metrics_.tmAveCharWidth = advance_;
    metrics_.tmMaxCharWidth = advance_;
  }

  void Draw(QPainter& painter, int32_t x, int32_t baseline, std::string_view text, QColor color) const override {
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] != ' ' && advance_ > 1)
        painter.fillRect(QRect(x + static_cast<int>(i) * advance_, baseline - metrics_.tmAscent, advance_ - 1,
                               metrics_.tmAscent),
                         color);
    }
  }

 private:
  int32_t advance_ = 1;
};

// The engine is process-wide so that layout tests can swap it; faces are
// cached because every font change re-measures.
struct EngineState {
  FontEngineKind kind = FontEngineKind::Real;
  uint32_t generation = 1;
  std::map<FontRequest, std::shared_ptr<const FontFace>> faces;
};

EngineState& Engine() {
  static EngineState state;
  return state;
}

}  // namespace

void SetFontEngine(FontEngineKind kind) {
  auto& engine = Engine();
  if (engine.kind == kind) return;
  engine.kind = kind;
  engine.faces.clear();
  ++engine.generation;
}

FontEngineKind CurrentFontEngine() { return Engine().kind; }

uint32_t FontEngineGeneration() { return Engine().generation; }

std::shared_ptr<const FontFace> OpenFontFace(const FontRequest& request) {
  auto& engine = Engine();
  auto& slot = engine.faces[request];
  if (slot == nullptr) {
    if (engine.kind == FontEngineKind::FixedPitch) {
      slot = std::make_shared<FixedPitchFace>(request);
    } else {
      EnsureQtApplication();
      slot = std::make_shared<QtFontFace>(request);
    }
  }
  return slot;
}

std::string SubstituteFaceName(std::string_view windowsName) {
  std::string key(windowsName);
  std::transform(key.begin(), key.end(), key.begin(), [](unsigned char c) { return std::tolower(c); });
  static const std::map<std::string, std::string> substitutes = {
      {"ms sans serif", "Liberation Sans"},  {"arial", "Liberation Sans"},
      {"arial ce", "Liberation Sans"},       {"system", "Liberation Sans"},
      {"times new roman", "Liberation Serif"}, {"courier new", "Liberation Mono"},
      {"courier", "Liberation Mono"}};
  const auto it = substitutes.find(key);
  return it != substitutes.end() ? it->second : std::string(windowsName);
}

}  // namespace cl
