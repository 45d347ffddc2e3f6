#!/usr/bin/env python3
"""Fails when a source file in a layer folder includes a header it may not.

Layers, lowest first: text, gfx, platform, net, harvest, forms, skin,
skinned, app. A file may include headers of its own layer and of the layers
below it, with these narrower rules:

  - the platform's loop core (clock, event loop, timers, components and the
    message definitions) includes no windowing header of the platform;
  - net and harvest include only text, the platform's loop core and each
    other downwards: never gfx, windowing, forms or skin;
  - skin (the skin data) includes only text, gfx and the platform's loop
    core: never windowing, net, harvest or forms;
  - no layer includes tools/, tests/, bench/ or fuzz/.

Files outside the layer folders (tools, tests, bench, fuzz) may include
anything. A new file in platform/ counts as windowing until it is added to
PLATFORM_CORE below.

Usage: python3 tools/checks/check-includes.py   (run from anywhere)
"""

import os
import re
import subprocess
import sys

LAYERS = ["text", "gfx", "platform", "net", "harvest", "forms", "skin", "skinned", "app"]
PLATFORM_CORE = {
    "platform/clock.h",
    "platform/component.h",
    "platform/component.cpp",
    "platform/event_loop.h",
    "platform/event_loop.cpp",
    "platform/messages.h",
    "platform/timer.h",
    "platform/timer.cpp",
}
OUTSIDE = {"tools", "tests", "bench", "fuzz"}

# The platform is split in two units: "core" and "platform" (windowing).
CORE = "platform core"
ORDER = ["text", "gfx", CORE, "platform", "net", "harvest", "forms", "skin", "skinned", "app"]
NARROW = {
    CORE: {"text", "gfx", CORE},
    "net": {"text", CORE, "net"},
    "harvest": {"text", CORE, "net", "harvest"},
    "skin": {"text", "gfx", CORE, "skin"},
}

INCLUDE = re.compile(r'^\s*#\s*include\s*["<]([^">]+)[">]')


def unit_of(path):
    """The unit a repository path belongs to, or None outside the layers."""
    top = path.split("/", 1)[0]
    if top == "platform":
        return CORE if path in PLATFORM_CORE else "platform"
    if top in LAYERS or top in OUTSIDE:
        return top
    return None


def allowed(unit):
    if unit in NARROW:
        return NARROW[unit]
    return set(ORDER[: ORDER.index(unit) + 1])


def describe(units):
    return ", ".join(u for u in ORDER if u in units)


def source_files(root):
    try:
        out = subprocess.run(
            ["git", "ls-files", "--cached", "--others", "--exclude-standard", "*.h", "*.cpp"],
            cwd=root, capture_output=True, text=True, check=True).stdout
        return [p for p in out.splitlines() if os.path.exists(os.path.join(root, p))]
    except (OSError, subprocess.CalledProcessError):
        found = []
        for layer in LAYERS:
            for folder, _, names in os.walk(os.path.join(root, layer)):
                for name in names:
                    if name.endswith((".h", ".cpp")):
                        found.append(os.path.relpath(os.path.join(folder, name), root))
        return found


def main():
    root = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
    problems = []
    for path in sorted(source_files(root)):
        unit = unit_of(path)
        if unit is None or unit in OUTSIDE:
            continue
        may = allowed(unit)
        with open(os.path.join(root, path), encoding="utf-8", errors="replace") as f:
            for number, line in enumerate(f, 1):
                m = INCLUDE.match(line)
                if not m:
                    continue
                target = unit_of(m.group(1))
                if target is None:
                    continue
                if target in OUTSIDE:
                    problems.append(f"{path}:{number}: includes {m.group(1)}; a layer never includes {target}/")
                elif target not in may:
                    problems.append(
                        f"{path}:{number}: includes {m.group(1)} ({target}); {unit} may include {describe(may)}")
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f"check-includes: {len(problems)} include(s) point the wrong way", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
