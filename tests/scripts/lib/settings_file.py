"""The settings file as the scripted tests need it.

  settings_file.py quiet PATH    writes a first-start file that opens no help screen
  settings_file.py painted PATH  prints how many regions the file holds as painted

Layout: version, three switch bytes, language, four 56-byte wells (243 bytes
with the current list and the block count), then page blocks of (page, count,
count x 56-byte records whose byte 4 is the painted flag), little-endian.
"""
import struct
import sys


def quiet_defaults():
    out = struct.pack("<i", 0) + bytes([0, 1, 1]) + struct.pack("<i", 0)
    white = struct.pack("<6d", 1.0, 1.0, 1.0, 0.0, 0.0, 0.0)
    for _ in range(4):
        out += bytes([1]) + bytes(7) + white
    return out + struct.pack("<ii", -1, 0)


def painted(data):
    at, count = 243, 0
    for _ in range(struct.unpack_from("<i", data, 239)[0]):
        _page, n = struct.unpack_from("<ii", data, at)
        at += 8
        count += sum(data[at + 56 * k + 4] != 0 for k in range(n))
        at += 56 * n
    return count


if __name__ == "__main__":
    mode, path = sys.argv[1], sys.argv[2]
    if mode == "quiet":
        with open(path, "wb") as f:
            f.write(quiet_defaults())
    elif mode == "painted":
        with open(path, "rb") as f:
            print(painted(f.read()))
    else:
        sys.exit("usage: settings_file.py quiet|painted PATH")
