#!/usr/bin/env python3
"""Writes game/system/font8x8.cpp, the built-in 8 x 8 font, from glyphs.txt.

The plain glyphs come from glyphs.txt; the accented letters of
Windows-1252 are composed here from a base letter and an accent, capitals
as short capitals under the accent.  Codes without a glyph stay blank."""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, '..', '..', 'support', 'font8x8.cpp')


def read_glyphs(path):
    glyphs = {}
    lines = [l.rstrip('\n') for l in open(path) if not l.startswith('# ')]
    i = 0
    while i < len(lines):
        if not lines[i].strip():
            i += 1
            continue
        code = int(lines[i], 16)
        rows = lines[i + 1:i + 9]
        assert len(rows) == 8 and all(len(r) == 8 for r in rows), hex(code)
        assert code not in glyphs, hex(code)
        glyphs[code] = rows
        i += 9
    return glyphs


ACCENTS = {
    'grave': ['.##.....', '..##....'],
    'acute': ['...##...', '..##....'],
    'circ': ['..#.....', '.#.#....'],
    'tilde': ['.##.#...', '#.##....'],
    'diaer': ['##..##..', '........'],
    'ring': ['.###....', '.#.#....'],
    'caron': ['.#..#...', '..##....'],
}

# Capitals in rows 2-6, to leave room for an accent above.
SHORT_CAPS = {
    'A': ['..##....', '.####...', '##..##..', '######..', '##..##..'],
    'C': ['.####...', '##..##..', '##......', '##..##..', '.####...'],
    'E': ['######..', '##......', '#####...', '##......', '######..'],
    'I': ['.####...', '..##....', '..##....', '..##....', '.####...'],
    'N': ['##..##..', '###.##..', '######..', '##.###..', '##..##..'],
    'O': ['.####...', '##..##..', '##..##..', '##..##..', '.####...'],
    'U': ['##..##..', '##..##..', '##..##..', '##..##..', '.####...'],
    'Y': ['##..##..', '##..##..', '.####...', '..##....', '..##....'],
    'S': ['.#####..', '##......', '.####...', '....##..', '#####...'],
    'Z': ['######..', '...##...', '..##....', '.##.....', '######..'],
}

# Windows-1252 code: (base letter, accent).
COMPOSED = {
    0x8A: ('S', 'caron'), 0x8E: ('Z', 'caron'), 0x9A: ('s', 'caron'), 0x9E: ('z', 'caron'),
    0x9F: ('Y', 'diaer'),
    0xC0: ('A', 'grave'), 0xC1: ('A', 'acute'), 0xC2: ('A', 'circ'), 0xC3: ('A', 'tilde'),
    0xC4: ('A', 'diaer'), 0xC5: ('A', 'ring'), 0xC7: ('C', 'cedilla'),
    0xC8: ('E', 'grave'), 0xC9: ('E', 'acute'), 0xCA: ('E', 'circ'), 0xCB: ('E', 'diaer'),
    0xCC: ('I', 'grave'), 0xCD: ('I', 'acute'), 0xCE: ('I', 'circ'), 0xCF: ('I', 'diaer'),
    0xD1: ('N', 'tilde'),
    0xD2: ('O', 'grave'), 0xD3: ('O', 'acute'), 0xD4: ('O', 'circ'), 0xD5: ('O', 'tilde'),
    0xD6: ('O', 'diaer'),
    0xD9: ('U', 'grave'), 0xDA: ('U', 'acute'), 0xDB: ('U', 'circ'), 0xDC: ('U', 'diaer'),
    0xDD: ('Y', 'acute'),
    0xE0: ('a', 'grave'), 0xE1: ('a', 'acute'), 0xE2: ('a', 'circ'), 0xE3: ('a', 'tilde'),
    0xE4: ('a', 'diaer'), 0xE5: ('a', 'ring'), 0xE7: ('c', 'cedilla'),
    0xE8: ('e', 'grave'), 0xE9: ('e', 'acute'), 0xEA: ('e', 'circ'), 0xEB: ('e', 'diaer'),
    0xEC: ('i', 'grave'), 0xED: ('i', 'acute'), 0xEE: ('i', 'circ'), 0xEF: ('i', 'diaer'),
    0xF1: ('n', 'tilde'),
    0xF2: ('o', 'grave'), 0xF3: ('o', 'acute'), 0xF4: ('o', 'circ'), 0xF5: ('o', 'tilde'),
    0xF6: ('o', 'diaer'),
    0xF9: ('u', 'grave'), 0xFA: ('u', 'acute'), 0xFB: ('u', 'circ'), 0xFC: ('u', 'diaer'),
    0xFD: ('y', 'acute'), 0xFF: ('y', 'diaer'),
}


def compose(glyphs, base, accent):
    if accent == 'cedilla':
        rows = list(glyphs[ord(base)])
        rows[7] = '..##....'
        return rows
    if base.isupper():
        body = SHORT_CAPS[base] + ['........']
    elif base == 'i':
        body = list(glyphs[ord('i')][2:])
    else:
        body = list(glyphs[ord(base)][2:])
    return ACCENTS[accent] + body


def main():
    glyphs = read_glyphs(os.path.join(HERE, 'glyphs.txt'))
    for code, (base, accent) in COMPOSED.items():
        assert code not in glyphs, hex(code)
        glyphs[code] = compose(glyphs, base, accent)
    glyphs[0xA0] = ['........'] * 8  # no-break space
    out = ['// The built-in 8 x 8 font of the graphics layer, Windows-1252: 8 bytes per',
           '// glyph, a byte per row from the top, bit 7 the leftmost pixel.  Written',
           '// by tools/font8x8/make_font.py from the hand-drawn tools/font8x8/glyphs.txt;',
           '// control codes and unassigned codes are blank.',
           '#include "game/system/display2d.h"',
           '',
           'const uint8_t GfxFont8x8[GFX_FONT_GLYPHS * 8] = {']
    for code in range(256):
        rows = glyphs.get(code, ['........'] * 8)
        values = [sum(0x80 >> i for i, c in enumerate(r) if c == '#') for r in rows]
        shown = bytes([code]).decode('cp1252', errors='replace') if code >= 0x20 else ' '
        if code in (0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D, 0xA0, 0xAD) or code < 0x20:
            shown = ' '
        if shown == '\\':
            shown = 'backslash'  # a backslash would splice the next line into the comment
        note = '0x%02X %s' % (code, shown if shown.strip() else '')
        out.append('    ' + ', '.join('0x%02X' % v for v in values) + ',  // ' + note.rstrip())
    out.append('};')
    with open(OUT, 'w', encoding='utf-8') as f:
        f.write('\n'.join(out) + '\n')
    missing = [c for c in range(0x20, 0x100) if c not in glyphs and c not in (0x7F, 0x81, 0x8D, 0x8F, 0x90, 0x9D)]
    if missing:
        print('no glyph for', ' '.join('%02X' % c for c in missing), file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
