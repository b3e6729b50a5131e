#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/exception.h"
#include "platform/core/object.h"

namespace cl {

class EStringListError : public Exception {
 public:
  using Exception::Exception;
};

// The class library's abstract list of strings, each with an optional object.
// Controls' item lists implement it too. Comparisons are case-insensitive in
// the one code page 1250 order of AnsiCompareText.
class TStrings : public TObject {
 public:
  // The primitives an implementation provides.
  virtual int Count() const = 0;
  virtual std::string Get(int index) const = 0;
  virtual void Put(int index, std::string_view text);
  virtual TObject* GetObject(int index) const = 0;
  virtual void PutObject(int index, TObject* object) = 0;
  virtual void InsertObject(int index, std::string_view text, TObject* object) = 0;
  virtual void Delete(int index) = 0;
  virtual void Clear() = 0;

  // Returns the index the entry got.
  virtual int Add(std::string_view text);
  virtual int AddObject(std::string_view text, TObject* object);
  void Insert(int index, std::string_view text) { InsertObject(index, text, nullptr); }
  virtual int IndexOf(std::string_view text) const;
  int IndexOfObject(const TObject* object) const;
  void AddStrings(const TStrings& source);
  // Replaces the entries by copies of the source's strings and object pointers.
  void Assign(const TStrings& source);
  virtual void Exchange(int a, int b);
  virtual void Move(int from, int to);

  std::string Strings(int index) const { return Get(index); }
  std::string operator[](int index) const { return Get(index); }
  TObject* Objects(int index) const { return GetObject(index); }

  // Every line followed by CR LF.
  std::string Text() const;
  // Replaces the entries by the lines of text (ended by CR, LF or CR LF; a last
  // line without an end counts too).
  void SetText(std::string_view text);

  // Nested calls; the outermost pair brackets a batch of changes.
  void BeginUpdate();
  void EndUpdate();
  bool Updating() const { return updateCount_ > 0; }

 protected:
  virtual void SetUpdateState(bool /*updating*/) {}

 private:
  int updateCount_ = 0;
};

// A batch of changes to a list: BeginUpdate now, EndUpdate on every way out,
// so an exception never leaves the list in update mode.
class TStringsUpdate {
 public:
  explicit TStringsUpdate(TStrings& strings) : strings_(strings) { strings_.BeginUpdate(); }
  ~TStringsUpdate() { strings_.EndUpdate(); }
  TStringsUpdate(const TStringsUpdate&) = delete;
  TStringsUpdate& operator=(const TStringsUpdate&) = delete;

 private:
  TStrings& strings_;
};

enum class TDuplicates { dupIgnore, dupAccept, dupError };

// The class library's string list. Sorted lists keep the AnsiCompareText order
// (or byte order when CaseSensitive) and refuse Insert at a chosen index.
// With OwnsObjects the list deletes an entry's object when the entry is
// deleted, cleared or its object replaced, and when the list is destroyed.
class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool ownsObjects) : ownsObjects_(ownsObjects) {}
  TStringList(const TStringList&) = delete;
  TStringList& operator=(const TStringList&) = delete;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(entries_.size()); }
  std::string Get(int index) const override;
  void Put(int index, std::string_view text) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* object) override;
  void InsertObject(int index, std::string_view text, TObject* object) override;
  void Delete(int index) override;
  void Clear() override;

  // On a sorted list an entry goes to its place. A duplicate is then dropped
  // (dupIgnore: the index of the entry already there is returned and the
  // object is not taken, the caller still owns it) or refused (dupError:
  // EStringListError).
  int AddObject(std::string_view text, TObject* object) override;
  int IndexOf(std::string_view text) const override;
  void Exchange(int a, int b) override;
  void Move(int from, int to) override;

  // Binary search of a sorted list: true when found; index is the first
  // match, or where the text would go.
  bool Find(std::string_view text, int& index) const;
  void Sort();

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates duplicates) { duplicates_ = duplicates; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool caseSensitive);
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool ownsObjects) { ownsObjects_ = ownsObjects; }

  // Removes an entry's object from the list without deleting it.
  TObject* ExtractObject(int index);

 private:
  struct Entry {
    std::string text;
    TObject* object;
  };

  int Compare(std::string_view a, std::string_view b) const;
  std::size_t Checked(int index) const;
  void ReleaseObject(TObject* object) const;

  std::vector<Entry> entries_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool ownsObjects_ = false;
  TDuplicates duplicates_ = TDuplicates::dupIgnore;
};

}  // namespace cl
