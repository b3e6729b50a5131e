#include "platform/gui/bitmap.h"

#include <QBuffer>
#include <QImageReader>

#include "platform/core/exception.h"
#include "platform/core/file_handle.h"
#include "platform/core/stream.h"
#include "platform/core/unique_handle.h"
#include "platform/gui/canvas.h"
#include "platform/gui/canvas_impl.h"
#include "platform/gui/picture_budget.h"
#include "platform/gui/qt_bridge.h"

namespace cl {

TBitmap::TBitmap() = default;

TBitmap::~TBitmap() {
  canvas_.reset();
}

int32_t TBitmap::Width() const { return handle_ ? handle_->image.width() : 0; }
int32_t TBitmap::Height() const { return handle_ ? handle_->image.height() : 0; }

bool TBitmap::Monochrome() const { return handle_ && handle_->image.format() == QImage::Format_Mono; }

void TBitmap::SetSize(int32_t width, int32_t height) {
  if (width == Width() && height == Height()) return;
  if (width <= 0 || height <= 0) {
    handle_.reset();
    return;
  }
  win::UniqueBitmap resized(win::CreateBitmap(width, height, Monochrome() ? 1 : 32));
  if (!resized) throw Exception("Out of system resources");
  QImage& image = resized->image;
  image.fill(Monochrome() ? 1 : qRgb(255, 255, 255));
  if (handle_) {
    const QImage& old = handle_->image;
    for (int y = 0; y < std::min(height, old.height()); ++y)
      for (int x = 0; x < std::min(width, old.width()); ++x) {
        if (image.format() == QImage::Format_Mono)
          image.setPixel(x, y, old.pixelIndex(x, y));
        else
          image.setPixel(x, y, old.pixel(x, y));
      }
  }
  handle_ = std::move(resized);
}

void TBitmap::SetMonochrome(bool monochrome) {
  if (monochrome == Monochrome() || !handle_) return;
  const QImage& old = handle_->image;
  win::UniqueBitmap converted(win::CreateBitmap(old.width(), old.height(), monochrome ? 1 : 32));
  if (!converted) throw Exception("Out of system resources");
  for (int y = 0; y < old.height(); ++y)
    for (int x = 0; x < old.width(); ++x) {
      if (monochrome)
        converted->image.setPixel(x, y, (old.pixel(x, y) & 0xFFFFFF) == 0xFFFFFF ? 1 : 0);
      else
        converted->image.setPixel(x, y, old.pixel(x, y));
    }
  handle_ = std::move(converted);
}

void TBitmap::SetHandle(win::HBITMAP handle) {
  if (handle == handle_.get()) return;
  handle_.reset(handle);
}

void TBitmap::SetPalette(win::HPALETTE palette) {
  if (palette == palette_.get()) return;
  palette_.reset(palette);
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    auto target = std::make_unique<TCanvas::Target>();
    target->kind = TCanvas::Target::Kind::Bitmap;
    target->owner = this;
    canvas_ = CanvasAccess::Create(std::move(target));
  }
  return *canvas_;
}

void TBitmap::LoadFromMemory(const void* data, std::size_t size) {
  // Qt's reader would make every pixel a hostile header claims.
  if (!BmpClaimIsPlausible(static_cast<const uint8_t*>(data), size)) throw Exception("Bitmap image is not valid");
  QByteArray bytes(static_cast<const char*>(data), static_cast<qsizetype>(size));
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer, "BMP");
  QImage image = reader.read();
  if (image.isNull()) throw Exception("Bitmap image is not valid");
  win::UniquePalette palette;
  const QList<QRgb> table = image.colorTable();
  if (image.format() != QImage::Format_Mono && image.format() != QImage::Format_MonoLSB && !table.isEmpty() &&
      table.size() <= 256) {
    std::vector<win::PALETTEENTRY> entries;
    for (const QRgb c : table)
      entries.push_back({static_cast<uint8_t>(qRed(c)), static_cast<uint8_t>(qGreen(c)),
                         static_cast<uint8_t>(qBlue(c)), 0});
    palette.reset(win::CreatePalette(0x300, entries));
  }
  win::UniqueBitmap handle(win::CreateBitmapFromImage(image));
  if (!handle) throw Exception("Bitmap image is not valid");
  SetHandle(handle.release());
  SetPalette(palette.release());
}

void TBitmap::LoadFromStream(TStream& stream) {
  const int64_t rest = stream.Size() - stream.Position();
  if (rest <= 0 || rest > 0x7FFFFFFF) throw Exception("Bitmap image is not valid");
  std::vector<char> data(static_cast<size_t>(rest));
  stream.ReadBuffer(data.data(), static_cast<int32_t>(rest));
  LoadFromMemory(data.data(), data.size());
}

void TBitmap::LoadFromFile(const std::string& fileName) {
  win::UniqueHandle file(win::CreateFile(fileName, win::GENERIC_READ, win::FILE_SHARE_READ, win::OPEN_EXISTING));
  if (!file.IsOpen()) throw EFOpenError("Cannot open file " + fileName);
  std::vector<char> data;
  int64_t size = 0;
  uint32_t done = 0;
  const bool read = win::GetFileSize(file.Get(), &size) && size >= 0 && size <= 0x7FFFFFFF &&
                    (data.resize(static_cast<size_t>(size)), size == 0 ||
                     (win::ReadFile(file.Get(), data.data(), static_cast<uint32_t>(size), &done) && done == size));
  file.Close();
  if (!read) throw EReadError("Stream read error");
  LoadFromMemory(data.data(), data.size());
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  SetHandle(win::CopyBitmap(source.Handle()));
  std::vector<win::PALETTEENTRY> entries(static_cast<size_t>(win::PaletteEntryCount(source.Palette())));
  if (!entries.empty()) win::GetPaletteEntries(source.Palette(), 0, static_cast<int>(entries.size()), entries.data());
  SetPalette(entries.empty() ? nullptr : win::CreatePalette(0x300, entries));
}

}  // namespace cl
