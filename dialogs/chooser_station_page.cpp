// The chooser's station page: the choice of station lists, the stations of
// the chosen list and how their rows are drawn.
#include "dialogs/chooser_station_page.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/address_items.h"
#include "dialogs/address_selection.h"
#include "dialogs/chooser_controls.h"
#include "dialogs/chooser_host.h"
#include "dialogs/chooser_menu_item.h"
#include "dialogs/chooser_rows.h"
#include "dialogs/chooser_settings.h"
#include "dialogs/config_font.h"
#include "dialogs/disk.h"
#include "dialogs/glyph_strip.h"
#include "dialogs/message_shortcuts.h"
#include "dialogs/owned_rows.h"
#include "dialogs/suite_texts.h"
#include "platform/core/ansi_case.h"
#include "platform/core/file_names.h"
#include "platform/core/file_system.h"
#include "platform/core/find_file.h"
#include "platform/gui/button.h"
#include "platform/gui/combo_box.h"
#include "platform/gui/gdi_constants.h"
#include "platform/gui/header.h"
#include "platform/gui/owner_draw_list_box.h"
#include "suite/brancfg/brancfg.h"
#include "suite/branlst/branlst.h"
#include "utility/date_texts.h"
#include "utility/station_id.h"

namespace dlg {

namespace {

constexpr cl::TColor WeekendColour = 0x0000FF;
constexpr utl::tSID RefusedStation = 0x10FFD0;

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

tStationPage::tStationPage(cl::TWinControl& page, const tDisk& disk, tChooserHost& host)
    : tChooserPage(disk, host) {
  sidCBoxUTO_ = cl::Make<cl::TComboBox>(*this);
  sidCBoxUTO_->SetName("sidCBoxUTO");
  sidCBoxUTO_->SetParent(&page);
  sidCBoxUTO_->SetBounds(4, 4, 300, 21);
  sidCBoxUTO_->SetStyle(cl::csDropDownList);
  sidCBoxUTO_->SetSorted(true);
  sidCBoxUTO_->SetShowHint(true);
  sidCBoxUTO_->SetHint(SuiteText(20572));
  sidCBoxUTO_->OnChange = [this](cl::TObject*) { StationListChanged(); };
  bitBtnNET_ = MakeChooserButton(*this, page, "BitBtnNET", 310, 2);
  MakeColumns(page, "sidHeader", "sidLBox", false);
}

void tStationPage::BuildMenu(cl::TMenuItem& parent) {
  AddMenuItem(parent, "PMnu_UTO", 20591, 'U', cl::ssAlt, [this] {
    if (host_.CurrentPage() == Index) sidCBoxUTO_->SetFocus();
  });
}

void tStationPage::Prepare(const std::string& headerFile) {
  LoadFontFromConfig(11, sidCBoxUTO_->Font());
  sidCBoxUTO_->SetItemIndex(-1);
  ApplyLayout(headerFile, HeaderBase);
  listCode_ = -1;
  FillStationListChoice(CFGGETINTEGER(tChooserSetting::StationList));
  bitBtnNET_->Hide();
}

// ---------------------------------------------------------------- lists

void tStationPage::FillStationListChoice(std::int32_t wantedCode) {
  SIDCCLOSEFILES();
  sidCBoxUTO_->Items().Clear();
  const std::string base = disk_.StationListBase();
  const std::string baseName = base.substr(base.find_last_of("/\\") + 1);
  std::vector<std::uint16_t> codes;
  // Files only: a directory of a list's name is no list.
  for (const win::FindData& found : win::FindFiles(base + ".*"))
    if ((found.attributes & win::FILE_ATTRIBUTE_DIRECTORY) == 0)
      if (const auto code = StationListCodeOf(found.name, baseName)) codes.push_back(*code);
  for (const std::uint16_t code : codes) {
    ShortString name{};
    const bool valid = SIDCCHECKBKLSTFILE(code, &name) == 0;
    sidCBoxUTO_->Items().Add(valid ? utl::STRUTOCODE(code) + ": " + name.Str() : SuiteText(20613));
  }
  SetStationListCode(static_cast<std::int16_t>(wantedCode));
}

void tStationPage::SetStationListCode(std::int16_t code) {
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

void tStationPage::StationListChanged() {
  host_.ResetDrawCache();
  const std::string text = sidCBoxUTO_->Text();
  const std::uint16_t code = utl::UTOCODETOEXTCODE(utl::VALUTOCODE(text.substr(0, text.find(':'))));
  if (code < 1000 && code != listCode_) {
    listCode_ = static_cast<std::int16_t>(code);
    FillStations(listCode_, host_.ModeFlags());
  }
}

void tStationPage::FillStations(std::int16_t code, std::uint8_t flags) {
  cl::TStrings& rows = list_->Items();
  {
    const cl::TStringsUpdate update(rows);
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
      // A list that fails part way ends the filling without a word: the
      // stations read so far show.
    }
  }
  RefreshMarks();
}

bool tStationPage::Refuses(const cl::TObject& row) const {
  const auto* station = dynamic_cast<const tADRitem*>(&row);
  if (station == nullptr || utl::CMPSID(station->Point.stationId, RefusedStation) != 0) return false;
  ErrorText(20556);
  return true;
}

std::unique_ptr<tBKAddressItem> tStationPage::AddressOfRow(const cl::TObject& row) const {
  if (const auto* station = dynamic_cast<const tADRitem*>(&row)) return tBKAddressItem::FromStation(*station);
  return nullptr;
}

void tStationPage::RefreshMarks() {
  // One look-up a row: ten thousand stations against a long selection.
  const auto chosen = host_.Selection().UpperCaseUrls();
  const cl::TStrings& rows = list_->Items();
  for (int i = 0; i < rows.Count(); ++i)
    if (auto* row = dynamic_cast<tADRitem*>(rows.GetObject(i)))
      row->Taken = chosen.contains(cl::AnsiUpperCase(StationUrl(*row))) ? 1 : 0;
  list_->Invalidate();
}

// ---------------------------------------------------------------- settings

void tStationPage::LoadSettings() {
  try {
    SetStationListCode(static_cast<std::int16_t>(CFGGETINTEGER(tChooserSetting::StationList)));
    ApplyRowKey(*list_, CFGGETINTEGER(tChooserSetting::StationRow));
  } catch (...) {
    // A remembered list that cannot be chosen is passed over with its row.
  }
}

void tStationPage::SaveSettings() const {
  CFGPUTINTEGER(tChooserSetting::StationList, listCode_);
  CFGPUTINTEGER(tChooserSetting::StationRow, list_->ItemIndex());
}

void tStationPage::Shown() {
  listCode_ = -1;
  StationListChanged();
  ApplyRowKey(*list_, CFGGETINTEGER(tChooserSetting::StationRow));
}

// ---------------------------------------------------------------- drawing

void tStationPage::DrawRow(int index, cl::TRect rect) {
  cl::TCanvas& canvas = list_->ItemCanvas();
  canvas.FillRect(rect);
  const auto* row = dynamic_cast<const tADRitem*>(list_->Items().GetObject(index));
  if (row == nullptr) return;
  const tGlyphStrip& glyphs = host_.Glyphs();
  const cl::TColor normal = canvas.Font().Color();
  canvas.Font().Assign(host_.RowFont());
  canvas.Font().SetColor(normal);
  canvas.Brush().SetStyle(cl::TBrushStyle::bsClear);
  const cl::TColor text = row->Taken ? cl::clGrayText : normal;
  canvas.Font().SetColor(text);
  const tStationRecord& point = row->Point;
  ColumnText(canvas, *header_, 0, rect, std::string(point.name, std::min<std::size_t>(point.nameLength, 41)));
  if (const auto column = ColumnRect(*header_, 1, rect)) {
    int offset = -1;
    if ((point.flags & 0x10) == 0) offset = (point.flags & 0x20) ? 16 : (point.flags & 0x08) ? 48 : 32;
    if (offset >= 0) glyphs.DrawCell(canvas, offset, column->Left + 8, rect.Top + 2);
  }
  if (const auto column = ColumnRect(*header_, 2, rect); column && (point.flags & 0x40))
    glyphs.DrawCell(canvas, 64, column->Left + 8, rect.Top + 2);
  canvas.Font().SetColor(normal);
  ColumnText(canvas, *header_, 3, rect,
             std::string(row->Location.place, std::min<std::size_t>(row->Location.placeLength, 24)));
  canvas.Font().SetColor(text);
  if (const auto column = ColumnRect(*header_, 4, rect)) {
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
  ColumnText(canvas, *header_, 5, rect, utl::STRMINUTE(point.fromMinute) + "-" + utl::STRMINUTE(point.toMinute));
}

}  // namespace dlg
