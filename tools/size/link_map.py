#!/usr/bin/python3
"""Where the bytes of an executable come from, read from the GNU linker's map file.

    /usr/bin/python3 tools/size/link_map.py build/win32/app/Quorl.map [--members N]

Adds up the input sections that the link kept (code, read-only data, data, exception
tables; not the zero-filled .bss) by their origin: the program's own libraries, each
runtime library, and within the C++ runtime its members, largest first.
"""

import argparse
import collections
import os
import re
import sys

# " .text  0x00401000  0x1a4 path/to/libfoo.a(member.o)" or the same split over two
# lines when the section name is long.
SECTION = re.compile(r"^ (\.\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")
SECTION_NAME_ONLY = re.compile(r"^ (\.\S+)$")
CONTINUED = re.compile(r"^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(\S.*)$")


def origin(path):
    """(library, member) of an input file."""
    match = re.match(r"(.*)\((.*)\)$", path)
    if match:
        return os.path.basename(match.group(1)), match.group(2)
    return os.path.basename(path), ""


def group(library):
    if library.startswith("libquorl") or library.endswith((".cpp.obj", ".res")):
        return "program code and data"
    if library.startswith("libstdc++"):
        return "libstdc++"
    if library.startswith(("libgcc", "libgcc_eh")):
        return "libgcc"
    if library.startswith(("libwinpthread", "libpthread")):
        return "winpthread"
    if library.startswith(("libmingwex", "libmingw32", "libmsvcrt", "crt", "dllcrt")) or library.endswith(".o"):
        return "mingw C runtime"
    if library.startswith("lib") and library.endswith(".a"):
        return "import stubs"
    if library == "dll stuff":
        return "import and relocation tables (linker-made)"
    return library


def read(map_path):
    sizes = collections.Counter()
    with open(map_path, encoding="utf-8", errors="replace") as f:
        lines = f.read().split("\n")
    start = next((i for i, line in enumerate(lines) if line.startswith("Linker script and memory map")), 0)
    pending = None
    for line in lines[start:]:
        match = SECTION.match(line)
        if match:
            name, address, size, path = match.groups()
        elif pending and CONTINUED.match(line):
            address, size, path = CONTINUED.match(line).groups()
            name = pending
        else:
            only = SECTION_NAME_ONLY.match(line)
            pending = only.group(1) if only else None
            continue
        pending = None
        if name.startswith(".bss") or name.startswith(".debug") or int(address, 16) == 0:
            continue
        sizes[(name.split(".")[1] if "." in name[1:] else name[1:], path.strip())] += int(size, 16)
    return sizes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("map")
    parser.add_argument("--members", type=int, default=15, help="runtime members to list")
    args = parser.parse_args()
    sizes = read(args.map)
    groups = collections.Counter()
    members = collections.Counter()
    for (section, path), size in sizes.items():
        library, member = origin(path)
        kind = "resources" if section == "rsrc" else group(library)
        groups[kind] += size
        if kind not in ("program code and data", "resources"):
            members["%s(%s)" % (library, member) if member else library] += size
    total = sum(groups.values())
    print("%-44s %9s" % ("origin", "bytes"))
    for kind, size in groups.most_common():
        print("%-44s %9d" % (kind, size))
    print("%-44s %9d" % ("total of the input sections", total))
    print("\nlargest runtime members:")
    for name, size in members.most_common(args.members):
        print("  %-58s %8d" % (name, size))
    return 0


if __name__ == "__main__":
    sys.exit(main())
