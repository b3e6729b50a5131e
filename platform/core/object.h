#pragma once

namespace cl {

// The class library's root object: what a list entry's object points at, and
// what an owning container deletes.
class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = default;
  TObject& operator=(const TObject&) = default;
  virtual ~TObject() = default;
};

}  // namespace cl
