#pragma once

#include <memory>

#include "platform/gui/bitmap.h"
#include "platform/gui/screen.h"

namespace html {

// The image code's own small drawings, 16x16.
std::unique_ptr<cl::TBitmap> MakeDefaultBitmap();    // a picture still to come
std::unique_ptr<cl::TBitmap> MakeErrorBitmap();      // a picture that could not be loaded
std::unique_ptr<cl::TBitmap> MakeErrorBitmapMask();  // monochrome, 1 where transparent

// The cursors over links (a pointing hand) and over text (an I-beam).
std::unique_ptr<cl::TCursorShape> MakeLinkCursor();
std::unique_ptr<cl::TCursorShape> MakeTextCursor();

}  // namespace html
