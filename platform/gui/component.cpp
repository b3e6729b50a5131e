#include "platform/gui/component.h"

#include <algorithm>

#include "platform/core/ansi_case.h"

namespace cl {

TComponent::~TComponent() { DestroyComponents(); }

void TComponent::DestroyComponents() {
  while (!components_.empty()) {
    // Taken out first: a component's destructor may look at its owner's list.
    std::unique_ptr<TComponent> last = std::move(components_.back());
    components_.pop_back();
    last.reset();
  }
}

TComponent* TComponent::FindComponent(std::string_view name) const {
  for (const auto& component : components_) {
    if (!name.empty() && AnsiCompareText(component->Name(), name) == 0) return component.get();
  }
  return nullptr;
}

void TComponent::InsertComponent(std::unique_ptr<TComponent> component) {
  if (component == nullptr) return;
  if (component->owner_ != nullptr && component->owner_ != this) {
    // The same object moves here; the old owner's handle must not free it.
    std::unique_ptr<TComponent> old = component->owner_->RemoveComponent(component.get());
    (void)old.release();
  }
  component->owner_ = this;
  components_.push_back(std::move(component));
}

std::unique_ptr<TComponent> TComponent::RemoveComponent(TComponent* component) {
  const auto it = std::find_if(components_.begin(), components_.end(),
                               [component](const auto& owned) { return owned.get() == component; });
  if (it == components_.end()) return nullptr;
  std::unique_ptr<TComponent> removed = std::move(*it);
  components_.erase(it);
  return removed;
}

void FreeComponent(TComponent* component) {
  if (component == nullptr) return;
  if (component->Owner() != nullptr) component->Owner()->RemoveComponent(component).reset();
}

}  // namespace cl
