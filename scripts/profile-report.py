#!/usr/bin/env python3
"""Where the sampled time went: reads the samples bench/Sampler wrote and names the program's and
the engine's functions on each sampled stack (the sampler unwinds the frames).

  profile-report.py SAMPLES --bin DIR [--from MS] [--to MS] [--step MS] [--top N] [--run N]
                    [--under NAME]

Inclusive: the time a function was on the stack. Own: the time the innermost function of ours was
it, with the platform library it was in at that moment. Timeline: for each step of the run, the
innermost functions of ours. --under keeps only samples with that function on the stack."""
import argparse
import bisect
import collections
import re
import struct
import subprocess
import sys


class Image:
    """A PE file's symbols and bytes, addressed by its preferred base."""

    def __init__(self, path):
        self.data = open(path, 'rb').read()
        pe = struct.unpack_from('<I', self.data, 0x3C)[0]
        nsec, optsize = struct.unpack_from('<H', self.data, pe + 6)[0], struct.unpack_from('<H', self.data, pe + 20)[0]
        header = pe + 24
        self.base = struct.unpack_from('<Q', self.data, header + 24)[0]
        self.sections = []
        for i in range(nsec):
            s = header + optsize + 40 * i
            vsize, va, rawsize, raw = struct.unpack_from('<IIII', self.data, s + 8)
            self.sections.append((va, max(vsize, rawsize), raw, rawsize))
        out = subprocess.run(['x86_64-w64-mingw32-nm', '-C', '--defined-only', path], capture_output=True,
                             text=True).stdout
        syms = []
        for line in out.splitlines():
            p = line.split(' ', 2)
            if len(p) == 3 and p[1] in 'tTwW':
                syms.append((int(p[0], 16), re.sub(r'\(.*', '', p[2])))
        syms.sort()
        self.addrs = [a for a, _ in syms]
        self.names = [n for _, n in syms]

    def byte(self, addr):
        rva = addr - self.base
        for va, size, raw, rawsize in self.sections:
            if va <= rva < va + size and rva - va < rawsize:
                return self.data[raw + rva - va]
        return None

    def name(self, addr):
        i = bisect.bisect_right(self.addrs, addr) - 1
        return self.names[i] if i >= 0 else hex(addr)

    def start(self, addr):
        i = bisect.bisect_right(self.addrs, addr) - 1
        return self.addrs[i] if i >= 0 else None

    def follows_call(self, r, inner):
        """True when the bytes before r end a call instruction: an indirect one (FF /2), or a direct
        one (E8) to the platform (an import's jump) or to the start of inner (the function of ours
        found on the stack below it, when known)."""
        b = self.byte
        if b(r - 5) == 0xE8:
            target = (r + struct.unpack('<i', bytes(b(r - 4 + i) or 0 for i in range(4)))[0]) & (2 ** 64 - 1)
            if b(target) == 0xFF and b(target + 1) == 0x25:
                return True
            return inner is None or self.start(target) == inner
        for k in range(2, 8):
            at = r - k
            modrm = b(at + 1)
            if b(at) != 0xFF or modrm is None or (modrm >> 3) & 7 != 2:
                continue
            mod, rm = modrm >> 6, modrm & 7
            if mod == 3:
                n = 2
            elif mod == 0:
                sib = b(at + 2) if rm == 4 else None
                n = 6 if rm == 5 else 3 + (4 if sib is not None and sib & 7 == 5 else 0) if rm == 4 else 2
            else:
                n = (3 if mod == 1 else 6) + (1 if rm == 4 else 0)
            if n == k:
                return True
        return False


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument('samples')
    ap.add_argument('--bin', required=True)
    ap.add_argument('--from', dest='lo', type=float, default=0)
    ap.add_argument('--to', dest='hi', type=float, default=1e12)
    ap.add_argument('--step', type=float, default=100)
    ap.add_argument('--top', type=int, default=25)
    ap.add_argument('--run', type=int, default=0, help='the run of the timeline (0: the median run)')
    ap.add_argument('--under', default=None)
    ap.add_argument('--tree', default=None, help='print the calls below this function as a tree')
    ap.add_argument('--min', type=float, default=5, help="the tree's smallest branch, ms a run")
    ap.add_argument('--phases', default=None,
                    help="print each run's time by the functions this one called (its phases), in order")
    a = ap.parse_args()
    images = {'pictavo.exe': Image(a.bin + '/Pictavo.exe'), 'vkeeng.dll': Image(a.bin + '/VkeEng.dll')}

    runs = []  # each: dict(mods, libs, samples, end)
    for line in open(a.samples, errors='replace'):
        p = line.split()
        if not p:
            continue
        if p[0] == 'run':
            runs.append({'mods': [], 'libs': [], 'samples': [], 'end': None})
        elif p[0] == 'mod':
            runs[-1]['mods'].append((int(p[1], 16), int(p[2], 16), p[3].lower()))
        elif p[0] == 'lib':
            runs[-1]['libs'].append((int(p[1], 16), int(p[2], 16), p[3]))
        elif p[0] == 's':
            bar = p.index('|') if '|' in p else len(p)
            runs[-1]['samples'].append((float(p[1]), int(p[2], 16), [int(x, 16) for x in p[3:bar]],
                                        [int(x, 16) for x in p[bar + 1:]]))
        elif p[0] == 'end':
            runs[-1]['end'] = float(p[1])
    runs = [r for r in runs if r['samples']]
    if not runs:
        sys.exit('no samples')

    def resolve(run, addr):
        for base, size, name in run['mods']:
            if base <= addr < base + size:
                img = images[name]
                return img, addr - base + img.base
        return None, None

    def lib(run, addr):
        for base, size, name in run['libs']:
            if base <= addr < base + size:
                return name
        return '?'

    tree = {}
    phases = []
    incl = collections.Counter()
    own = collections.Counter()
    total = 0.0
    timelines = []
    for run in runs:
        s = run['samples']
        tl = collections.defaultdict(collections.Counter)
        ph = []
        for i, (t, rip, stack, scanned) in enumerate(s):
            if t < a.lo or t > a.hi:
                continue
            w = (s[i + 1][0] - t) if i + 1 < len(s) else 1.0
            w = min(w, 5.0)
            img, rel = resolve(run, rip)
            chain = [img.name(rel)] if img else []
            inner = (img, img.start(rel)) if img else None
            for addr in stack:
                img2, rel2 = resolve(run, addr)
                if img2:
                    chain.append(img2.name(rel2 - 1))
                    inner = (img2, img2.start(rel2 - 1))
            for addr in scanned:
                img2, rel2 = resolve(run, addr)
                if img2 and img2.follows_call(rel2, inner[1] if inner and inner[0] is img2 else None):
                    chain.append(img2.name(rel2 - 1))
                    inner = (img2, img2.start(rel2 - 1))
            if a.under and a.under not in chain:
                continue
            total += w
            for f in set(chain):
                incl[f] += w
            inner = chain[0] if chain else '(no function of ours)'
            key = inner if img else '%s [%s]' % (inner, lib(run, rip))
            if a.phases:
                below = chain[:chain.index(a.phases)] if a.phases in chain else []
                name = below[-1] if below else (a.phases if a.phases in chain else '-')
                if ph and ph[-1][0] == name:
                    ph[-1][2] = t + w
                else:
                    ph.append([name, t, t + w])
            if a.tree and a.tree in chain:
                path = list(reversed(chain[:chain.index(a.tree) + 1]))
                if not img:
                    path.append('[%s]' % lib(run, rip))
                branch = tree
                for f in path:
                    branch = branch.setdefault(f, [0.0, {}])
                    branch[0] += w
                    branch = branch[1]
            own[key] += w
            tl[int(t // a.step)][key] += w
        timelines.append(tl)
        phases.append(ph)

    ends = sorted(r['end'] for r in runs if r['end'] is not None)
    print('runs: %d; ends (ms): %s; median %.0f' % (len(runs), ' '.join('%.0f' % e for e in ends),
                                                     ends[len(ends) // 2] if ends else 0))
    n = len(runs)
    print('sampled time, a run: %.0f ms' % (total / n))
    print('\ninclusive (ms a run):')
    for f, w in incl.most_common(a.top):
        print('  %7.1f  %s' % (w / n, f))
    print('\nown (ms a run; [library] the platform\'s code it called):')
    for f, w in own.most_common(a.top):
        print('  %7.1f  %s' % (w / n, f))
    def show(branch, depth):
        for f, (w, kids) in sorted(branch.items(), key=lambda x: -x[1][0]):
            if w / n >= a.min:
                print('  %7.1f  %s%s' % (w / n, '  ' * depth, f))
                show(kids, depth + 1)
    if a.tree:
        print('\ntree below %s (ms a run):' % a.tree)
        show(tree, 0)
    if a.phases:
        for i, ph in enumerate(phases):
            print('\nphases of run %d (end %.0f ms): from-to ms, function' % (i + 1, runs[i]['end'] or 0))
            for name, t0, t1 in ph:
                if t1 - t0 >= a.min:
                    print('  %6.0f-%6.0f %5.0f  %s' % (t0, t1, t1 - t0, name))
    order = sorted(range(len(runs)), key=lambda i: runs[i]['end'] or 0)
    pick = (a.run - 1) if a.run else order[len(order) // 2]
    print('\ntimeline of run %d (ms):' % (pick + 1))
    tl = timelines[pick]
    for k in sorted(tl):
        c = tl[k]
        print('  %5.0f-%5.0f  %s' % (k * a.step, (k + 1) * a.step,
                                     '; '.join('%s %.0f' % (f, w) for f, w in c.most_common(3))))


if __name__ == '__main__':
    main()
