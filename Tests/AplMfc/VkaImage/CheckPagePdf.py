#!/usr/bin/env python3
"""Checks the PDFs of the image pages TestAplVka printed through the CUPS queue "PDF".

Usage: CheckPagePdf.py JOBS_FILE PDF_DIR. Each line of JOBS_FILE is "title paper probe...": the
job prints one page, landscape (L) or portrait (P); a probe "x,y,c" (fractions of the paper) is a
point of colour c (r red, g green, b blue, k black, w white), a probe "x0,y0,x1,y1,i" a rectangle
that holds ink. cups-pdf names a job's file after its title. Checked PDFs and the jobs file are
removed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'Support'))
import VktPdf  # noqa: E402

DPI = 50
COLOURS = {'r': (255, 0, 0), 'g': (0, 255, 0), 'b': (0, 0, 255), 'k': (0, 0, 0), 'w': (255, 255, 255)}


def pixel(page, x, y):
    width, height, rgb = page
    x, y = min(max(int(x * width), 0), width - 1), min(max(int(y * height), 0), height - 1)
    i = 3 * (y * width + x)
    return tuple(rgb[i:i + 3])


def nearest(colour):
    return min(COLOURS, key=lambda k: sum((a - b) ** 2 for a, b in zip(colour, COLOURS[k])))


def has_ink(page, x0, y0, x1, y1):
    width, height, _ = page
    for y in range(int(y0 * height), int(y1 * height) + 1):
        for x in range(int(x0 * width), int(x1 * width) + 1):
            if sum(pixel(page, (x + 0.5) / width, (y + 0.5) / height)) < 3 * 128:
                return True
    return False


def check_job(pdf_dir, title, paper, probes):
    pdf = VktPdf.wait_for_pdf(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    pages, errors = VktPdf.rgb_pages(pdf, DPI), []
    if len(pages) != 1:
        return ['%s: %d pages, expected 1' % (title, len(pages))]
    page = pages[0]
    if (page[0] > page[1]) != (paper == 'L'):
        errors.append('%s: %d x %d, expected %s' % (title, page[0], page[1], paper))
    for probe in probes:
        *numbers, kind = probe.split(',')
        values = [float(v) for v in numbers]
        if kind == 'i':
            if not has_ink(page, *values):
                errors.append('%s: no ink in %s' % (title, probe))
        elif nearest(pixel(page, *values)) != kind:
            errors.append('%s: %s reads %s' % (title, probe, pixel(page, *values)))
    if not errors:
        os.remove(pdf)
    return errors


def check_jobs(pdf_dir, jobs):
    return [e for title, paper, *probes in jobs for e in check_job(pdf_dir, title, paper, probes)]


if __name__ == '__main__':
    sys.exit(VktPdf.run(VktPdf.job_lines, check_jobs))
