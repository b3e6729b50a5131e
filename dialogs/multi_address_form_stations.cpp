// The chooser's station page: the choice of station lists, the stations of
// the chosen list and how their rows are drawn.
#include <algorithm>
#include <filesystem>
#include <unordered_set>

#include "dialogs/chooser_rows.h"
#include "dialogs/multi_address_form.h"
#include "dialogs/owned_rows.h"
#include "dialogs/suite_texts.h"
#include "platform/core/ansi_case.h"
#include "platform/core/file_names.h"
#include "platform/gui/bitmap.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"
#include "suite/brangly/brangly.h"
#include "suite/branlst/branlst.h"
#include "utility/date_texts.h"
#include "utility/station_id.h"
#include "utility/station_url.h"

namespace dlg {

namespace {

constexpr cl::TColor WeekendColour = 0x0000FF;

// The list code of a station-list file name, BKlst.<ddd>; nothing for any
// other name (a BKlst.bak beside the lists is no list).
std::optional<std::uint16_t> StationListCodeOf(std::string_view fileName, std::string_view baseName) {
  if (fileName.size() != baseName.size() + 4) return std::nullopt;
  if (!win::SameNameIgnoringCase(std::string(fileName.substr(0, baseName.size())), std::string(baseName)))
    return std::nullopt;
  if (fileName[baseName.size()] != '.') return std::nullopt;
  std::uint16_t code = 0;
  for (const char c : fileName.substr(baseName.size() + 1)) {
    if (c < '0' || c > '9') return std::nullopt;
    code = static_cast<std::uint16_t>(code * 10 + (c - '0'));
  }
  return code;
}

// The URL the selection holds for the station: with the station's own
// country, as the added address has it (a list of another country's stations
// would never show as taken under the default one).
std::string StationUrl(const tADRitem& row) { return tBKAddressItem::FromStation(row)->Url; }

}  // namespace

tGlyphStrip::tGlyphStrip() {
  cl::TBitmap strip;
  strip.SetHandle(GLYPH("ADRMARKS"));
  if (strip.Empty()) return;
  width_ = strip.Width();
  height_ = strip.Height();
  pixels_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_));
  cl::TCanvas& canvas = strip.Canvas();
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      pixels_[static_cast<std::size_t>(y * width_ + x)] = static_cast<std::uint32_t>(canvas.GetPixel(x, y));
}

void tGlyphStrip::DrawCell(cl::TCanvas& canvas, int offset, int x, int y) const {
  if (offset < 0 || offset + height_ > width_) return;
  for (int row = 0; row < height_; ++row) {
    for (int column = 0; column < height_; ++column) {
      const std::uint32_t colour = pixels_[static_cast<std::size_t>(row * width_ + offset + column)];
      if (colour != static_cast<std::uint32_t>(GlyphTransparent))
        canvas.SetPixel(x + column, y + row, static_cast<cl::TColor>(colour));
    }
  }
}

// ---------------------------------------------------------------- lists

void tMultiAddressForm::FillStationListChoice(std::int32_t wantedCode) {
  SIDCCLOSEFILES();
  sidCBoxUTO_->Items().Clear();
  const std::string base = disk_.StationListBase();
  const std::size_t slash = base.find_last_of("/\\");
  const std::string directory = base.substr(0, slash + 1);
  const std::string baseName = base.substr(slash + 1);
  if (const auto native = win::NativeName(directory)) {
    std::error_code error;
    std::vector<std::uint16_t> codes;
    for (std::filesystem::directory_iterator it(*native, error), end; !error && it != end; it.increment(error)) {
      const auto name = win::SystemName(it->path().filename().string());
      if (!name) continue;
      if (const auto code = StationListCodeOf(*name, baseName)) codes.push_back(*code);
    }
    for (const std::uint16_t code : codes) {
      ShortString name{};
      const bool valid = SIDCCHECKBKLSTFILE(code, &name) == 0;
      sidCBoxUTO_->Items().Add(valid ? utl::STRUTOCODE(code) + ": " + name.Str() : SuiteText(20613));
    }
  }
  SetStationListCode(static_cast<std::int16_t>(wantedCode));
}

void tMultiAddressForm::SetStationListCode(std::int16_t code) {
  if (code == listCode_) return;
  listCode_ = code;
  const std::string text = utl::STRUTOCODE(utl::UTOCODETOEXTCODE(static_cast<std::uint16_t>(code)));
  cl::TStrings& entries = sidCBoxUTO_->Items();
  int chosen = entries.Count() > 0 ? 0 : -1;
  for (int i = 0; i < entries.Count(); ++i) {
    if (entries.Get(i).compare(0, 2, text) == 0) {
      chosen = i;
      break;
    }
  }
  sidCBoxUTO_->SetItemIndex(chosen);
}

void tMultiAddressForm::StationListChanged() {
  ResetDrawCache();
  const std::string text = sidCBoxUTO_->Text();
  const std::uint16_t code = utl::UTOCODETOEXTCODE(utl::VALUTOCODE(text.substr(0, text.find(':'))));
  if (code < 1000 && code != listCode_) {
    listCode_ = static_cast<std::int16_t>(code);
    FillStations(listCode_, modeFlags_);
  }
}

