#!/usr/bin/env python3
"""Checks the PDFs of the jobs TestEngPrt sent through the CUPS queue "PDF".

Usage: CheckPdf.py JOBS_FILE PDF_DIR. Each line of JOBS_FILE is "title pages [first]"; cups-pdf
names a job's file after its title. Page n of a job must show the test's mark first + n - 1 (mark m
is a black square one inch wide, m inches from the left and one inch from the top) and no other;
first is 1 unless given. A job listed with 0 pages was
aborted: once the others have come out (the queue runs its jobs in turn) it must have left no PDF.
Checked PDFs and the jobs file are removed.
"""
import os
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', '..', 'Support'))
import VktPdf  # noqa: E402

DPI = 30


def check_job(pdf_dir, title, pages, first):
    pdf = VktPdf.wait_for_pdf(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    maps, errors = VktPdf.grey_pages(pdf, DPI), []
    if len(maps) != pages:
        errors.append('%s: %d pages, expected %d' % (title, len(maps), pages))
    for page, (width, _, grey) in enumerate(maps, start=1):
        for n in range(first, first + pages):
            value = grey[int(1.5 * DPI) * width + int((n + 0.5) * DPI)]
            if (n == first + page - 1) != (value < 64):
                errors.append('%s page %d: mark %d reads %d' % (title, page, n, value))
    if not errors:
        os.remove(pdf)
    return errors


def read_jobs(path):
    return [(f[0], int(f[1]), int(f[2]) if len(f) > 2 else 1) for f in VktPdf.job_lines(path)]


def check_jobs(pdf_dir, jobs):
    errors = []
    for title, pages, first in jobs:
        if pages:
            errors += check_job(pdf_dir, title, pages, first)
    time.sleep(3)
    errors += ['%s: aborted, but a PDF came out' % t for t, p, _ in jobs if not p and VktPdf.find_pdfs(pdf_dir, t)]
    return errors


if __name__ == '__main__':
    sys.exit(VktPdf.run(read_jobs, check_jobs))
