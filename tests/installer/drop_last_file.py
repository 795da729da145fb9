"""Writes a copy of a pack archive without its last file, as a newer pack
with one file fewer would be (the removal tests install it over the whole
pack):

    drop_last_file.py INPUT OUTPUT

The dropped file's compressed bytes stay behind the tables, unreferenced;
every other file's data offset moves with the shorter table.
"""

import struct
import sys

with open(sys.argv[1], "rb") as source:
    data = source.read()
magic, directories = struct.unpack_from("<II", data, 0)
position = 8
for _ in range(directories):
    (length,) = struct.unpack_from("<I", data, position)
    position += 4 + length
(files,) = struct.unpack_from("<I", data, position)
count_at = position
position += 4
records = []
for _ in range(files):
    (length,) = struct.unpack_from("<I", data, position)
    end = position + 4 + length + 28
    records.append(data[position:end])
    position = end
tables_end = position
removed = len(records[-1])
kept = []
for record in records[:-1]:
    (length,) = struct.unpack_from("<I", record, 0)
    at = 4 + length + 8  # the data offset follows the name and the two sizes
    (offset,) = struct.unpack_from("<I", record, at)
    kept.append(record[:at] + struct.pack("<I", offset - removed) + record[at + 4:])
output = data[:count_at] + struct.pack("<I", files - 1) + b"".join(kept) + data[tables_end:]
with open(sys.argv[2], "wb") as target:
    target.write(output)
