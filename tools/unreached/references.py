"""The walk of the references between the sections of the game's objects.

The linker keeps every section a kept section names, so a routine named by
a table stays when the table stays; and a table a static initialiser fills
stays with the initialiser, which the program runs at start-up, whether or
not anything ever reads the table. This walk follows the objects' own
relocations from main as the linker does, with one difference: a static
initialiser (with the helpers it calls, which only turn their argument
into a value) reaches what it names only through the data it fills. The
routines it names are reached when something reached reads that data (all
the data one initialiser names counts as one: if any of it is reached, all
it names is). An initialiser that calls anything else (a constructor, a
registration, the exit list) might hand them on, and reaches them all as
the linker's walk does.
"""

import collections
import struct
import sys

SHT_SYMTAB, SHT_RELA, SHT_SYMTAB_SHNDX = 2, 4, 18
SHF_EXECINSTR = 0x4
SHN_XINDEX = 0xFFFF
STB_LOCAL, STB_GLOBAL, STB_WEAK = 0, 1, 2
STT_SECTION = 3
CALL_OPCODES = (0xE8, 0xE9)  # call and jmp, 32-bit displacement
# Unwinding and debugging records name every routine: they reach nothing.
IGNORED = (".eh_frame", ".debug", ".note", ".comment", ".gcc_except_table", ".group")
INIT_TABLES = (".init_array", ".preinit_array", ".ctors")
EXIT_TABLES = (".fini_array", ".dtors")  # what they name runs at exit


class ElfObject:
    """A relocatable x86-64 object: its section names, its symbols
    (name, binding, section index or None, section symbol?) and its
    relocations (offset, symbol index) by the section they patch."""

    def __init__(self, path):
        with open(path, "rb") as f:
            self.data = data = f.read()
        if data[:4] != b"\x7fELF" or data[4] != 2 or data[5] != 1:
            sys.exit(f"unreached: {path} is not a 64-bit little-endian object")
        shoff, = struct.unpack_from("<Q", data, 0x28)
        shnum, shstrndx = struct.unpack_from("<HH", data, 0x3C)
        if shnum == 0:
            shnum, = struct.unpack_from("<Q", data, shoff + 0x20)
        if shstrndx == SHN_XINDEX:
            shstrndx, = struct.unpack_from("<I", data, shoff + 0x28)
        # name, type, flags, address, offset, size, link, info, align, entry size
        headers = [struct.unpack_from("<IIQQQQIIQQ", data, shoff + 64 * i) for i in range(shnum)]
        self.sections = [self._string(headers[shstrndx][4], h[0]) for h in headers]
        self.flags = [h[2] for h in headers]
        self.offsets = [h[4] for h in headers]
        self.symbols = []
        self.relocations = collections.defaultdict(list)
        wide_indices = {h[6]: h for h in headers if h[1] == SHT_SYMTAB_SHNDX}
        for index, h in enumerate(headers):
            if h[1] != SHT_SYMTAB:
                continue
            strings = headers[h[6]][4]
            wide = wide_indices.get(index)
            for i in range(h[5] // 24):
                name, info, shndx = struct.unpack_from("<IBxH", data, h[4] + 24 * i)
                if shndx == SHN_XINDEX and wide is not None:
                    shndx, = struct.unpack_from("<I", data, wide[4] + 4 * i)
                self.symbols.append((self._string(strings, name), info >> 4,
                                     shndx if 0 < shndx < shnum else None, info & 0xF == STT_SECTION))
        for h in headers:
            if h[1] == SHT_RELA:
                for i in range(h[5] // 24):
                    offset, info = struct.unpack_from("<QQ", data, h[4] + 24 * i)
                    self.relocations[h[7]].append((offset, info >> 32))

    def _string(self, table, offset):
        start = table + offset
        return self.data[start:self.data.index(b"\0", start)].decode("latin-1")

    def is_call(self, section, offset):
        """Whether the patched field is a call's or a jump's target."""
        return (self.flags[section] & SHF_EXECINSTR != 0 and offset > 0
                and self.data[self.offsets[section] + offset - 1] in CALL_OPCODES)

    def section_of(self):
        """Symbol name -> the name of the section that holds it."""
        return {name: self.sections[shndx] for name, _, shndx, is_section in self.symbols
                if shndx is not None and not is_section}


def is_static_initialiser(section):
    return "__static_initialization_and_destruction" in section or "_GLOBAL__sub_I_" in section


def reached_sections(objects):
    """The sections, as (object, section name), reached from main; and the
    objects read."""
    elf = {path: ElfObject(path) for path in objects}
    strong, weak = collections.defaultdict(list), collections.defaultdict(list)
    for path, o in elf.items():
        for name, binding, shndx, _ in o.symbols:
            if name and shndx is not None and binding in (STB_GLOBAL, STB_WEAK):
                (strong if binding == STB_GLOBAL else weak)[name].append((path, o.sections[shndx]))

    def targets(path, o, symbol):
        name, binding, shndx, _ = o.symbols[symbol]
        if shndx is not None and binding == STB_LOCAL:
            return [(path, o.sections[shndx])]
        # A routine defined in several objects (an inline one) is each of them.
        return strong.get(name) or weak.get(name) or []

    edges = collections.defaultdict(set)
    calls = collections.defaultdict(set)
    calls_outside = set()  # sections that call a routine no object defines
    initialisers = []
    roots = set(strong.get("main", []))
    for path, o in elf.items():
        for section, entries in o.relocations.items():
            source = (path, o.sections[section])
            if source[1].startswith(INIT_TABLES):
                initialisers.extend(t for _, symbol in entries for t in targets(path, o, symbol))
                continue
            if source[1].startswith(EXIT_TABLES):
                roots.update(t for _, symbol in entries for t in targets(path, o, symbol))
                continue
            if source[1].startswith(IGNORED):
                continue
            for offset, symbol in entries:
                found = targets(path, o, symbol)
                edges[source].update(found)
                if o.is_call(section, offset):
                    calls[source].update(found)
                    if not found:
                        calls_outside.add(source)

    for start in initialisers:
        family, work = {start}, [start]
        while work:
            for callee in calls[work.pop()]:
                if callee[0] == start[0] and is_static_initialiser(callee[1]) and callee not in family:
                    family.add(callee)
                    work.append(callee)
        called = set().union(*(calls[node] for node in family)) - family
        named = set().union(*(edges[node] for node in family)) - family - called
        roots |= family | called
        if family & calls_outside or any(edges[node] for node in called):
            roots |= named
            continue
        # What it names goes into the data it names: a stand-in node that
        # any of that data reaches, and that reaches all it names.
        filled = ("", "data filled by " + start[1])
        edges[filled] = named
        for node in family:
            edges[node] = set(called)
        for node in named:
            if not node[1].startswith(".text"):
                edges[node].add(filled)

    reached, work = set(), list(roots)
    while work:
        node = work.pop()
        if node not in reached:
            reached.add(node)
            work.extend(edges[node] - reached)
    return reached, elf
