#!/usr/bin/env python3
"""Fails when a client folder includes a header of a folder it may not build on, or when its
CMakeLists links a client library it may not link. The table below is the client's layering
(client/README.md); it is ordered, so following it never leads back to a folder: no cycles."""
import pathlib, re, sys

# Each folder and the folders below it that it may use.
ALLOWED = {
    "runtime": set(),
    "foundation": {"runtime"},
    "windows": {"foundation", "runtime"},
    "view": {"windows", "foundation", "runtime"},
    "connection": {"view", "windows", "foundation", "runtime"},
    "app": {"connection", "view", "windows", "foundation", "runtime"},
}
client = pathlib.Path(__file__).resolve().parent.parent / "client"
owner = {h.name: h.parent.name for d in ALLOWED for h in (client / d).glob("*.h")}
faults = []
for folder, allowed in ALLOWED.items():
    for src in sorted((client / folder).glob("*.[ch]*")):
        for n, line in enumerate(src.read_text(errors="replace").splitlines(), 1):
            m = re.match(r'\s*#\s*include\s*"([^"]+)"', line)
            if not m:
                continue
            name = m.group(1)
            target = "runtime" if name.startswith("runtime/") else owner.get(pathlib.Path(name).name)
            if target and target != folder and target not in allowed:
                faults.append(f"{src.relative_to(client.parent)}:{n}: {folder} includes {name} of {target}")
    cmake = (client / folder / "CMakeLists.txt").read_text()
    for lib in re.findall(r"skirmex_(\w+)", cmake):
        if lib != folder and lib in ALLOWED and lib not in allowed:
            faults.append(f"client/{folder}/CMakeLists.txt: {folder} links skirmex_{lib}")
print("\n".join(faults) or "client layers: every include and link points down")
sys.exit(1 if faults else 0)
