#!/usr/bin/env python3
"""Writes the skin fuzz target's seed corpus: small packages of each version
shape, their compressed block and a description text with one object of
every list type."""
import os, struct, zlib

here = os.path.join(os.path.dirname(os.path.abspath(__file__)), "corpus")
os.makedirs(here, exist_ok=True)

def bmp24(w, h, shade):
    stride = (w * 3 + 3) & ~3
    rows = bytes([shade] * (stride * h))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(rows), 0, 0, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 54) + info + rows

def bmp1(w, h):
    stride = ((w + 31) // 32) * 4
    rows = bytes([0x55] * (stride * h))
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 1, 0, 0, 0, 0, 2, 0)
    pal = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    return b"BM" + struct.pack("<IHHI", 14 + 40 + 8 + len(rows), 0, 0, 62) + info + pal + rows

objects = ["caption:caption", "close:stdbutton", "item:menuitem", "anim:animate", "user:userobject",
           "bar:mainmenubaritem", "barbtn:mainmenubarbutton", "plain:button", "broken", "x:unknown"]
controls = ["panel", "expanel", "menubutton", "button", "checkradio", "gauge", "splitter", "trackbar", "label",
            "stdlabel", "updown", "grid", "tab", "mainmenubar", "controlbar", "memo", "edit", "checklistbox",
            "listbox", "combobox", "scrollbar", "spinedit", "scrollbox", "treeview", "bevel", "slider", "listview",
            "richedit"]
lines = ["[VERSION]", "skinname=seed", "[PICTURES]", "picture=f.bmp", "mask=m.bmp", "activepicturescount=1",
         "0=a.bmp", "[FORMINFO]", "lefttoppoint=2,29", "righttoppoint=274,30", "leftbottompoint=8,200",
         "rightbottompoint=274,200", "clientrect=4,27,281,206", "maskrectarea=1,,3,4", "stretchtype=stFull",
         "[POPUPWINDOW]", "windowpictureindex=0", "[SKINCOLORS]", "cbtnface=0xFF00000F", "[SKINOBJECTS]",
         "count=%d" % len(objects)] + ["%d=%s" % (i, o) for i, o in enumerate(objects)]
lines += ["[SKINCONTROLS]", "count=%d" % len(controls)] + ["%d=c%d:%s" % (i, i, t) for i, t in enumerate(controls)]
for name in ["caption", "close", "item", "anim", "user", "bar", "barbtn", "plain"] + ["c%d" % i for i in range(len(controls))]:
    lines += ["[%s]" % name, "skinrect=-1,2,30,20", "fontstyle=fsbold,fsitalic", "command=cmclose",
              "lefttoppoint=3,9", "righttoppoint=35,11", "pictureindex=0", "fontheight=0x10", "morphing=1"]
description = ("\r\n".join(lines) + "\r\n").encode()

def package(version, active):
    p = struct.pack("<i", version) + b"\0" + bmp24(3, 2, 0x40) + b"\1" + b"\0" + bmp1(9, 3)
    if version == 2:
        p += b"\0" + bmp24(1, 1, 0x20) + b"\1"
    p += struct.pack("<i", len(active)) + b"".join(active)
    return p + description

open(os.path.join(here, "v3.package"), "wb").write(package(3, [bmp24(2, 2, 0x80)]))
open(os.path.join(here, "v2.package"), "wb").write(package(2, [bmp24(2, 2, 0x80), bmp1(5, 5)]))
open(os.path.join(here, "v3.block"), "wb").write(zlib.compress(package(3, [bmp24(2, 2, 0x80)]), 9))
open(os.path.join(here, "description.ini"), "wb").write(description)
