#pragma once
// The binding of a windowless skinned control (the standard label, the
// splitter) to a skin data: the reference with its free notification, the
// skin object's name, and the lookup of the object by its index. Windowed
// skinned controls have the same in TskSkinControl.

#include <string>

#include "platform/component.h"
#include "skin/skin_data.h"

namespace lt {

class SkinDataLink {
public:
    // `owner` is told (Notification) when the skin data is destroyed and
    // passes that on to Dropped.
    SkinDataLink(TComponent& owner, std::string name) : name(std::move(name)), owner_(owner) { }
    ~SkinDataLink() { Set(nullptr); }
    SkinDataLink(const SkinDataLink&) = delete;
    SkinDataLink& operator=(const SkinDataLink&) = delete;

    TskSkinData* Data() const { return data_; }
    // Moves the free notification to the new skin data.
    void Set(TskSkinData* data)
    {
        if (data == data_)
            return;
        if (data_)
            owner_.RemoveFreeNotification(data_);
        data_ = data;
        if (data_)
            owner_.FreeNotification(data_);
    }
    // True (and the reference cleared) when `component` is the skin data
    // going away.
    bool Dropped(TComponent* component, TOperation operation)
    {
        if (operation != TOperation::opRemove || component != data_)
            return false;
        data_ = nullptr;
        return true;
    }

    // The skin object's name; it takes effect at the next lookup.
    std::string name;

    // The index of the control object named `name` in a loaded skin, or -1.
    int Find() const { return data_ && !data_->Empty ? data_->FindSkinControl(name) : -1; }
    // The object at `index` when the skin is loaded and the object is a T;
    // an index left from a skin reloaded since is checked, never trusted.
    template <class T>
    const T* Object(int index) const
    {
        if (index < 0 || !data_ || data_->Empty || index >= static_cast<int>(data_->SkinControls.size()))
            return nullptr;
        return dynamic_cast<const T*>(data_->SkinControls[static_cast<size_t>(index)].get());
    }

private:
    TskSkinData* data_ = nullptr;
    TComponent& owner_;
};

} // namespace lt
