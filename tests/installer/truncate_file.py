"""Writes the first half of a file (rounded down) to another file:

    truncate_file.py INPUT OUTPUT
"""

import sys

with open(sys.argv[1], "rb") as source:
    data = source.read()
with open(sys.argv[2], "wb") as target:
    target.write(data[:len(data) // 2])
