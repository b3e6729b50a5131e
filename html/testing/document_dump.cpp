#include "html/testing/document_dump.h"

#include <cxxabi.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <typeinfo>

#include "html/document/cell.h"
#include "html/document/text_section.h"

namespace html {

namespace {


std::string Visible(const std::string& text) {
  std::string out;
  for (const char c : text) {
    if (c == TSection::ImageMark)
      out += "[img]";
    else if (c == TSection::ControlMark)
      out += "[ctl]";
    else
      out += c;
  }
  return out;
}

}  // namespace

std::string DumpLines(const TSectionBase& section) {
  std::ostringstream out;
  if (const auto* text = dynamic_cast<const TSection*>(&section))
    for (const LineRec& line : text->Lines)
      out << (out.tellp() > 0 ? " " : "") << line.Start << "+" << line.Ln << "@" << line.LineIndent;
  return out.str();
}

std::string DumpSection(const TSectionBase& section) {
  std::ostringstream out;
  out << SectionKind(section) << " pos=" << section.FirstPos << "+" << section.PosCount << " y=" << section.PlacedY
      << " h=" << section.FlowHeight << "/" << section.PaintHeight;
  if (section.Dropped) out << " dropped";
  const auto* text = dynamic_cast<const TSection*>(&section);
  if (!text) return out.str() + "\n";
  out << " level=" << text->ListLevel << " justify=" << int(text->Justify) << " list=" << int(text->ListType)
      << " text=\"" << Visible(text->Buff) << "\"\n";
  for (const auto& run : text->Fonts)
    out << "  run " << run->StartPos << " " << run->RunFont->Name() << " " << run->RunFont->Size() << "pt style="
        << int(run->RunFont->Style()) << " script=" << int(run->ScriptMode) << " lh=" << run->LineHeight
        << (run->Link->Url.empty() ? "" : " link=" + run->Link->Url) << "\n";
  for (const LineRec& line : text->Lines)
    out << "  line " << line.Start << "+" << line.Ln << " indent=" << line.LineIndent << " ht=" << line.LineHt
        << " desc=" << line.LineDescent << " before=" << line.SpaceBefore << " after=" << line.SpaceAfter
        << " draw=" << line.LineDrawHeight << "\n";
  return out.str();
}

std::string DumpDocument(const TCell& cell) {
  std::string out;
  for (const auto& section : cell) out += DumpSection(*section);
  return out;
}

std::string SectionKind(const TSectionBase& section) {
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(typeid(section).name(), nullptr, nullptr, &status),
                                              std::free);
  if (status != 0 || !name) return typeid(section).name();
  // The component's own classes go by their bare names.
  const std::string_view full(name.get());
  constexpr std::string_view own = "html::";
  return std::string(full.starts_with(own) ? full.substr(own.size()) : full);
}

}  // namespace html
