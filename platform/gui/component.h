#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/core/object.h"

namespace cl {

// The class library's component: an owner that frees what it owns (last made
// first) and a name by which forms and tests find their parts.
class TComponent : public TObject {
 public:
  explicit TComponent(TComponent* owner) : owner_(owner) {}
  ~TComponent() override;
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  const std::string& Name() const { return name_; }
  virtual void SetName(std::string name) { name_ = std::move(name); }
  // A component owned here (directly) with the name, compared ignoring case.
  TComponent* FindComponent(std::string_view name) const;
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)).get(); }

  // Takes ownership; the component's Owner() becomes this.
  void InsertComponent(std::unique_ptr<TComponent> component);
  // Gives up ownership of an owned component (null when not owned here).
  std::unique_ptr<TComponent> RemoveComponent(TComponent* component);
  // Frees the owned components now, last first.
  void DestroyComponents();

  int Tag = 0;

 private:
  TComponent* owner_;
  std::string name_;
  std::vector<std::unique_ptr<TComponent>> components_;
};

// Makes a T owned by owner (which must not be null; an ownerless component is
// a std::unique_ptr of its maker's).
template <class T, class... Args>
T* Make(TComponent& owner, Args&&... args) {
  auto made = std::make_unique<T>(&owner, std::forward<Args>(args)...);
  T* const result = made.get();
  owner.InsertComponent(std::move(made));
  return result;
}

// Frees an owned component now (nothing for one its owner does not hold).
void FreeComponent(TComponent* component);

}  // namespace cl
