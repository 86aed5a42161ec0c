#!/usr/bin/env python3
"""Checks the PDFs of the jobs TestEngDra printed through the CUPS queue "PDF".

Usage: CheckPrintPdf.py JOBS_FILE PDF_DIR. The jobs file holds, per job, a line "job TITLE PAGES"
followed by that job's probes (positions in inches from the paper's top-left corner):
  ink PAGE X0 Y0 X1 Y1        some pixel of the box is dark (a header or page-number line)
  grey PAGE X Y LO HI         the grey value at the point lies in LO..HI
  band PAGE KEY X0 Y0 X1 Y1   boxes of the same key look the same, boxes of other keys differ
                              (the page-number line: the same text, the same pixels)
cups-pdf names a job's file after its title. Checked PDFs and the jobs file are removed.
"""
import glob
import os
import subprocess
import sys
import tempfile
import time

DPI = 50


def read_jobs(path):
    jobs = []
    for line in open(path):
        words = line.split()
        if not words:
            continue
        if words[0] == 'job':
            jobs.append((words[1], int(words[2]), []))
        else:
            jobs[-1][2].append(words)
    return jobs


def wait_for_pdf(pdf_dir, title):
    deadline = time.time() + 90
    while time.time() < deadline:
        found = glob.glob(os.path.join(pdf_dir, title + '*.pdf'))
        if found:
            time.sleep(0.5)  # cups-pdf may still be closing the file
            return found[0]
        time.sleep(0.5)
    return None


def load_pages(pdf, work):
    subprocess.run(['pdftoppm', '-r', str(DPI), '-gray', pdf, os.path.join(work, 'p')], check=True)
    pages = []
    for path in sorted(glob.glob(os.path.join(work, 'p-*.pgm'))):
        # pdftoppm writes "P5\nwidth height\n255\n" and the grey bytes.
        _, size, _, grey = open(path, 'rb').read().split(b'\n', 3)
        width, height = (int(v) for v in size.split())
        pages.append((width, height, grey))
    return pages


def box(page, x0, y0, x1, y1):
    width, height, grey = page
    left, top = int(float(x0) * DPI), int(float(y0) * DPI)
    right, bottom = min(width, int(float(x1) * DPI + 0.999)), min(height, int(float(y1) * DPI + 0.999))
    return bytes(grey[y * width + x] for y in range(top, bottom) for x in range(left, right))


def check_job(pdf_dir, title, count, probes):
    pdf = wait_for_pdf(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    errors, bands = [], {}
    with tempfile.TemporaryDirectory() as work:
        pages = load_pages(pdf, work)
        if len(pages) != count:
            return ['%s: %d pages, expected %d' % (title, len(pages), count)]
        for probe in probes:
            kind, n = probe[0], int(probe[1])
            page = pages[n - 1]
            if kind == 'ink' and min(box(page, *probe[2:6])) >= 128:
                errors.append('%s page %d: no ink in %s' % (title, n, ' '.join(probe[2:6])))
            elif kind == 'grey':
                width, _, grey = page
                value = grey[int(float(probe[3]) * DPI) * width + int(float(probe[2]) * DPI)]
                if not int(probe[4]) <= value <= int(probe[5]):
                    errors.append('%s page %d: grey %d at %s %s, expected %s..%s' % (title, n, value, *probe[2:6]))
            elif kind == 'band':
                bands.setdefault(probe[2], []).append((n, box(page, *probe[3:7])))
    firsts = {}
    for key, seen in bands.items():
        for n, pixels in seen[1:]:
            if pixels != seen[0][1]:
                errors.append('%s page %d: the line "%s" differs from page %d' % (title, n, key, seen[0][0]))
        firsts[key] = seen[0]
    keys = sorted(firsts)
    for i, a in enumerate(keys):
        for b in keys[i + 1:]:
            if firsts[a][1] == firsts[b][1]:
                errors.append('%s: the lines "%s" and "%s" look the same' % (title, a, b))
    if not errors:
        os.remove(pdf)
    return errors


def main():
    jobs_file, pdf_dir = sys.argv[1], sys.argv[2]
    if not os.path.exists(jobs_file):
        print('no jobs listed in ' + jobs_file)
        return 1
    jobs = read_jobs(jobs_file)
    os.remove(jobs_file)
    errors = []
    for title, count, probes in jobs:
        errors += check_job(pdf_dir, title, count, probes)
    print('\n'.join(errors + ['%d job(s) checked, %d error(s)' % (len(jobs), len(errors))]))
    return 1 if errors or not jobs else 0


if __name__ == '__main__':
    sys.exit(main())
