#!/usr/bin/env python3
"""Writes a baseline JPEG with restart markers (ImageMagick writes none) from a binary PPM.

usage: MakeJpgRestart.py in.ppm out.jpg SAMPLING RESTART [separate]
  SAMPLING  "grey", or the three components' factors, e.g. "2x2,1x1,1x1"
  RESTART   MCUs between restart markers (0: none)
  separate  one scan per component (not interleaved) instead of one scan of all

A plain encoder: JFIF's RGB to YCbCr, box-averaged subsampling, the textbook forward DCT, the
example quantisation tables at quality 85, Huffman tables made for the image's own symbols.
"""
import heapq
import math
import sys

ZIGZAG = [0, 1, 8, 16, 9, 2, 3, 10, 17, 24, 32, 25, 18, 11, 4, 5, 12, 19, 26, 33, 40, 48, 41, 34, 27, 20, 13, 6,
          7, 14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23, 30, 37, 44, 51, 58, 59, 52, 45, 38, 31,
          39, 46, 53, 60, 61, 54, 47, 55, 62, 63]
LUMA_Q = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56, 14, 17,
          22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92, 49, 64, 78,
          87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
CHROMA_Q = [17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99, 99, 99, 47,
            66, 99, 99, 99, 99, 99, 99] + [99] * 32
COS = [[math.cos((2 * x + 1) * u * math.pi / 16) * (math.sqrt(0.5) if u == 0 else 1.0) / 2 for x in range(8)]
       for u in range(8)]


def read_ppm(path):
    data = open(path, 'rb').read()
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    assert fields[0] == b'P6' and fields[3] == b'255'
    w, h = int(fields[1]), int(fields[2])
    px = data[pos + 1:pos + 1 + 3 * w * h]
    return w, h, px


