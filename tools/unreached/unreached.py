#!/usr/bin/env python3
"""The routines of core/, game/ and platform/ that the game never reaches.

Builds the game in a tree of its own (build-reach/ beside the sources, or
--tree DIR), configured with HALVORN_REACH: unoptimised, not inlined, every
routine in a section of its own, the three libraries linked whole and the
sections nothing reaches from the program's entry removed, the linker
naming each one. A removed routine section is a routine the program never
reaches.

The linker keeps every routine that a kept table names, and a table that a
static initialiser fills is kept with the initialiser whether or not the
game ever reads it (a screen table whose items are built by a call is
filled at start-up). So the script also walks the objects' own references
from main, taking what an initialiser names as reached only through the
data it fills (references.py beside this script): a routine that walk does
not reach is unreached too. Neither view sees a routine that a reached one
names as a value that no path hands on (a default for an argument that
every caller gives): only reading the callers finds those.

Counted are the routines the sources define: functions and their local
classes and lambdas (folded into the function when it is unreached too),
and the template instances a file makes for itself. Inline functions and
template instances that files share are not: an unused one is never
compiled, so only some of them could be seen.

Each unreached routine must be on the reviewed list beside this script
(reviewed.txt), under the reason it stays unreached. The script prints the
unreached routines that are not on the list, and the listed ones that are
reached or gone, and exits 1 if there is either.  A routine that a reached
routine names only as a value no path hands on (a default for a null
argument that every caller fills) is unreached to neither view: the list
keeps such routines by hand, under a reason that starts "By hand: ", and the
script checks only that each is still defined.

    unreached.py [--tree DIR] [--jobs N] [--print] [--write-list FILE] [--link-output FILE]

--print lists every unreached routine by file; --write-list writes the
unreached routines not yet on the list to FILE, in the list's form, to be
given their reasons.
"""

import argparse
import collections
import os
import re
import subprocess
import sys

import references

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
LIST = os.path.join(HERE, "reviewed.txt")
LIBRARY_FOLDERS = ("core/", "game/", "platform/")
REMOVED = re.compile(r"removing unused section '([^']+)' in file '([^']+)'")
MEMBER = re.compile(r"^(.*)\((.*)\)$")
STANDARD = re.compile(r"(^|[\s<(])(std|__gnu_cxx)::")


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, text=True, **kwargs)


def build(tree, jobs):
    """Configures and builds the tree's game; returns the link's output."""
    configure = ["cmake", "-S", SOURCE, "-B", tree, "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                 "-DCMAKE_CXX_FLAGS_DEBUG=", "-DCMAKE_C_FLAGS_DEBUG=", "-DHALVORN_REACH=ON",
                 "-DHALVORN_TESTS=OFF", "-DHALVORN_BENCH=OFF"]
    done = run(configure)
    if done.returncode != 0:
        sys.exit(f"unreached: configuring {tree} failed:\n{done.stdout}{done.stderr}")
    # The link prints what it removes only when it runs.
    program = os.path.join(tree, "halvorn")
    if os.path.exists(program):
        os.remove(program)
    done = run(["cmake", "--build", tree, "-j", str(jobs), "--target", "halvorn"])
    if done.returncode != 0:
        sys.exit(f"unreached: building {tree} failed:\n{done.stdout}{done.stderr}")
    # Kept, so that the list can be worked on without linking again (--link-output).
    with open(os.path.join(tree, "unreached-link.txt"), "w") as kept:
        kept.write(done.stdout + done.stderr)
    return done.stdout + done.stderr


def library_objects(tree):
    """Object path by source file, and object paths by archive member name."""
    with open(os.path.join(tree, "one-definition-objects.txt")) as listing:
        objects = [line.strip() for line in listing if line.strip().endswith(".o")]
    entry = os.path.join(tree, "CMakeFiles", "halvorn.dir", "game", "system", "entry.cpp.o")
    objects.append(entry)
    by_member = collections.defaultdict(list)
    for path in objects:
        by_member[os.path.basename(path)].append(path)
    return objects, by_member


def source_of(path, tree):
    """The source file an object of the tree was compiled from."""
    relative = os.path.relpath(path, tree)
    match = re.match(r"CMakeFiles/[^/]+\.dir/(.*)\.o$", relative)
    return match.group(1) if match else relative


def defined_routines(objects):
    """For each object, its own routines' symbols (not inline or template)."""
    own = collections.defaultdict(set)
    done = run(["nm", "-A", "--defined-only", *objects])
    if done.returncode != 0:
        sys.exit(f"unreached: nm could not read the objects:\n{done.stderr}")
    for line in done.stdout.splitlines():
        where, _, rest = line.rpartition(":")
        fields = rest.split()
        if len(fields) == 3 and fields[1] in "Tt":
            own[where].add(fields[2])
    return own


def sections_of(path):
    done = run(["readelf", "-SW", path])
    return set(re.findall(r"\]\s+(\.text\.[^\s\[]+)", done.stdout))


def demangle(symbols):
    done = run(["c++filt"], input="\n".join(symbols) + "\n")
    return dict(zip(symbols, done.stdout.splitlines()))


ANONYMOUS = "(anonymous namespace)"


