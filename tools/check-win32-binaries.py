#!/usr/bin/env python3
"""Checks the shipped 32-bit binaries without running them, by reading them with the cross
toolchain's objdump:

- Tetherline.dll is a 32-bit DLL exporting every Inet function of Tetherline.def and the four
  COM registration entry points under their plain names, importing only from Windows' own DLLs,
  and carrying its type library (resource type TYPELIB) as a real type library;
- Skirmex.exe is a 32-bit program importing only from Windows' own DLLs and Tetherline.dll.

Exits 1 with one line per fault when any check fails; prints what it found otherwise.
"""

import argparse
import os
import re
import shutil
import subprocess
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BUILD = os.environ.get("SKIRMORA_BUILD", os.path.join(ROOT, "build"))

# The exported C sockets API has 93 functions; a .def that lists fewer has lost some.
INET_EXPORTS = 93
COM_EXPORTS = ["DllCanUnloadNow", "DllGetClassObject", "DllRegisterServer", "DllUnregisterServer"]
# What the binaries may import from: DLLs every Windows from XP on has (compared without case).
SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "crypt32.dll", "d3d8.dll", "ddraw.dll",
    "dinput8.dll", "dsound.dll", "gdi32.dll", "imm32.dll", "iphlpapi.dll", "kernel32.dll",
    "msvcrt.dll", "netapi32.dll", "ole32.dll", "oleaut32.dll", "rpcrt4.dll", "secur32.dll",
    "shell32.dll", "shlwapi.dll", "urlmon.dll", "user32.dll", "version.dll", "winmm.dll",
    "wininet.dll", "ws2_32.dll", "wsock32.dll",
}
SHIPPED_DLLS = {"tetherline.dll"}
TYPELIB_MAGICS = {b"MSFT", b"SLTG"}


class Fault(Exception):
    pass


def objdump(tool, *args):
    run = subprocess.run([tool, *args], capture_output=True, text=True)
    if run.returncode != 0:
        raise Fault((run.stderr or run.stdout).strip() or f"{tool} failed ({run.returncode})")
    return run.stdout


def read_pe(tool, path):
    if not os.path.isfile(path):
        raise Fault("not found")
    try:
        text = objdump(tool, "-p", path)
    except Fault as e:
        raise Fault(f"cannot be read as a 32-bit Windows binary: {e}")
    if not re.search(r"file format pei-i386\b", text):
        raise Fault("not a 32-bit Windows binary")
    return text


def imports_of(text):
    return re.findall(r"^\tDLL Name: (\S+)$", text, re.M)


def exports_of(text):
    table = text.split("[Ordinal/Name Pointer] Table", 1)
    if len(table) < 2:
        return []
    names = []
    for line in table[1].splitlines()[1:]:
        m = re.match(r"^\s*\[\s*\d+\] (\S+)$", line)
        if not m:
            break
        names.append(m.group(1))
    return names


def typelib_leaf(text):
    """(address, size) of the first TYPELIB resource, or None."""
    lines = text.split("The .rsrc Resource Directory section:", 1)
    if len(lines) < 2:
        return None
    lines = lines[1].splitlines()
    for i, line in enumerate(lines):
        if re.match(r"^[0-9a-f]+   Entry: name: .*: TYPELIB,", line):
            for below in lines[i + 1:]:
                if re.match(r"^[0-9a-f]+   Entry:", below):  # the next resource type
                    return None
                m = re.search(r"Leaf: Addr: (0x[0-9a-f]+), Size: (0x[0-9a-f]+)", below)
                if m:
                    return int(m.group(1), 16), int(m.group(2), 16)
    return None


def bytes_at(tool, path, image_base, rva, count):
    start = image_base + rva
    dump = objdump(tool, "-s", "-j", ".rsrc", f"--start-address={start:#x}",
                   f"--stop-address={start + count:#x}", path)
    data = b""
    for line in dump.splitlines():
        m = re.match(r"^ [0-9a-f]+ ((?:[0-9a-f]{2,8} ?)+)", line)
        if m:
            data += bytes.fromhex(m.group(1).replace(" ", ""))
    return data[:count]


