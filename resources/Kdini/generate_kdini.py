#!/usr/bin/env python3
"""Writes the installed layout files Kdini/进账单.ini and Kdini/支票.ini.

Every section of a document's list, in list order, with the keys "left", "top", "name" and
"size", as GBK text with CR LF line ends, the way the program itself writes them. The build
copies the two files into the program folder; a fresh installation loads them into the fields
and prints with them.

Where the fields stand: the designed place of each field over the form picture, except where
the print rules would put the printed text outside its box:

- A text prints with its top-left corner at the field's left + two average characters of its
  font (at 10 points about 13 screen pixels). The wide boxes take that; a few narrow ones
  (dates, short names) stand further left so that their text still ends inside the box.
- An amount prints its last digit from the field's right edge onwards, plus the same two
  average characters, one cell per (size + 字间距) pixels to the left. The amount fields
  therefore stand two grid cells left of the picture's grid, so each digit lands in its own
  cell; size + 字间距 (2 in the installed settings rows) equals the width of a grid cell.
- A text prints from the field's top downwards. A few fields stand a little lower than
  designed, so their text sits level with the form's 年 月 日 or clear of a rule above it.

Usage: generate_kdini.py [output folder]   (default: the folder of this script)
"""

import os
import sys

FACE = "宋体"

# (section, left, top, size), in the list order of the layout file.
SLIP = [
    ("jzyxmc", 343, 22, 10),
    ("yedit", 424, 47, 10),    # designed 435, 45: "2024" ends before the 年 of the form
    ("medit", 488, 47, 10),    # designed 497: two digits + 13 px would reach 月
    ("dedit", 526, 47, 10),    # designed 534; the dates 2 px lower, level with 年 月 日
    ("jzsdate", 607, 42, 10),
    ("cpqc", 339, 65, 10),
    ("cpzh", 339, 84, 10),
    ("cpyx", 339, 103, 10),
    ("skqc", 596, 66, 10),
    ("skzh", 596, 86, 10),
    ("skyx", 596, 103, 10),
    ("dxedit", 339, 132, 10),
    ("jzxx", 605, 145, 10),    # designed 629: two cells of 12 px left
    ("pjzl", 321, 162, 10),
    ("pjzs", 455, 162, 10),
    ("pjhm", 321, 182, 10),
    ("jzbb", 616, 174, 10),
    ("jzyt", 321, 209, 10),
    ("xje", 327, 237, 10),
    ("jzfh", 580, 249, 10),
    ("jzjz", 666, 249, 10),
    ("cyedit", 45, 41, 9),     # designed 53, 38; the stub's date blanks are narrower
    ("cmedit", 96, 42, 9),     # 3 px lower, level with the captions
    ("cdedit", 126, 42, 9),    # designed 136
    ("ccpqc", 85, 58, 10),
    ("ccpzh", 85, 77, 10),
    ("ccpyx", 85, 94, 10),
    ("cjzxx", 57, 133, 9),     # designed 79: two cells of 11 px left
    ("cskqc", 86, 154, 10),
    ("cskzh", 86, 173, 10),
    ("cskyx", 86, 192, 10),
    ("cpjzl", 64, 215, 10),
    ("cpjzs", 171, 215, 10),
    ("cpjhm", 67, 236, 10),
    ("cfh", 44, 295, 9),       # two characters fit the short blanks at 9 points
    ("cjz", 125, 295, 9),
]

CHEQUE = [
    ("yxmc", 271, 21, 10),
    ("yyd", 325, 47, 9),       # designed 336: four capitals end before the 年 of the form
    ("mmd", 398, 47, 9),       # three capitals ("壹拾壹") fit at 9 points
    ("ddd", 454, 47, 9),       # designed 456
    ("zpdate", 516, 46, 10),
    ("fkh", 616, 47, 10),
    ("cprzh", 616, 63, 10),
    ("skredit", 298, 64, 10),
    ("jedxedit", 312, 89, 10),
    ("zpje", 574, 99, 11),     # designed 600: two cells of 13 px left
    ("ytedit", 280, 124, 10),
    ("mm", 505, 138, 10),
    ("JELAB", 330, 184, 10),
    ("xxedit", 427, 184, 10),
    ("cgyx", 5, 13, 10),
    ("fjxx1", 35, 85, 10),
    ("fjxx2", 35, 102, 10),    # designed 101 and 116: the text stays clear of the
    ("fjxx3", 35, 118, 10),    # rule above it
    ("yyx", 66, 145, 9),       # designed 75, 111, 136 and 143: the stub's date blanks
    ("mmx", 102, 145, 9),
    ("ddx", 126, 145, 9),
    ("cskr", 70, 175, 10),
    ("cje", 70, 192, 10),
    ("cyt", 70, 209, 10),      # designed 207: clear of the rule above
    ("zg", 65, 242, 9),        # designed 75 and 136: a two-character name ends before
    ("hj", 127, 242, 9),       # the next caption
]


def layout_text(sections):
    lines = []
    for name, left, top, size in sections:
        lines += [f"[{name}]", f"left={left}", f"top={top}", f"name={FACE}", f"size={size}"]
    return "".join(line + "\r\n" for line in lines)


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.dirname(os.path.abspath(__file__))
    assert len(SLIP) == 36 and len(CHEQUE) == 26
    for document, sections in (("进账单", SLIP), ("支票", CHEQUE)):
        with open(os.path.join(folder, document + ".ini"), "wb") as out:
            out.write(layout_text(sections).encode("gbk"))


if __name__ == "__main__":
    main()