def scaled(table, quality):
    s = 5000 // quality if quality < 50 else 200 - 2 * quality
    return [min(255, max(1, (q * s + 50) // 100)) for q in table]


def fdct(block):
    rows = [[sum(COS[u][x] * block[y * 8 + x] for x in range(8)) for u in range(8)] for y in range(8)]
    return [sum(COS[v][y] * rows[y][u] for y in range(8)) for v in range(8) for u in range(8)]


def category(v):
    v = abs(v)
    n = 0
    while v:
        n += 1
        v >>= 1
    return n


def bits_of(v, n):
    return v if v >= 0 else v + (1 << n) - 1


def huffman_lengths(freq):
    """Code lengths of an optimal code, at most 16 bits, one code point left unused."""
    freq = dict(freq)
    freq[256] = 1  # reserves the all-ones code
    heap = [(f, i, [s]) for i, (s, f) in enumerate(sorted(freq.items()))]
    heapq.heapify(heap)
    length = {s: 0 for s in freq}
    if len(heap) == 1:
        length[heap[0][2][0]] = 1
    n = len(heap)
    while len(heap) > 1:
        f1, _, a = heapq.heappop(heap)
        f2, _, b = heapq.heappop(heap)
        for s in a + b:
            length[s] += 1
        n += 1
        heapq.heappush(heap, (f1 + f2, n, a + b))
    counts = [0] * 40
    for s, l in length.items():
        counts[l] += 1
    # Longer than 16 bits: moved up two at a time, as the standard's example procedure does.
    for i in range(39, 16, -1):
        while counts[i] > 0:
            j = i - 2
            while counts[j] == 0:
                j -= 1
            counts[i] -= 2
            counts[i - 1] += 1
            counts[j + 1] += 2
            counts[j] -= 1
    i = 16
    while counts[i] == 0:
        i -= 1
    counts[i] -= 1  # the reserved code point
    # Lengths handed out again in order of frequency, shortest first.
    order = sorted((s for s in freq if s != 256), key=lambda s: (-freq[s], s))
    lengths, k = {}, 0
    for l in range(1, 17):
        for _ in range(counts[l]):
            lengths[order[k]] = l
            k += 1
    return lengths


def canonical(lengths):
    counts = [0] * 17
    for l in lengths.values():
        counts[l] += 1
    symbols = sorted(lengths, key=lambda s: (lengths[s], s))
    codes, code, k = {}, 0, 0
    for l in range(1, 17):
        for _ in range(counts[l]):
            codes[symbols[k]] = (code, l)
            code += 1
            k += 1
        code <<= 1
    return counts[1:], symbols, codes


class BitWriter:
    def __init__(self):
        self.out = bytearray()
        self.acc = 0
        self.n = 0

    def put(self, value, n):
        for i in range(n - 1, -1, -1):
            self.acc = (self.acc << 1) | ((value >> i) & 1)
            self.n += 1
            if self.n == 8:
                self.out.append(self.acc)
                if self.acc == 0xFF:
                    self.out.append(0)
                self.acc = self.n = 0

    def flush(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)


def main():
    src, dst, sampling, restart = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4])
    separate = len(sys.argv) > 5 and sys.argv[5] == 'separate'
    w, h, px = read_ppm(src)
    grey = sampling == 'grey'
    factors = [(1, 1)] if grey else [tuple(int(v) for v in f.split('x')) for f in sampling.split(',')]
    hmax = max(f[0] for f in factors)
    vmax = max(f[1] for f in factors)
    mcux, mcuy = -(-w // (8 * hmax)), -(-h // (8 * vmax))

    def at(x, y, c):
        x, y = min(x, w - 1), min(y, h - 1)
        r, g, b = px[3 * (y * w + x):3 * (y * w + x) + 3]
        if grey or c == 0:
            return 0.299 * r + 0.587 * g + 0.114 * b
        if c == 1:
            return -0.168736 * r - 0.331264 * g + 0.5 * b + 128
        return 0.5 * r - 0.418688 * g - 0.081312 * b + 128

    quality = 85
    tables = [scaled(LUMA_Q, quality), scaled(CHROMA_Q, quality)]
    comps = []
    for c, (ch, cv) in enumerate(factors):
        sx, sy = hmax // ch, vmax // cv
        cw, chh = mcux * ch * 8, mcuy * cv * 8
        plane = [[sum(at(x * sx + i, y * sy + j, c) for i in range(sx) for j in range(sy)) / (sx * sy)
                  for x in range(cw)] for y in range(chh)]
        q = tables[0 if c == 0 else 1]
        blocks = {}
        for by in range(chh // 8):
            for bx in range(cw // 8):
                block = [plane[by * 8 + y][bx * 8 + x] - 128 for y in range(8) for x in range(8)]
                f = fdct(block)
                blocks[(bx, by)] = [int(round(f[ZIGZAG[k]] / q[ZIGZAG[k]])) for k in range(64)]
        real_w = -(-(-(-w * ch // hmax)) // 8)
        real_h = -(-(-(-h * cv // vmax)) // 8)
        comps.append({'id': c + 1, 'h': ch, 'v': cv, 'tq': 0 if c == 0 else 1, 'blocks': blocks,
                      'units': (real_w, real_h), 'table': 0 if c == 0 else 1})

    # Scans: which blocks in which order, as lists of MCUs of (component, block).
    def scan_units(members):
        units = []
        if len(members) == 1:
            c = members[0]
            uw, uh = comps[c]['units']
            for by in range(uh):
                for bx in range(uw):
                    units.append([(c, (bx, by))])
            return units
        for my in range(mcuy):
            for mx in range(mcux):
                mcu = []
                for c in members:
                    cp = comps[c]
                    for y in range(cp['v']):
                        for x in range(cp['h']):
                            mcu.append((c, (mx * cp['h'] + x, my * cp['v'] + y)))
                units.append(mcu)
        return units

    scans = [[c] for c in range(len(comps))] if separate else [list(range(len(comps)))]
    # Symbols for the Huffman tables, then the data.
    def walk(units, emit):
        pred = {}
        for i, mcu in enumerate(units):
            if restart and i and i % restart == 0:
                emit('restart', (i // restart - 1) % 8)
                pred = {}
            for c, key in mcu:
                coef = comps[c]['blocks'][key]
                t = comps[c]['table']
                diff = coef[0] - pred.get(c, 0)
                pred[c] = coef[0]
                n = category(diff)
                emit(('dc', t), n, bits_of(diff, n) if n else None)
                run = 0
                last = max([k for k in range(1, 64) if coef[k]] or [0])
                for k in range(1, last + 1):
                    if coef[k] == 0:
                        run += 1
                        continue
                    while run > 15:
                        emit(('ac', t), 0xF0, None)
                        run -= 16
                    n = category(coef[k])
                    emit(('ac', t), (run << 4) | n, bits_of(coef[k], n))
                    run = 0
                if last < 63:
                    emit(('ac', t), 0, None)

    freqs = {}

    def count(kind, sym=None, extra=None):
        if kind == 'restart':
            return
        freqs.setdefault(kind, {})
        freqs[kind][sym] = freqs[kind].get(sym, 0) + 1

    for members in scans:
        walk(scan_units(members), count)
    codes = {kind: canonical(huffman_lengths(f)) for kind, f in freqs.items()}

    out = bytearray(b'\xff\xd8')

    def segment(marker, body):
        out.extend(bytes([0xFF, marker]) + (len(body) + 2).to_bytes(2, 'big') + body)

    segment(0xE0, b'JFIF\x00\x01\x01\x00\x00\x01\x00\x01\x00\x00')
    for t in range(1 if grey else 2):
        segment(0xDB, bytes([t]) + bytes(tables[t][ZIGZAG[k]] for k in range(64)))
    sof = bytes([8]) + h.to_bytes(2, 'big') + w.to_bytes(2, 'big') + bytes([len(comps)])
    for cp in comps:
        sof += bytes([cp['id'], (cp['h'] << 4) | cp['v'], cp['tq']])
    segment(0xC0, sof)
    for (kind, t), (counts, symbols, _) in sorted(codes.items()):
        segment(0xC4, bytes([(0 if kind == 'dc' else 0x10) | t] + counts + symbols))
    if restart:
        segment(0xDD, restart.to_bytes(2, 'big'))
    for members in scans:
        sos = bytes([len(members)])
        for c in members:
            t = comps[c]['table']
            sos += bytes([comps[c]['id'], (t << 4) | t])
        segment(0xDA, sos + bytes([0, 63, 0]))
        bw = BitWriter()

        def write(kind, sym=None, extra=None):
            if kind == 'restart':
                bw.flush()
                bw.out.extend(bytes([0xFF, 0xD0 + sym]))
                return
            code, n = codes[kind][2][sym]
            bw.put(code, n)
            if extra is not None:
                bw.put(extra, sym & 15)

        walk(scan_units(members), write)
        bw.flush()
        out.extend(bw.out)
    out.extend(b'\xff\xd9')
    open(dst, 'wb').write(out)


if __name__ == '__main__':
    main()
