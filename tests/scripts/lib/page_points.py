"""Where a page's regions land in a saved page picture.

  page_points.py [--as-seen] ARCHIVE WIDTH HEIGHT ELEMENT...

prints for each element "ELEMENT INSIDE_X INSIDE_Y EDGE_X EDGE_Y": a pixel well
inside the region where it shows (the point of its model furthest from the
line art, the regions in front and its own border) and a pixel on
its outline (the middle of its longest border edge), in a WIDTH x HEIGHT
picture as the program saves it for paper: the paper (the block's
furthest-forward mesh with the paper picture, less 0.4 units of rounded
corners) seen from the eye 100 units in front, as large as fits inside the
printable margins and centred between them; with --as-seen (Ctrl+S, --export
--as-seen) centred in the whole picture.
"""
import math
import struct
import sys

EYE = 100.0
CORNER = 0.4
# The printable margins, as shares of the width (sides) and height (top, bottom).
MARGIN_SIDE, MARGIN_TOP, MARGIN_BOTTOM = 0.04, 0.057, 0.095


def read_pak(path):
    data = open(path, "rb").read()
    count, at, entries = struct.unpack_from("<i", data, 0)[0], 4, {}
    for _ in range(count):
        n = data[at]
        name = data[at + 1:at + 1 + n].decode()
        size = struct.unpack_from("<i", data, at + 1 + n)[0]
        at += 5 + n
        entries[name] = data[at:at + size]
        at += size
    return entries


def meshes(model):
    """(texture name, [triangle of three (x, y, z)]) per mesh."""
    at = 1 + (4 if model[0] == 0xFF else 0)
    count = struct.unpack_from("<i", model, at)[0]
    at += 4
    out = []
    for _ in range(count):
        n = struct.unpack_from("<i", model, at)[0]
        name = model[at + 4:at + 4 + n].split(b"\0")[0].decode()
        at += 4 + n + 80 + 60
        tris = struct.unpack_from("<i", model, at)[0]
        at += 5
        v = struct.unpack_from("<%dd" % (tris * 9), model, at)
        at += tris * (72 + 72 + 48)
        out.append((name, [[tuple(v[t * 9 + c * 3:t * 9 + c * 3 + 3]) for c in range(3)] for t in range(tris)]))
    return out


def on_paper(p):
    """A model point projected onto the paper's plane, seen from the eye."""
    x, y, z = p
    k = EYE / (EYE + y)
    return x * k, z * k


def within(q, t):
    """q lies in triangle t (either winding), borders included."""
    def side(a, b):
        return (b[0] - a[0]) * (q[1] - a[1]) - (b[1] - a[1]) * (q[0] - a[0])
    s = [side(t[0], t[1]), side(t[1], t[2]), side(t[2], t[0])]
    return all(v >= 0 for v in s) or all(v <= 0 for v in s)


def box(ts):
    xs = [p[0] for t in ts for p in t]
    ys = [p[1] for t in ts for p in t]
    return min(xs), min(ys), max(xs), max(ys)


def deepest_showing(tris, covers, steps=40):
    """The point of the region furthest from where it does not show, on a grid."""
    x0, y0, x1, y1 = box(tris)
    step = max(x1 - x0, y1 - y0) / steps
    near = []
    for u in covers:
        b = box([u])
        if b[0] <= x1 and b[2] >= x0 and b[1] <= y1 and b[3] >= y0:
            near.append(u)
    shows = set()
    for i in range(steps + 1):
        for j in range(steps + 1):
            q = (x0 + i * step, y0 + j * step)
            if any(within(q, t) for t in tris) and not any(within(q, u) for u in near):
                shows.add((i, j))
    # Peel the shown cells from their border inwards; the last layer is deepest.
    layer = shows
    while True:
        inner = {c for c in layer if all((c[0] + dx, c[1] + dy) in layer for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))}
        if not inner:
            break
        layer = inner
    if not layer:
        return None
    i, j = sorted(layer)[len(layer) // 2]
    return x0 + i * step, y0 + j * step


def main():
    args = sys.argv[1:]
    as_seen = args[0] == "--as-seen"
    if as_seen:
        args = args[1:]
    archive, width, height = args[0], int(args[1]), int(args[2])
    pak = read_pak(archive)
    papers = [m for m in meshes(pak["block"]) if m[0] == "paper.png"]
    paper = min(papers, key=lambda m: min(p[1] for t in m[1] for p in t))[1]
    xs = [p[0] for t in paper for p in t]
    zs = [p[2] for t in paper for p in t]
    left, right = min(xs) + CORNER, max(xs) - CORNER
    bottom, top = min(zs) + CORNER, max(zs) - CORNER
    side, over, under = (0, 0, 0) if as_seen else (MARGIN_SIDE, MARGIN_TOP, MARGIN_BOTTOM)
    box_w, box_h = width * (1 - 2 * side), height * (1 - over - under)
    per_pixel = max((right - left) / box_w, (top - bottom) / box_h)
    mid_x, mid_y = (left + right) / 2, (bottom + top) / 2
    centre_x, centre_y = width / 2, height * over + box_h / 2  # rows from the top

    def pixel(q):
        return int(centre_x + (q[0] - mid_x) / per_pixel), int(centre_y - (q[1] - mid_y) / per_pixel)

    ink = [[on_paper(p) for p in t] for m in meshes(pak["block"]) if m[0] == "ink.png" for t in m[1]]
    regions = sum(1 for name in pak if name.startswith("el"))

    for element in args[3:]:
        tris = [[on_paper(p) for p in t] for m in meshes(pak["el" + element]) for t in m[1]]

        def inradius(t):
            a, b, c = (math.dist(t[1], t[2]), math.dist(t[0], t[2]), math.dist(t[0], t[1]))
            area = abs((t[1][0] - t[0][0]) * (t[2][1] - t[0][1]) - (t[2][0] - t[0][0]) * (t[1][1] - t[0][1])) / 2
            return 2 * area / (a + b + c) if a + b + c else 0, (a, b, c)

        # Regions later in the archive lie in front; the block's ink over all.
        covers = ink + [[on_paper(p) for p in t] for k in range(int(element) + 1, regions + 1)
                        for m in meshes(pak["el%d" % k]) for t in m[1]]
        inside = deepest_showing(tris, covers)
        if inside is None:
            sys.exit("region %s shows nowhere" % element)
        # Border edges belong to one triangle only.
        edges = {}
        for t in tris:
            for i in range(3):
                key = tuple(sorted((tuple(round(v, 6) for v in t[i]), tuple(round(v, 6) for v in t[(i + 1) % 3]))))
                edges[key] = edges.get(key, 0) + 1
        border = max((e for e, n in edges.items() if n == 1), key=lambda e: math.dist(*e))
        edge = ((border[0][0] + border[1][0]) / 2, (border[0][1] + border[1][1]) / 2)
        print(element, *pixel(inside), *pixel(edge))


if __name__ == "__main__":
    main()
