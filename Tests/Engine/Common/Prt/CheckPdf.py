#!/usr/bin/env python3
"""Checks the PDFs of the jobs TestEngPrt sent through the CUPS queue "PDF".

Usage: CheckPdf.py JOBS_FILE PDF_DIR. Each line of JOBS_FILE is "title pages [first]"; cups-pdf
names a job's file after its title. Page n of a job must show the test's mark first + n - 1 (mark m
is a black square one inch wide, m inches from the left and one inch from the top) and no other;
first is 1 unless given. A job listed with 0 pages was
aborted: once the others have come out (the queue runs its jobs in turn) it must have left no PDF.
Checked PDFs and the jobs file are removed.
"""
import glob
import os
import subprocess
import sys
import tempfile
import time

DPI = 30


def pdfs(pdf_dir, title):
    return glob.glob(os.path.join(pdf_dir, title + '*.pdf'))


def check_job(pdf_dir, title, pages, first):
    deadline = time.time() + 90
    while not pdfs(pdf_dir, title) and time.time() < deadline:
        time.sleep(0.5)
    if not pdfs(pdf_dir, title):
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    pdf, errors = pdfs(pdf_dir, title)[0], []
    while time.time() - os.path.getmtime(pdf) < 0.5:  # cups-pdf may still be closing the file
        time.sleep(0.1)
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(['pdftoppm', '-r', str(DPI), '-gray', pdf, os.path.join(work, 'p')], check=True)
        maps = sorted(glob.glob(os.path.join(work, 'p-*.pgm')))
        if len(maps) != pages:
            errors.append('%s: %d pages, expected %d' % (title, len(maps), pages))
        for page, path in enumerate(maps, start=1):
            # pdftoppm writes "P5\nwidth height\n255\n" and the grey bytes.
            magic, size, _, grey = open(path, 'rb').read().split(b'\n', 3)
            width = int(size.split()[0])
            for n in range(first, first + pages):
                value = grey[int(1.5 * DPI) * width + int((n + 0.5) * DPI)]
                if (n == first + page - 1) != (value < 64):
                    errors.append('%s page %d: mark %d reads %d' % (title, page, n, value))
    if not errors:
        os.remove(pdf)
    return errors


def main():
    jobs_file, pdf_dir = sys.argv[1], sys.argv[2]
    if not os.path.exists(jobs_file):
        print('no jobs listed in ' + jobs_file)
        return 1
    jobs = [(f[0], int(f[1]), int(f[2]) if len(f) > 2 else 1)
            for f in (line.split() for line in open(jobs_file) if line.strip())]
    os.remove(jobs_file)
    errors = []
    for title, pages, first in jobs:
        if pages:
            errors += check_job(pdf_dir, title, pages, first)
    time.sleep(3)
    errors += ['%s: aborted, but a PDF came out' % t for t, p, _ in jobs if not p and pdfs(pdf_dir, t)]
    print('\n'.join(errors + ['%d job(s) checked, %d error(s)' % (len(jobs), len(errors))]))
    return 1 if errors or not jobs else 0


if __name__ == '__main__':
    sys.exit(main())
