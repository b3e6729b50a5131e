#pragma once

#include <string>
#include <vector>

#include "platform/core/string_list.h"

namespace cl {

// The items of a list or combo box: the strings live in the control's widget
// (platform/gui's Host), each with an object pointer the list does not own.
// A sorted list inserts each new entry at its place in AnsiCompareText order.
class TControlItems : public TStrings {
 public:
  struct Host {
    virtual ~Host() = default;
    virtual void HostInsert(int index, const std::string& text) = 0;
    virtual void HostPut(int index, const std::string& text) = 0;
    virtual void HostDelete(int index) = 0;
    virtual void HostClear() = 0;
  };
  explicit TControlItems(Host& host) : host_(host) {}

  int Count() const override { return static_cast<int>(texts_.size()); }
  std::string Get(int index) const override;
  void Put(int index, std::string_view text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void InsertObject(int index, std::string_view text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;
  int Add(std::string_view text) override { return AddObject(text, nullptr); }
  int AddObject(std::string_view text, TObject* object) override;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);

 private:
  size_t Checked(int index) const;

  Host& host_;
  std::vector<std::string> texts_;
  std::vector<TObject*> objects_;
  bool sorted_ = false;
};

}  // namespace cl
