#!/usr/bin/env python3
"""Checks the PDFs of the print jobs that TestEngPrt sent through the CUPS queue "PDF".

Usage: CheckPdf.py JOBS_FILE PDF_DIR
Each line of JOBS_FILE is "title pages". cups-pdf names a job's file after its title; the file is
waited for, turned into grey pages with pdftoppm, and each page n must show the mark the test
drew: a black square one inch wide, n inches from the left and one inch from the top, and none of
the other pages' squares. A job listed with 0 pages was aborted: once the other jobs have come out
(the queue runs its jobs in turn) and a little longer, it must have left no PDF. Checked PDFs and
the jobs file are removed.
"""
import glob
import os
import subprocess
import sys
import tempfile
import time

DPI = 30
WAIT_SECONDS = 90
ABORTED_WAIT_SECONDS = 3


def read_pgm(path):
    with open(path, 'rb') as f:
        data = f.read()
    fields, pos = [], 0
    while len(fields) < 4:  # magic, width, height, maximum
        while data[pos:pos + 1].isspace():
            pos += 1
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(data[start:pos])
    if fields[0] != b'P5':
        raise ValueError(path + ': not a binary grey map')
    width, height = int(fields[1]), int(fields[2])
    return width, height, data[pos + 1:]


def wait_for(pdf_dir, title):
    deadline = time.time() + WAIT_SECONDS
    while time.time() < deadline:
        found = [p for p in glob.glob(os.path.join(pdf_dir, title + '*.pdf')) if os.path.getsize(p) > 0]
        if found:
            time.sleep(0.5)  # cups-pdf writes the file in one go, then sets its mode
            return found[0]
        time.sleep(0.5)
    return None


def check_job(pdf_dir, title, pages):
    pdf = wait_for(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s after %d s' % (title, pdf_dir, WAIT_SECONDS)]
    errors = []
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(['pdftoppm', '-r', str(DPI), '-gray', pdf, os.path.join(work, 'p')], check=True)
        maps = sorted(glob.glob(os.path.join(work, 'p-*.pgm')))
        if len(maps) != pages:
            errors.append('%s: %d pages, expected %d' % (title, len(maps), pages))
        for page, path in enumerate(maps, start=1):
            width, height, grey = read_pgm(path)
            if width >= height:
                errors.append('%s page %d: not portrait (%d x %d)' % (title, page, width, height))
            for n in range(1, pages + 1):
                x, y = int((n + 0.5) * DPI), int(1.5 * DPI)
                value = grey[y * width + x]
                if (n == page) != (value < 64):
                    errors.append('%s page %d: mark %d reads %d' % (title, page, n, value))
    if not errors:
        os.remove(pdf)
    return errors


def main():
    jobs_file, pdf_dir = sys.argv[1], sys.argv[2]
    if not os.path.exists(jobs_file):
        print('no jobs listed in ' + jobs_file)
        return 1
    with open(jobs_file) as f:
        jobs = [line.split() for line in f if line.strip()]
    os.remove(jobs_file)
    errors = []
    for title, pages in jobs:
        if int(pages) > 0:
            errors += check_job(pdf_dir, title, int(pages))
    time.sleep(ABORTED_WAIT_SECONDS)
    for title, pages in jobs:
        if int(pages) == 0 and glob.glob(os.path.join(pdf_dir, title + '*.pdf')):
            errors.append('%s: aborted, but its PDF came out' % title)
    for e in errors:
        print(e)
    print('%d job(s) checked, %d error(s)' % (len(jobs), len(errors)))
    return 1 if errors or not jobs else 0


if __name__ == '__main__':
    sys.exit(main())
