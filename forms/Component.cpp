#include "forms/Component.h"

#include <algorithm>

namespace forms {

TComponent::TComponent(TComponent* owner, std::string name) : name_(std::move(name)) {
    if (owner) {
        designing_ = owner->Designing();
        owner->Insert(this);
    }
}

TComponent::~TComponent() {
    destroying_ = true;
    // Tell those that asked, then forget them, so none keeps a dangling pointer.
    auto notifies = std::move(freeNotifies_);
    for (TComponent* c : notifies) {
        c->RemoveFreeNotification(this);
        c->Notification(this, TOperation::opRemove);
    }
    while (!components_.empty()) Free(components_.back());
    if (owner_) owner_->Remove(this);
}

void TComponent::Free(TComponent* component) {
    if (!component || component->destroying_) return;
    component->destroying_ = true;
    component->BeforeDestruction();
    delete component;
}

void TComponent::BeforeDestruction() {}

void TComponent::SetDesigning(bool value) {
    designing_ = value;
    for (TComponent* c : components_) c->SetDesigning(value);
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) == other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    std::erase(other->freeNotifies_, this);
    std::erase(freeNotifies_, other);
}

void TComponent::Notification(TComponent*, TOperation) {}

void TComponent::Insert(TComponent* component) {
    components_.push_back(component);
    component->owner_ = this;
}

void TComponent::Remove(TComponent* component) {
    std::erase(components_, component);
    component->owner_ = nullptr;
    Notification(component, TOperation::opRemove);
}

}  // namespace forms
