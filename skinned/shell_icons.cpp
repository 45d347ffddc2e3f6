// The dialog's icons: pixel art with one letter per palette colour.

#include "skinned/shell_icons.h"

#include <array>

namespace lt {
namespace {

//   .  the key (transparent)    o  outline        f  face
//   d  dark face (folder back)  w  white          l  line / detail
//   g  green light              s  shadow
using Art = std::array<const char*, kSmallIconSize>;

constexpr Art kFolder = {
    "................",
    "................",
    ".ooooo..........",
    "odddddo.........",
    "oddddddoooooooo.",
    "oddddddddddddddo",
    "offffffffffffffo",
    "offffffffffffffo",
    "offffffffffffffo",
    "offffffffffffffo",
    "offffffffffffffo",
    "offffffffffffffo",
    "offffffffffffffo",
    ".oooooooooooooos",
    "..ssssssssssssss",
    "................",
};

constexpr Art kFile = {
    "..oooooooooo....",
    "..owwwwwwwwoo...",
    "..owwwwwwwwowo..",
    "..owwwwwwwwowwo.",
    "..owlllllwwoooo.",
    "..owwwwwwwwwwwo.",
    "..owllllllllwwo.",
    "..owwwwwwwwwwwo.",
    "..owllllllllwwo.",
    "..owwwwwwwwwwwo.",
    "..owllllllllwwo.",
    "..owwwwwwwwwwwo.",
    "..owllllllwwwwo.",
    "..owwwwwwwwwwwo.",
    "..ooooooooooooos",
    "...sssssssssssss",
};

constexpr Art kHome = {
    "................",
    ".......oo.......",
    "......offo..oo..",
    ".....offffo.oo..",
    "....offffffooo..",
    "...offffffffoo..",
    "..offffffffffo..",
    ".oooooooooooooo.",
    "..owwwwwwwwwwo..",
    "..owwwwwwwwwwo..",
    "..owwlloowwwwo..",
    "..owwlloowlllo..",
    "..owwloloowwwo..",
    "..owwlloowwwwo..",
    "..ooooooooooooo.",
    "................",
};

constexpr Art kDesktop = {
    "................",
    ".oooooooooooooo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".offffffffffffo.",
    ".oooooooooooooo.",
    "......oooo......",
    "......olls......",
    "....oooooooo....",
    "....olllllls....",
    "....oooooooo....",
    "................",
};

constexpr Art kDrive = {
    "................",
    "................",
    "................",
    "................",
    "...oooooooooo...",
    "..owwwwwwwwwwo..",
    ".owwwwwwwwwwwwo.",
    ".oooooooooooooo.",
    ".ollllllllllllo.",
    ".ollllllllllggo.",
    ".ollllllllllllo.",
    ".oooooooooooooo.",
    "..ssssssssssss..",
    "................",
    "................",
    "................",
};

constexpr Pixel kKey = make_pixel(255, 0, 255);

Pixel Colour(ShellIcon icon, char c)
{
    const bool folder = icon == ShellIcon::Folder;
    switch (c) {
    case 'o':
        return folder ? make_pixel(178, 128, 24) : make_pixel(74, 98, 130);
    case 'f':
        return folder                    ? make_pixel(255, 214, 102)
            : icon == ShellIcon::Desktop ? make_pixel(96, 150, 220)
                                         : make_pixel(226, 236, 248);
    case 'd':
        return make_pixel(238, 186, 64);
    case 'w':
        return make_pixel(255, 255, 255);
    case 'l':
        return make_pixel(150, 168, 192);
    case 'g':
        return make_pixel(40, 190, 60);
    case 's':
        return make_pixel(170, 170, 170);
    default:
        return kKey;
    }
}

const Art& ArtOf(ShellIcon icon)
{
    switch (icon) {
    case ShellIcon::Folder:
        return kFolder;
    case ShellIcon::File:
        return kFile;
    case ShellIcon::Home:
        return kHome;
    case ShellIcon::Desktop:
        return kDesktop;
    case ShellIcon::Drive:
        break;
    }
    return kDrive;
}

Bitmap Make(ShellIcon icon, int scale)
{
    const Art& art = ArtOf(icon);
    Bitmap image(kSmallIconSize * scale, kSmallIconSize * scale, kKey);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.set_pixel(x, y, Colour(icon, art[static_cast<size_t>(y / scale)][x / scale]));
    return image;
}

} // namespace

const Bitmap& ShellIconImage(ShellIcon icon, bool large)
{
    static const std::array<Bitmap, 10> images = [] {
        std::array<Bitmap, 10> out;
        for (int i = 0; i < 5; ++i) {
            out[static_cast<size_t>(i * 2)] = Make(static_cast<ShellIcon>(i), 1);
            out[static_cast<size_t>(i * 2 + 1)] = Make(static_cast<ShellIcon>(i), 2);
        }
        return out;
    }();
    return images[static_cast<size_t>(static_cast<int>(icon) * 2 + (large ? 1 : 0))];
}

void DrawShellIcon(Canvas& canvas, Point at, ShellIcon icon, bool large)
{
    canvas.draw_transparent(at, ShellIconImage(icon, large), rgb(255, 0, 255));
}

} // namespace lt
