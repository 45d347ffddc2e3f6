#pragma once
// An image list: images of one size kept together and drawn by index, for
// controls that show a small picture beside their caption (buttons, check
// boxes). Each image is drawn transparent where it has its key colour.

#include <vector>

#include "gfx/bitmap.h"
#include "gfx/canvas.h"
#include "gfx/color.h"
#include "platform/component.h"

namespace lt {

class TCustomImageList : public TComponent {
public:
    explicit TCustomImageList(TComponent* owner, int width = 16, int height = 16);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return static_cast<int>(images_.size()); }

    // Cuts `strip` into images of Width x Height from left to right (a
    // strip less than one image wide adds nothing) and appends them; each
    // image's key colour is `key`, or its lower-left pixel for clNone.
    // Returns the index of the first image added, or -1.
    int AddMasked(const Bitmap& strip, Color key = clNone);
    void Clear() { images_.clear(); }

    // Draws image `index` with its top-left corner at (x, y): as it is, or
    // embossed in the button highlight and shadow colours when disabled.
    // An index outside the list draws nothing.
    void Draw(Canvas& canvas, int x, int y, int index, bool enabled = true) const;

private:
    struct Image {
        Bitmap bitmap;
        Pixel key = 0;
    };
    int width_;
    int height_;
    std::vector<Image> images_;
};

// A control's watched reference to an image list and the index of the image
// it draws from it: the free notification follows the list, and the
// reference is cleared when the list is destroyed.
class ImageListLink {
public:
    // `owner` is told (Notification) when the list is destroyed and passes
    // that on to Dropped.
    ImageListLink(TComponent& owner, int index) : index(index), owner_(owner) { }
    ~ImageListLink() { Set(nullptr); }
    ImageListLink(const ImageListLink&) = delete;
    ImageListLink& operator=(const ImageListLink&) = delete;

    TCustomImageList* List() const { return list_; }
    void Set(TCustomImageList* list) { Repoint(owner_, list_, list); }
    // True (and the reference cleared) when `component` is the list going
    // away.
    bool Dropped(TComponent* component, TOperation operation)
    {
        if (operation != TOperation::opRemove || component != list_)
            return false;
        list_ = nullptr;
        return true;
    }
    // Whether `list` (this link's or another) holds image `index`.
    bool Holds(const TCustomImageList* list) const { return list && index >= 0 && index < list->Count(); }

    int index;

private:
    TCustomImageList* list_ = nullptr;
    TComponent& owner_;
};

} // namespace lt
