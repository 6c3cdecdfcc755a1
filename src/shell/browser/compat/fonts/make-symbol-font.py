#!/usr/bin/env python3
"""Makes a stand-in for a Windows symbol font (Webdings, Wingdings).

Pages of that time wrote letters and digits in those fonts to draw arrows,
check marks and boxes ("3" is the calendar's back arrow in Webdings). The
stand-in puts the same pictures at the same letters, taken from a Unicode
symbol font, so such text draws as it did while it stays the letters it is.

    make-symbol-font.py MAPPING SOURCE.ttf OUT.ttf FAMILY

MAPPING has one line per letter: its code in the Windows font (hex) and the
Unicode character that pictures it (hex); "#" starts a comment.
"""
import sys

from fontTools import subset
from fontTools.ttLib import TTFont
from fontTools.ttLib.tables._c_m_a_p import cmap_format_4


def read_mapping(path):
    pairs = {}
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            words = line.split("#", 1)[0].split()
            if not words:
                continue
            if len(words) != 2:
                sys.exit(f"{path}:{number}: expected 'code unicode', got {line.strip()!r}")
            code, char = int(words[0], 16), int(words[1], 16)
            if not 0x20 <= code <= 0xFF or code in pairs:
                sys.exit(f"{path}:{number}: code {code:#x} out of range or given twice")
            pairs[code] = char
    return pairs


def main(mapping_path, source_path, out_path, family):
    pairs = read_mapping(mapping_path)
    font = TTFont(source_path)
    glyph_of = font.getBestCmap()
    missing = sorted(c for c in pairs.values() if c not in glyph_of)
    if missing:
        sys.exit(f"{source_path} has no glyph for " + ", ".join(f"U+{c:04X}" for c in missing))

    # Only the glyphs the stand-in needs, then a character map of the letters.
    options = subset.Options()
    options.layout_features = []
    options.name_IDs = []
    options.notdef_outline = True
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=list(pairs.values()) + [0x20])
    subsetter.subset(font)

    table = cmap_format_4(4)
    table.platformID, table.platEncID, table.language = 3, 1, 0
    table.cmap = {code: glyph_of[char] for code, char in pairs.items()}
    table.cmap[0x20] = glyph_of[0x20]
    font["cmap"].tables = [table]

    names = font["name"]
    names.names = []
    for name_id, text in ((1, family), (2, "Regular"), (3, family), (4, family), (6, family.replace(" ", ""))):
        names.setName(text, name_id, 3, 1, 0x409)
    font.save(out_path)


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
