#pragma once

#include "platform/core/object.h"

namespace cl {

// The class library's base of objects that can be assigned and stored
// (fonts, graphics); what an owner holding "some picture" points at.
class TPersistent : public TObject {};

}  // namespace cl