def enclosing(name):
    """The function a local class or lambda belongs to, or None."""
    plain = name.replace(ANONYMOUS, "_" * len(ANONYMOUS))
    depth = 0
    for i, c in enumerate(plain):
        if c in "(<":
            depth += 1
        elif c in ")>":
            depth -= 1
            if depth == 0 and c == ")" and plain.startswith("::", i + 1):
                return name[: i + 1]
        elif depth == 0 and plain.startswith(" const::", i):
            return name[:i] + " const"
    return None


def unreached(link_output, tree):
    objects, by_member = library_objects(tree)
    own = defined_routines(objects)
    removed = []  # (object, symbol)
    section_cache = {}
    for section, where in REMOVED.findall(link_output):
        if not section.startswith(".text."):
            continue
        symbol = section[len(".text.") :]
        match = MEMBER.match(where)
        if match:
            if os.path.basename(match.group(1)) not in ("libcore.a", "libgame.a", "libplatform.a"):
                continue
            candidates = by_member.get(match.group(2), [])
        else:
            candidates = [p for p in objects if os.path.abspath(os.path.join(tree, where)) == p
                          or os.path.abspath(where) == p]
        # Inline functions and template instances are no object's own.
        candidates = [path for path in candidates if symbol in own[path]]
        if len(candidates) > 1:
            # Two files of one name that define one file-local name.
            for path in candidates:
                if path not in section_cache:
                    section_cache[path] = sections_of(path)
            candidates = [path for path in candidates if section in section_cache[path]]
            if len(candidates) != 1:
                sys.exit(f"unreached: cannot tell which object {where} is (section {section})")
        if candidates:
            removed.append((candidates[0], symbol))
    # And those the walk of the references from main does not reach.
    reached, elf = references.reached_sections(objects)
    for path in objects:
        section_of = elf[path].section_of()
        removed.extend((path, symbol) for symbol in own[path] if (path, section_of[symbol]) not in reached)
    names = demangle(sorted({symbol for _, symbol in removed}))
    routines = set()
    for path, symbol in removed:
        source = source_of(path, tree)
        # A standard template made for a file-local type is file-local too,
        # but the library's, not the file's.
        if source.startswith(LIBRARY_FOLDERS) and not STANDARD.search(names[symbol].split("(")[0]):
            routines.add((source, names[symbol]))
    # A local class or lambda of an unreached function is that function's.
    found = {(source, name) for source, name in routines if (source, enclosing(name) or "") not in routines}
    # Every routine the objects define, by the same names, for the entries
    # the list keeps by hand.
    all_symbols = sorted({symbol for path in objects for symbol in own[path]})
    all_names = demangle(all_symbols)
    defined = {(source_of(path, tree), all_names[symbol]) for path in objects for symbol in own[path]}
    return found, defined


# A reason whose routines neither view can see as unreached: a reached
# routine names them as a value that no path hands on.  They are checked by
# hand, and the script only checks that each is still defined.
BY_HAND = "By hand: "


def read_list(path):
    """The reviewed list: {(source, routine): reason}."""
    listed = {}
    reason = None
    with open(path) as text:
        for number, line in enumerate(text, 1):
            line = line.rstrip("\n")
            if not line.strip() or line.startswith("#"):
                continue
            if line.startswith("[") and line.endswith("]"):
                reason = line[1:-1]
                continue
            source, sep, routine = line.partition(": ")
            if not sep or reason is None:
                sys.exit(f"unreached: {path}:{number}: expected 'file: routine' under a [reason]")
            listed[(source.strip(), routine.strip())] = reason
    return listed


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--tree", default=os.path.join(SOURCE, "build-reach"))
    parser.add_argument("--jobs", type=int, default=4)
    parser.add_argument("--print", action="store_true", help="list every unreached routine")
    parser.add_argument("--write-list", help="write the routines not on the list to this file")
    parser.add_argument("--link-output", help="read this saved link output (the tree's unreached-link.txt) instead of building")
    args = parser.parse_args()
    tree = os.path.abspath(args.tree)
    if args.link_output:
        with open(args.link_output) as saved:
            link_output = saved.read()
    else:
        link_output = build(tree, args.jobs)
    found, defined = unreached(link_output, tree)
    listed = read_list(LIST)
    by_hand = {key for key, reason in listed.items() if reason.startswith(BY_HAND)}
    if args.print:
        for source, name in sorted(found):
            print(f"{source}: {name}")
    new = sorted(found - listed.keys())
    stale = sorted((listed.keys() - by_hand - found) | (by_hand - defined))
    if args.write_list:
        with open(args.write_list, "w") as out:
            for source, name in new:
                out.write(f"{source}: {name}\n")
    by_reason = collections.Counter(listed[key] for key in (found & listed.keys()) | by_hand)
    print(f"unreached: {len(found)} routines unreached, {len(found & listed.keys())} of them on the reviewed list")
    for reason, count in sorted(by_reason.items(), key=lambda item: -item[1]):
        print(f"  {count:5d}  {reason}")
    for source, name in new:
        print(f"not on the list: {source}: {name}")
    for source, name in stale:
        print(f"listed but reached or gone (take it off the list): {source}: {name}")
    if new or stale:
        print(f"unreached: {len(new)} unreached routine(s) not on the list, {len(stale)} listed one(s) reached or gone")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
