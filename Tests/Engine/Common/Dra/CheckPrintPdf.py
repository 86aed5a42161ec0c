#!/usr/bin/env python3
"""Checks the PDFs of the jobs TestEngDra printed through the CUPS queue "PDF".

Usage: CheckPrintPdf.py JOBS_FILE PDF_DIR. The jobs file holds, per job, a line "job TITLE PAGES"
followed by that job's probes (positions in inches from the paper's top-left corner):
  ink PAGE X0 Y0 X1 Y1        some pixel of the box is dark (a header or page-number line)
  grey PAGE X Y LO HI         the grey value at the point lies in LO..HI
  band PAGE KEY X0 Y0 X1 Y1   boxes of the same key look the same, boxes of other keys differ
                              (the page-number line: the same text, the same pixels)
  heavier PAGE OTHER X0 Y0 X1 Y1  the box holds a fifth more dark pixels than on page OTHER (a
                              bold line against the same line in regular)
cups-pdf names a job's file after its title. Checked PDFs and the jobs file are removed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'Support'))
import VktPdf  # noqa: E402

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


def box(page, x0, y0, x1, y1):
    width, height, grey = page
    left, top = int(float(x0) * DPI), int(float(y0) * DPI)
    right, bottom = min(width, int(float(x1) * DPI + 0.999)), min(height, int(float(y1) * DPI + 0.999))
    return bytes(grey[y * width + x] for y in range(top, bottom) for x in range(left, right))


def check_job(pdf_dir, title, count, probes):
    pdf = VktPdf.wait_for_pdf(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    errors, bands = [], {}
    pages = VktPdf.grey_pages(pdf, DPI)
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
        elif kind == 'heavier':
            other = pages[int(probe[2]) - 1]
            dark, lighter = (sum(1 for v in box(p, *probe[3:7]) if v < 128) for p in (page, other))
            if dark * 5 < lighter * 6:
                errors.append('%s page %d: %d dark pixels, page %s has %d' % (title, n, dark, probe[2], lighter))
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


def check_jobs(pdf_dir, jobs):
    return [e for title, count, probes in jobs for e in check_job(pdf_dir, title, count, probes)]


if __name__ == '__main__':
    sys.exit(VktPdf.run(read_jobs, check_jobs))
