#!/usr/bin/env python3
"""One definition per name: no two objects of the program's libraries define
one external name.

A name is the symbol's qualified name without its parameter list, so two
overloads of one name defined in two source files count as a clash: a caller
that gets the argument count or order wrong then reaches the other routine
instead of failing to compile. Overloads defined side by side in one source
file are one module's own design and pass.

Also checked: a function emitted from a header as an inline copy (a weak,
non-template symbol) whose name another object defines for good.

    onedef.py [--nm NM] [--list FILE] LIBRARY.a|OBJECT.o...

Prints each clash with the objects that define the name and exits 1 if there
is any; prints one line and exits 0 if there is none.
"""

import argparse
import os
import re
import subprocess
import sys

SYMBOL_LINE = re.compile(r"^[0-9a-fA-F]+ (\S) (.*)$")
STRONG = set("TDBR")  # text, data, zero-filled data, read-only data
WEAK = set("W")  # inline functions and template instantiations


def matching_open(text, close):
    """Index of the '(' that pairs with the ')' at index close, or -1."""
    depth = 0
    for i in range(close, -1, -1):
        if text[i] == ")":
            depth += 1
        elif text[i] == "(":
            depth -= 1
            if depth == 0:
                return i
    return -1


def base_name(symbol):
    """The qualified name of a demangled symbol, parameters and tags dropped."""
    name = symbol
    clone = name.find(" [clone ")
    if clone >= 0:
        name = name[:clone]
    name = name.strip()
    for suffix in (" const", " volatile", " &&", " &", " noexcept"):
        while name.endswith(suffix):
            name = name[: -len(suffix)].rstrip()
    if name.endswith(")"):
        start = matching_open(name, len(name) - 1)
        if start > 0:
            name = name[:start]
    while "[abi:" in name:
        start = name.index("[abi:")
        end = name.find("]", start)
        if end < 0:
            break
        name = name[:start] + name[end + 1 :]
    return name.strip()


def is_template(name):
    """A template instantiation: its name shows template arguments."""
    return "<" in re.sub(r"operator(<=>|<<=|<<|<=|<)", "operator", name)


def run_nm(nm, paths):
    done = subprocess.run([nm, "-C", "--defined-only", *paths], capture_output=True, text=True)
    if done.returncode != 0:
        sys.exit(f"one definition per name: {nm} could not read the objects:\n{done.stderr}")
    return done.stdout


def shown_object(path):
    """An object of the build tree shown as its source file and target."""
    marker = ".dir/"
    at = path.find(marker)
    if at < 0:
        return path
    target = path[:at].rsplit("/", 1)[-1]
    source = path[at + len(marker) :].removesuffix(".o")
    return f"{source} ({target})"


def read_symbols(nm, paths):
    """(object, type letter, demangled symbol) for each defined symbol.

    Archives are read one by one and their members told apart by position
    (two source files of one name in two folders give two members of one
    name); object files are read together and shown by their source file.
    """
    archives = [p for p in paths if p.endswith(".a")]
    # A target's object list names its precompiled header too: no object.
    objects = [os.path.normpath(p) for p in paths if p.endswith(".o")]
    runs = [(a, [a]) for a in archives]
    if objects:
        runs.append((None, objects))
    for archive, inputs in runs:
        current = shown_object(inputs[0]) if len(inputs) == 1 and archive is None else None
        ordinal = 0
        for line in run_nm(nm, inputs).splitlines():
            symbol = SYMBOL_LINE.match(line)
            if symbol:
                if current is not None:
                    yield current, symbol.group(1), symbol.group(2)
            elif line.endswith(":"):
                # The line before an object's symbols names the object.
                if archive is None:
                    current = shown_object(line[:-1])
                else:
                    ordinal += 1
                    current = f"{archive.rsplit('/', 1)[-1]}({line[:-1]} #{ordinal})"


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nm", default="nm")
    parser.add_argument("--list", help="a file naming the inputs, one a line")
    parser.add_argument("inputs", nargs="*", metavar="LIBRARY.a|OBJECT.o")
    args = parser.parse_args()
    if args.list:
        with open(args.list, encoding="utf-8") as listed:
            args.inputs += [line.strip() for line in listed if line.strip()]
    if not args.inputs:
        parser.error("no libraries or objects to read")

    strong = {}  # name -> {object: {symbol}}
    weak = {}
    for obj, kind, symbol in read_symbols(args.nm, args.inputs):
        if symbol.startswith(("vtable for ", "typeinfo ", "guard variable ", "DW.ref.")):
            continue
        name = base_name(symbol)
        if kind in STRONG:
            strong.setdefault(name, {}).setdefault(obj, set()).add(symbol)
        elif kind in WEAK and not is_template(name) and not name.startswith("std::"):
            weak.setdefault(name, {}).setdefault(obj, set()).add(symbol)

    clashes = []
    for name, objects in sorted(strong.items()):
        defined = set().union(*objects.values())
        inline = {obj: symbols - defined for obj, symbols in weak.get(name, {}).items() if symbols - defined}
        if len(objects) > 1 or inline:
            clashes.append((name, objects, inline))

    if not clashes:
        print("one definition per name: ok")
        return 0
    for name, objects, inline in clashes:
        print(f"one definition per name: {name} is defined in more than one place:")
        for obj, symbols in sorted(objects.items()):
            for symbol in sorted(symbols):
                print(f"    {obj}: {symbol}")
        for obj, symbols in sorted(inline.items()):
            for symbol in sorted(symbols):
                print(f"    {obj}: {symbol} (inline copy)")
    print(f"one definition per name: {len(clashes)} name(s) defined twice; rename one of each")
    return 1


if __name__ == "__main__":
    sys.exit(main())
