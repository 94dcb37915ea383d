"""The settings file as the scripted tests need it.

  settings_file.py quiet PATH    writes a first-start file that opens no help screen
  settings_file.py painted PATH  prints how many regions the file holds as painted
  settings_file.py summary PATH  prints "language L shown S painted N wells W": the
                                 shown page and how many wells are full
  settings_file.py paint PATH PAGE:ELEMENT:R,G,B[:0] ...
                                 writes a quiet file with those regions painted
                                 (colours 0-255; ":0" keeps one unpainted), the
                                 first page named shown

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


def with_paint(strokes):
    """A quiet file whose pages hold the given (page, element, (r, g, b), painted) strokes."""
    pages = {}
    for page, element, rgb, flag in strokes:
        pages.setdefault(page, []).append((element, rgb, flag))
    out = quiet_defaults()[:-8] + struct.pack("<ii", 0, len(pages))
    for page, records in pages.items():
        out += struct.pack("<ii", page, len(records))
        for element, rgb, flag in records:
            r, g, b = (c / 255.0 for c in rgb)
            # The paint amounts only matter for mixing; the RGB part is what shows.
            out += struct.pack("<i", element) + bytes([flag, 0, 0, 0]) + struct.pack("<6d", r, g, b, r, g, b)
    return out


def painted(data, pages=None):
    at, count = 243, 0
    for _ in range(struct.unpack_from("<i", data, 239)[0]):
        page, n = struct.unpack_from("<ii", data, at)
        if pages is not None:
            pages.append(page)
        at += 8
        count += sum(data[at + 56 * k + 4] != 0 for k in range(n))
        at += 56 * n
    return count


def summary(data):
    pages, current = [], struct.unpack_from("<i", data, 235)[0]
    count = painted(data, pages)
    shown = pages[current] if 0 <= current < len(pages) else 0
    wells = sum(data[11 + 56 * k] == 0 for k in range(4))
    return f"language {struct.unpack_from('<i', data, 7)[0]} shown {shown} painted {count} wells {wells}"


if __name__ == "__main__":
    mode, path = sys.argv[1], sys.argv[2]
    if mode == "quiet":
        with open(path, "wb") as f:
            f.write(quiet_defaults())
    elif mode == "paint":
        strokes = []
        for arg in sys.argv[3:]:
            page, element, rgb, *flag = arg.split(":")
            painted_flag = int(flag[0]) if flag else 1
            strokes.append((int(page), int(element), tuple(int(c) for c in rgb.split(",")), painted_flag))
        with open(path, "wb") as f:
            f.write(with_paint(strokes))
    elif mode in ("painted", "summary"):
        with open(path, "rb") as f:
            print((painted if mode == "painted" else summary)(f.read()))
    else:
        sys.exit("usage: settings_file.py quiet|painted|summary|paint PATH ...")
