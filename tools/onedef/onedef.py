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

And one declaration per name: no two headers declare (or define inline) one
function or extern variable at namespace scope, overloads included; each is
declared in the header of the file that defines it, so that a change of its
parameters cannot leave a stale copy elsewhere that some callers still see.
Overloads declared side by side in one header pass.

    onedef.py [--nm NM] [--list FILE] [--headers FILE] [--root DIR] [LIBRARY.a|OBJECT.o...]

--headers names a file that lists the headers to read, one a line; --root is
the folder their paths are shown from. Prints each clash with the objects
that define the name or the headers that declare it and exits 1 if there is
any; prints one line and exits 0 if there is none.
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


# ---- Declarations in headers ----------------------------------------------

HEADER_TOKEN = re.compile(
    r"""(?P<pp>^[ \t]*\#(?:\\\n|[^\n])*)
    |(?P<ws>[ \t\r\f\v]+|\n)
    |(?P<comment>//[^\n]*|/\*.*?\*/)
    |(?P<string>[uUL8]*R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"|[uUL8]*"(?:\\.|[^"\\\n])*"|'(?:\\.|[^'\\\n])*')
    |(?P<ident>[A-Za-z_]\w*)
    |(?P<number>\.?\d(?:[\w.]|'\w)*)
    |(?P<punct>::|.)""",
    re.S | re.M | re.X,
)
# Words that stand before a '(' without naming what a statement declares.
NOT_A_NAME = {"operator", "decltype", "sizeof", "alignof", "noexcept", "static_assert", "requires", "void", "int",
              "char", "bool", "float", "double", "long", "short", "unsigned", "signed", "auto"}
TYPE_KEYS = {"class", "struct", "union", "enum"}


def header_tokens(text):
    """(kind, text, line) of each token, without comments, white space and
    preprocessor lines."""
    line = 1
    at = 0
    for match in HEADER_TOKEN.finditer(text):
        line += text.count("\n", at, match.start())
        at = match.start()
        kind = match.lastgroup
        if kind == "delim":
            kind = "string"
        if kind not in ("pp", "ws", "comment"):
            yield kind, match.group(0), line


def skip_group(tokens, i, opening, closing):
    """The index just past the group that opens at tokens[i]."""
    depth = 0
    while i < len(tokens):
        if tokens[i][1] == opening:
            depth += 1
        elif tokens[i][1] == closing:
            depth -= 1
            if depth == 0:
                return i + 1
        i += 1
    return i


def without_attributes(tokens):
    """The tokens less [[...]] and __attribute__((...)) and alignas(...)."""
    kept = []
    i = 0
    while i < len(tokens):
        text = tokens[i][1]
        following = tokens[i + 1][1] if i + 1 < len(tokens) else ""
        if text == "[" and following == "[":
            i = skip_group(tokens, i, "[", "]")
        elif text in ("__attribute__", "alignas") and following == "(":
            i = skip_group(tokens, i + 1, "(", ")")
        else:
            kept.append(tokens[i])
            i += 1
    return kept


def variable_names(tokens, words):
    """The names an extern variable's declaration gives (one for each
    declarator of `extern int a, b;`)."""
    if "extern" not in words:
        return []
    names = []
    depth = 0
    name = None
    for (kind, text, _), word in zip(tokens, words):
        if word in ("(", "[", "{", "<"):
            depth += 1
        elif word in (")", "]", "}", ">"):
            depth -= 1
        elif depth == 0 and word == ",":
            names.append(name)
            name = None
        elif depth == 0 and word == "=":
            depth = 1 << 16  # the initialiser: nothing more to name until the end
        if depth == 0 and kind == "ident" and word not in NOT_A_NAME:
            name = word
    names.append(name)
    return [n for n in names if n]


