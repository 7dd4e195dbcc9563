#!/usr/bin/env python3
"""Checks that the includes of src/ and tools/ keep the layers one way.

    core <- comms <- feature logic <- ui kit <- feature windows <- app

Feature logic (config, monitor, logging, discovery, diagnostics) includes no other feature and
no ui header; the ui kit (src/ui but its windows) includes core and comms only. Window files (named as cmake/VantaLibrary.cmake puts them in a *_widgets library)
may include the ui kit and any feature's logic; a frm*/mdi* window includes no other window's
header, and only the files of a feature's own folder include its windows. Tools are console
programs: core, comms and feature logic only.

Usage: check_layers.py <source root>. Prints one line per wrong include, exits 1 when any.
"""

import pathlib
import re
import sys

FEATURES = ("config", "monitor", "logging", "discovery", "diagnostics")
# The layers each layer may include.
ALLOWED = {
    "core": {"core"},
    "comms": {"core", "comms"},
    "logic": {"core", "comms", "logic"},
    "kit": {"core", "comms", "kit"},
    "window": {"core", "comms", "logic", "kit", "window"},
    "app": {"core", "comms", "logic", "kit", "window", "app"},
    "tool": {"core", "comms", "logic"},
}
INCLUDE = re.compile(r'^\s*#\s*include\s+"([a-z_]+)/([^"]+)"')


def build_rules(root):
    """The file-name patterns the build uses to put a file into a *_widgets library."""
    text = (root / "cmake" / "VantaLibrary.cmake").read_text()
    patterns = re.findall(r'name MATCHES "([^"]+)"', text)
    if not patterns:
        sys.exit("check_layers: no window file rule found in cmake/VantaLibrary.cmake")
    return [re.compile(pattern) for pattern in patterns]


def is_window_name(name, rules):
    return any(rule.search(name) for rule in rules)


def is_frame_window(name):
    """A window proper (frmMain, mdiMonitor), as opposed to a helper of a *_widgets library."""
    return re.match(r"(frm|mdi)", name) is not None


def layer_of(folder, name, rules):
    """The layer of src/<folder>/<name>, or None for a folder outside the layers."""
    if folder in ("core", "comms", "app"):
        return folder
    if folder == "ui":
        return "window" if is_frame_window(name) else "kit"
    if folder in FEATURES:
        return "window" if is_window_name(name, rules) else "logic"
    return None


def problem(source, layer, target_folder, target, rules):
    """Why `source` (of layer `layer`) may not include <target_folder>/<target>, or None."""
    target_name = pathlib.Path(target).name
    target_layer = layer_of(target_folder, target_name, rules)
    if target_layer is None:
        return None
    if target_layer not in ALLOWED[layer]:
        return f"{layer} file includes a {target_layer} header"
    if layer == "logic" and target_layer == "logic" and target_folder != source.parent.name:
        return "feature logic includes another feature's logic"
    if layer == "window" and target_layer == "window" and target_folder != source.parent.name:
        return "includes another folder's window"
    own_header = pathlib.Path(target).stem == source.stem
    if is_frame_window(source.name) and is_frame_window(target_name) and not own_header:
        return "a window includes another window's header"
    return None


def includes(path):
    for number, line in enumerate(path.read_text(encoding="latin-1").splitlines(), 1):
        match = INCLUDE.match(line)
        if match:
            yield number, match.group(1), match.group(2)


def sources_of(folder):
    return sorted(p for p in folder.rglob("*") if p.suffix in (".h", ".cpp"))


def main():
    root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".").resolve()
    rules = build_rules(root)
    files = [(p, layer_of(p.relative_to(root / "src").parts[0], p.name, rules))
             for p in sources_of(root / "src")]
    files += [(p, "tool") for p in sources_of(root / "tools")]
    if not files:
        sys.exit(f"check_layers: no sources under {root}")
    failures = []
    for path, layer in files:
        if layer is None:
            continue
        for number, target_folder, target in includes(path):
            why = problem(path, layer, target_folder, target, rules)
            if why:
                where = f"{path.relative_to(root)}:{number}"
                failures.append(f"{where}: {target_folder}/{target}: {why}")
    for failure in failures:
        print(failure)
    print(f"check_layers: {len(files)} files, {len(failures)} wrong includes")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
