#include "platform/component.h"

#include "text/ascii.h"

#include <algorithm>

namespace lt {

TComponent::TComponent(TComponent* owner)
{
    if (owner)
        owner->insert(this);
}

TComponent::~TComponent()
{
    // Tell everyone who asked, then free what we own, newest first.
    std::vector<TComponent*> notify;
    notify.swap(free_notifies_);
    for (TComponent* c : notify) {
        auto& back = c->free_notifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
        c->Notification(this, TOperation::opRemove);
    }
    while (!components_.empty()) {
        TComponent* c = components_.back();
        delete c; // its destructor removes it from components_
    }
    if (owner_)
        owner_->remove(this);
}

TComponent* TComponent::FindComponent(const std::string& name) const
{
    if (name.empty())
        return nullptr;
    for (TComponent* c : components_)
        if (ascii_iequals(c->name_, name))
            return c;
    return nullptr;
}

void TComponent::FreeNotification(TComponent* other)
{
    if (!other || other == this)
        return;
    if (std::find(other->free_notifies_.begin(), other->free_notifies_.end(), this) == other->free_notifies_.end()) {
        other->free_notifies_.push_back(this);
        free_notifies_.push_back(other);
    }
}

void TComponent::RemoveFreeNotification(TComponent* other)
{
    if (!other)
        return;
    auto& a = other->free_notifies_;
    a.erase(std::remove(a.begin(), a.end(), this), a.end());
    auto& b = free_notifies_;
    b.erase(std::remove(b.begin(), b.end(), other), b.end());
}

void TComponent::Notification(TComponent*, TOperation)
{ }

void TComponent::insert(TComponent* c)
{
    components_.push_back(c);
    c->owner_ = this;
    Notification(c, TOperation::opInsert);
}

void TComponent::remove(TComponent* c)
{
    auto it = std::find(components_.begin(), components_.end(), c);
    if (it == components_.end())
        return;
    components_.erase(it);
    c->owner_ = nullptr;
    Notification(c, TOperation::opRemove);
}

} // namespace lt