def def_exports(def_file):
    names, in_exports = [], False
    with open(def_file, encoding="ascii") as f:
        for line in f:
            line = line.split(";", 1)[0].strip()
            if not line:
                continue
            if line.split()[0] == "EXPORTS":
                in_exports = True
            elif in_exports:
                names.append(re.split(r"[@=\s]", line, 1)[0])
    return names


def check_dll(tool, path, def_file, faults):
    text = read_pe(tool, path)
    exports = exports_of(text)
    inet = [n for n in def_exports(def_file) if n.startswith("Inet")]
    if len(inet) != INET_EXPORTS:
        faults.append(f"{def_file}: lists {len(inet)} Inet functions, not {INET_EXPORTS}")
    missing = [n for n in inet + COM_EXPORTS if n not in exports]
    if missing:
        more = f" and {len(missing) - 10} more" if len(missing) > 10 else ""
        faults.append(f"{path}: {len(missing)} exports missing or decorated: {' '.join(missing[:10])}{more}")
    decorated = [n for n in exports if "@" in n or n.startswith("_")]
    if decorated:
        faults.append(f"{path}: decorated export names: {' '.join(decorated)}")
    foreign = [d for d in imports_of(text) if d.lower() not in SYSTEM_DLLS]
    if foreign:
        faults.append(f"{path}: imports from DLLs that are not Windows' own: {' '.join(foreign)}")
    leaf = typelib_leaf(text)
    typelib = 0
    if not leaf:
        faults.append(f"{path}: no type library resource (TYPELIB)")
    else:
        base = int(re.search(r"^ImageBase\s+([0-9a-f]+)$", text, re.M).group(1), 16)
        magic = bytes_at(tool, path, base, leaf[0], 4)
        if magic not in TYPELIB_MAGICS:
            faults.append(f"{path}: the TYPELIB resource is no type library (starts {magic!r})")
        typelib = leaf[1]
    return (f"{os.path.basename(path)}: 32-bit; exports {len(exports)} names, the {len(inet)} Inet "
            f"functions and the {len(COM_EXPORTS)} COM entry points undecorated among them; imports "
            f"{', '.join(imports_of(text))}; type library of {typelib} bytes")


def check_exe(tool, path, faults):
    text = read_pe(tool, path)
    imports = imports_of(text)
    foreign = [d for d in imports if d.lower() not in SYSTEM_DLLS | SHIPPED_DLLS]
    if foreign:
        faults.append(f"{path}: imports from DLLs neither shipped nor Windows' own: {' '.join(foreign)}")
    return f"{os.path.basename(path)}: 32-bit; imports {', '.join(imports)}"


def main():
    bin_dir = os.path.join(BUILD, "win32", "bin")
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--dll", default=os.path.join(bin_dir, "Tetherline.dll"))
    parser.add_argument("--exe", default=os.path.join(bin_dir, "Skirmex.exe"))
    parser.add_argument("--def-file", default=os.path.join(ROOT, "socketctl", "control", "Tetherline.def"))
    parser.add_argument("--objdump", default=os.environ.get("OBJDUMP", "i686-w64-mingw32-objdump"))
    args = parser.parse_args()

    faults, found = [], []
    if not shutil.which(args.objdump):
        faults.append(f"{args.objdump} not found (tools/setup.sh installs binutils-mingw-w64-i686)")
    else:
        for check, path, extra in ((check_dll, args.dll, (args.def_file,)), (check_exe, args.exe, ())):
            try:
                found.append(check(args.objdump, path, *extra, faults))
            except (Fault, OSError) as e:
                faults.append(f"{path}: {e}")
    if faults:
        for fault in faults:
            print(f"check-win32-binaries: FAILED: {fault}", file=sys.stderr)
        return 1
    for line in found:
        print(f"check-win32-binaries: {line}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
