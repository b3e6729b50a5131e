#pragma once

#include <cstdint>

namespace html {

// The one-byte codes of tags, end tags, attributes and token kinds: the
// contract between the tokenizer, the parser and every class that reads an
// attribute list. A tag and an attribute of the same name share their code;
// attribute codes may equal other symbols (TEXT is TextSy), which never meet
// because attribute codes only appear inside attribute lists.
enum HtmlSymbol : std::uint8_t {
  // Tags with an end tag.
  HtmlSy = 0, HtmlEndSy = 10,
  TitleSy = 1, TitleEndSy = 11,
  BodySy = 2, BodyEndSy = 12,
  HeadSy = 3, HeadEndSy = 13,
  PSy = 4, PEndSy = 5,
  BSy = 6, BEndSy = 7,
  ISy = 8, IEndSy = 9,
  HSy = 15, HEndSy = 16,  // H1..H6; the level is in HeadingLevel
  EmSy = 17, EmEndSy = 18,
  StrongSy = 19, StrongEndSy = 20,
  USy = 21, UEndSy = 22,
  CiteSy = 24, CiteEndSy = 26,
  VarSy = 25, VarEndSy = 27,
  TTSy = 29, TTEndSy = 33,
  CodeSy = 30, CodeEndSy = 34,
  KbdSy = 31, KbdEndSy = 35,
  SampSy = 32, SampEndSy = 36,
  OLSy = 37, OLEndSy = 38,
  ULSy = 40, ULEndSy = 41,
  DirSy = 42, DirEndSy = 43,
  MenuSy = 44, MenuEndSy = 45,
  DLSy = 46, DLEndSy = 47,
  AddressSy = 50, AddressEndSy = 51,
  BlockQuoteSy = 52, BlockQuoteEndSy = 53,
  PreSy = 54, PreEndSy = 55,
  CenterSy = 57, CenterEndSy = 58,
  ASy = 60, AEndSy = 61,
  TableSy = 75, TableEndSy = 76,
  TDSy = 77, TDEndSy = 78,
  TRSy = 79, TREndSy = 80,
  THSy = 81, THEndSy = 82,
  CaptionSy = 90, CaptionEndSy = 91,
  FormSy = 99, FormEndSy = 100,
  TextAreaSy = 106, TextAreaEndSy = 107,
  SelectSy = 110, SelectEndSy = 111,
  OptionSy = 112, OptionEndSy = 113,
  FontSy = 116, FontEndSy = 117,
  SubSy = 122, SubEndSy = 123,
  SupSy = 124, SupEndSy = 125,
  BigSy = 128, BigEndSy = 129,
  SmallSy = 130, SmallEndSy = 131,
  MapSy = 133, MapEndSy = 134,
  FrameSetSy = 142, FrameSetEndSy = 143,
  NoFramesSy = 146, NoFramesEndSy = 147,
  ScriptSy = 152, ScriptEndSy = 153,
  DivSy = 155, DivEndSy = 156,
  SSy = 157, SEndSy = 158,
  StrikeSy = 159, StrikeEndSy = 160,

  // Tags without an end tag.
  BRSy = 14, HRSy = 23, BaseSy = 28, LISy = 39, DDSy = 48, DTSy = 49, ImageSy = 56,
  ButtonSy = 93, InputSy = 94, SelectedSy = 114, BaseFontSy = 120, AreaSy = 135,
  FrameSy = 144, PageSy = 150, BgSoundSy = 164, WrapSy = 167, MetaSy = 169,

  // Attributes (SELECTED and WRAP are the tags' codes above).
  HrefSy = 62, NameSy = 63, SrcSy = 64, AltSy = 65, AlignSy = 66,
  LinkSy = 72, BGColorSy = 73, BackgroundSy = 74,
  ColSpanSy = 83, RowSpanSy = 84, BorderSy = 85, CellPaddingSy = 86, CellSpacingSy = 87,
  VAlignSy = 88, WidthSy = 89, StartSy = 92, ValueSy = 95, TypeSy = 96,
  CheckBoxSy = 97, RadioSy = 98, MethodSy = 101, ActionSy = 102, CheckedSy = 103,
  SizeSy = 104, MaxLengthSy = 105, ColsSy = 108, RowsSy = 109, MultipleSy = 115,
  ColorSy = 118, FaceSy = 119, TranspSy = 121, ClearSy = 126, IsMapSy = 127,
  BorderColorSy = 132, ShapeSy = 136, CoordsSy = 137, NoHrefSy = 138, UseMapSy = 139,
  HeightSy = 140, PlainSy = 141, TargetSy = 145, NoResizeSy = 148, ScrollingSy = 149,
  HSpaceSy = 151, LanguageSy = 154, FrameBorderSy = 161, MarginWidthSy = 162,
  MarginHeightSy = 163, LoopSy = 165, OnClickSy = 166, NoShadeSy = 168,
  HttpEqvSy = 170, ContentSy = 171, EncTypeSy = 172,

  // Token kinds.
  UnknownAttrSy = 59,  // attribute name not in the attribute table
  OtherCharSy = 67,    // one character that starts no other token
  UnknownTagSy = 69,   // unknown tag, or end tag of a tag without one
  TextSy = 70,         // a run of text or one entity character (also the TEXT attribute)
  EofSy = 71,          // end of input
  EolSy = 173,         // end of line, from the TEXTAREA and SCRIPT readers only
};

}  // namespace html