def declared_names(statement):
    """The names of the function or extern variables a namespace-scope
    statement declares; none for anything else (types, aliases, constants,
    function pointers)."""
    tokens = without_attributes(statement)
    words = [t[1] for t in tokens]
    if words[:1] == ["template"]:
        # Drop the template's parameter list.
        end = skip_group(tokens, 1, "<", ">")
        tokens, words = tokens[end:], words[end:]
    if not words or words[0] in ("typedef", "using", "static_assert", "friend", "namespace") or words[0] in TYPE_KEYS:
        return []
    if "(" not in words or ("=" in words and words.index("=") < words.index("(")):
        return variable_names(tokens, words)  # no parameter list before any initialiser
    at = words.index("(")
    if at == 0 or tokens[at - 1][0] != "ident" or words[at - 1] in NOT_A_NAME:
        return []  # a function pointer, a macro's use or the like
    if at + 1 < len(words) and words[at + 1] in ("*", "&"):
        return []
    start = at - 1
    while start >= 2 and words[start - 1] == "::" and tokens[start - 2][0] == "ident":
        start -= 2
    return ["".join(words[start:at])]


def header_declarations(text):
    """(qualified name, line) of each function and extern variable a header
    declares or defines at namespace scope; class members are not read."""
    found = []
    namespaces = []  # the open namespace blocks; None for extern "C" { }
    statement = []
    opaque = 0  # depth inside a body that is not a namespace's
    function_body = False

    def record(name, line):
        found.append(("::".join([n for n in namespaces if n] + [name]), line))

    for kind, text_, line in header_tokens(text):
        if opaque:
            if text_ == "{":
                opaque += 1
            elif text_ == "}":
                opaque -= 1
                if opaque == 0 and function_body:
                    statement = []
            continue
        if text_ == "{":
            words = [t[1] for t in without_attributes(statement)]
            if "namespace" in words[:2] and "(" not in words:
                names = [w for w in words if w not in ("namespace", "inline")]
                namespaces.append("".join(names) or "(anonymous namespace)")
                statement = []
            elif words[:1] == ["extern"] and len(statement) == 2 and statement[1][0] == "string":
                namespaces.append(None)
                statement = []
            else:
                names = declared_names(statement) if statement else []
                function_body = bool(names) and words[-1:] != ["="] and ")" in words
                if function_body:
                    record(names[0], statement[0][2])
                opaque = 1
            continue
        if text_ == "}":
            if namespaces:
                namespaces.pop()
            statement = []
            continue
        if text_ == ";":
            for name in declared_names(statement) if statement else []:
                record(name, statement[0][2])
            statement = []
            continue
        statement.append((kind, text_, line))
    return found


def read_headers(paths, root):
    """name -> {header: [line]} for every header."""
    declared = {}
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as header:
            text = header.read()
        shown = os.path.relpath(path, root) if root else path
        for name, line in header_declarations(text):
            declared.setdefault(name, {}).setdefault(shown, []).append(line)
    return declared


def read_list(path):
    with open(path, encoding="utf-8") as listed:
        return [line.strip() for line in listed if line.strip()]


# ---- The check ----------------------------------------------------------------


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--nm", default="nm")
    parser.add_argument("--list", help="a file naming the inputs, one a line")
    parser.add_argument("--headers", help="a file naming the headers to read, one a line")
    parser.add_argument("--root", help="the folder the headers are shown from")
    parser.add_argument("inputs", nargs="*", metavar="LIBRARY.a|OBJECT.o")
    args = parser.parse_args()
    if args.list:
        args.inputs += read_list(args.list)
    headers = read_list(args.headers) if args.headers else []
    if not args.inputs and not headers:
        parser.error("no libraries, objects or headers to read")

    strong = {}  # name -> {object: {symbol}}
    weak = {}
    for obj, kind, symbol in read_symbols(args.nm, args.inputs) if args.inputs else ():
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

    declared = read_headers(headers, args.root)
    twice = [(name, where) for name, where in sorted(declared.items()) if len(where) > 1]

    if not clashes and not twice:
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
    for name, where in twice:
        print(f"one definition per name: {name} is declared in more than one header:")
        for header, lines in sorted(where.items()):
            print(f"    {header}:{lines[0]}")
    if clashes:
        print(f"one definition per name: {len(clashes)} name(s) defined twice; rename one of each")
    if twice:
        print(f"one definition per name: {len(twice)} name(s) declared in two headers; keep each in the header "
              "of the file that defines it")
    return 1


if __name__ == "__main__":
    sys.exit(main())
