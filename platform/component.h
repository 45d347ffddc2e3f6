#pragma once
// The framework's component: an object with an owner, a name and a tag. An
// owner destroys the components it owns when it is destroyed, newest first,
// and every component told of another's removal can drop its references.

#include <cstdint>
#include <string>
#include <vector>

namespace lt {

class TComponent;

enum class TOperation { opInsert, opRemove };

class TComponent {
public:
    explicit TComponent(TComponent* owner);
    virtual ~TComponent();
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::string& Name() const { return name_; }
    void SetName(const std::string& name) { name_ = name; }
    intptr_t Tag = 0;

    int ComponentCount() const { return static_cast<int>(components_.size()); }
    TComponent* Components(int index) const { return components_.at(static_cast<size_t>(index)); }
    // Looks an owned component up by name; ASCII letters match either case,
    // every other byte must be equal.
    TComponent* FindComponent(const std::string& name) const;

    // Asks to be told (Notification with opRemove) when other is destroyed,
    // even though this component does not own it.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

protected:
    // Told when a component is inserted into or removed from this one's owner
    // list, and when a component this one asked about is destroyed.
    virtual void Notification(TComponent* component, TOperation operation);

private:
    void insert(TComponent* c);
    void remove(TComponent* c);

    TComponent* owner_ = nullptr;
    std::string name_;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> free_notifies_;
};

// Points `slot` at `value`, asking `self` to be told when it is freed (and no
// longer about the one before); `self` clears the slot in its Notification.
template <class T>
void Repoint(TComponent& self, T*& slot, T* value)
{
    if (slot == value)
        return;
    if (slot)
        self.RemoveFreeNotification(slot);
    slot = value;
    if (slot)
        self.FreeNotification(slot);
}

} // namespace lt
