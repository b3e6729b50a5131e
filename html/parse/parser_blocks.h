#pragma once

#include <cstdint>
#include <memory>

#include "html/document/attributes.h"
#include "html/document/my_font.h"
#include "html/document/section_base.h"
#include "html/document/text_section.h"
#include "html/document/url_target.h"
#include "platform/gui/font.h"

namespace html {

class TSectionList;

// The block sections the parser makes, in one place.
std::unique_ptr<TSectionBase> NewParagraphSpace();
std::unique_ptr<TSectionBase> NewHeadingSpace(int32_t level);
std::unique_ptr<TSectionBase> NewHorzLine(const TAttributeList& attributes);
std::unique_ptr<TSectionBase> NewPage();
// One unwrapped line of preformatted text.
std::unique_ptr<TSection> NewPreSection(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles);
std::unique_ptr<TSection> NewOrderedItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                         cl::TFontStyles styles, char numberStyle, int32_t number);
std::unique_ptr<TSection> NewBulletItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                        cl::TFontStyles styles, bool noBullet);
std::unique_ptr<TSection> NewDefinitionItem(int32_t level, const TUrlTarget* link, const TMyFont& font,
                                            cl::TFontStyles styles);
// The document's preformatted face at 10 points.
void SetPreFont(const TSectionList& document, TMyFont& font);

}  // namespace html