void tMultiAddressForm::FillStations(std::int16_t code, std::uint8_t flags) {
  cl::TStrings& rows = sidLBox_->Items();
  rows.BeginUpdate();
  ClearOwnedRows(rows);
  try {
    SIDCCLOSEFILES();
    const std::int32_t count = code < 0 ? 0 : SIDCGETBKLSTCOUNT(static_cast<std::uint16_t>(code));
    for (std::int32_t index = 0; index < count; ++index) {
      auto row = std::make_unique<tADRitem>();
      ShortString country{};
      if (SIDCGETPOINTBYIDX(static_cast<std::uint16_t>(code), index, &row->Point, &row->Location, &country) != 0)
        continue;
      row->Country.Assign(country.Str());
      const bool access = SIDCHASACCESS(&row->Point.access) != 0;
      const bool offered = (flags & ModeNetworkStations) ? access && (row->Point.flags & 0x40) != 0
                                                          : access && (flags & ModeAllStations) != 0;
      if (!offered) continue;
      const std::string name(row->Point.name, std::min<std::size_t>(row->Point.nameLength, 41));
      AddOwnedRow(rows, name, std::move(row));
    }
  } catch (...) {
    // A list that fails part way shows what was read.
  }
  rows.EndUpdate();
  RefreshStationMarks();
}

bool tMultiAddressForm::IsInSelection(std::string_view url) const { return selLBox_->Items().IndexOf(url) >= 0; }

void tMultiAddressForm::RefreshStationMarks() {
  // One look-up a row: ten thousand stations against a long selection.
  std::unordered_set<std::string> chosen;
  const cl::TStrings& selection = selLBox_->Items();
  for (int i = 0; i < selection.Count(); ++i) chosen.insert(cl::AnsiUpperCase(selection.Get(i)));
  const cl::TStrings& rows = sidLBox_->Items();
  for (int i = 0; i < rows.Count(); ++i)
    if (auto* row = dynamic_cast<tADRitem*>(rows.GetObject(i)))
      row->Taken = chosen.contains(cl::AnsiUpperCase(StationUrl(*row))) ? 1 : 0;
  sidLBox_->Invalidate();
}

// ---------------------------------------------------------------- drawing

void tMultiAddressForm::DrawStationRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = sidLBox_->ItemCanvas();
  canvas.FillRect(rect);
  const auto* row = dynamic_cast<const tADRitem*>(sidLBox_->Items().GetObject(index));
  if (row == nullptr) return;
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(rowFont_);
  canvas.Font().SetColor(normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const cl::TColor text = row->Taken ? cl::clGrayText : normal;
  canvas.Font().SetColor(text);
  const tStationRecord& point = row->Point;
  ColumnText(canvas, *sidHeader_, 0, rect, std::string(point.name, std::min<std::size_t>(point.nameLength, 41)));
  if (const auto column = ColumnRect(*sidHeader_, 1, rect)) {
    int offset = -1;
    if ((point.flags & 0x10) == 0) offset = (point.flags & 0x20) ? 16 : (point.flags & 0x08) ? 48 : 32;
    if (offset >= 0) glyphs_.DrawCell(canvas, offset, column->Left + 8, rect.Top + 2);
  }
  if (const auto column = ColumnRect(*sidHeader_, 2, rect); column && (point.flags & 0x40))
    glyphs_.DrawCell(canvas, 64, column->Left + 8, rect.Top + 2);
  canvas.Font().SetColor(normal);
  ColumnText(canvas, *sidHeader_, 3, rect,
             std::string(row->Location.place, std::min<std::size_t>(row->Location.placeLength, 24)));
  canvas.Font().SetColor(text);
  if (const auto column = ColumnRect(*sidHeader_, 4, rect)) {
    const std::string week = utl::STRWEEKLONG(point.weekMask);
    const int32_t slot = canvas.TextWidth("m1");
    for (int day = 0; day < 7; ++day) {
      const std::size_t at = static_cast<std::size_t>(day) * 3;
      if (at >= week.size()) break;
      canvas.Font().SetColor(day >= 5 ? WeekendColour : text);
      const int32_t x = column->Left + day * slot + 2;
      canvas.ExtTextOut(x, rect.Top, win::ETO_CLIPPED, &*column, week.substr(at, 2));
    }
    canvas.Font().SetColor(text);
  }
  ColumnText(canvas, *sidHeader_, 5, rect, utl::STRMINUTE(point.fromMinute) + "-" + utl::STRMINUTE(point.toMinute));
}

void tMultiAddressForm::DrawSelectionRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = selLBox_->ItemCanvas();
  canvas.FillRect(rect);
  const auto* item = dynamic_cast<const tBKAddressItem*>(selLBox_->Items().GetObject(index));
  if (item == nullptr) return;
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(rowFont_);
  canvas.Font().SetColor(normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  ColumnText(canvas, *selHeader_, 0, rect, item->Url);
  ColumnText(canvas, *selHeader_, 1, rect, item->Description);
  DrawUseForGlyph(canvas, *selHeader_, 2, rect, item->UseFor);
}

void tMultiAddressForm::DrawUseForGlyph(cl::TCanvas& canvas, const cl::THeader& header, int k, cl::TRect rect,
                                        std::uint8_t useFor) const {
  const auto column = ColumnRect(header, k, rect);
  if (!column) return;
  if (useFor == 2) glyphs_.DrawCell(canvas, 80, column->Left + 8, rect.Top + 2);
  if (useFor == 3) glyphs_.DrawCell(canvas, 96, column->Left + 8, rect.Top + 2);
}

}  // namespace dlg
