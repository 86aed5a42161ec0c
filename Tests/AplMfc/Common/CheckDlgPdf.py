#!/usr/bin/env python3
"""Checks the PDFs of the print jobs TestAplCmn sent through the CUPS queue "PDF".

Usage: CheckDlgPdf.py JOBS_FILE PDF_DIR. Each line of JOBS_FILE is "title kind...", one kind per
page: b when the page's centre is dark (below 64 of 255 grey), g when it is mid grey (64 to 200).
cups-pdf names a job's file after its title. Checked PDFs and the jobs file are removed.
"""
import glob
import os
import subprocess
import sys
import tempfile
import time

DPI = 30


def check_job(pdf_dir, title, kinds):
    pattern = os.path.join(pdf_dir, title + '*.pdf')
    deadline = time.time() + 90
    while not glob.glob(pattern) and time.time() < deadline:
        time.sleep(0.5)
    if not glob.glob(pattern):
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    pdf, errors = glob.glob(pattern)[0], []
    while time.time() - os.path.getmtime(pdf) < 0.5:  # cups-pdf may still be closing the file
        time.sleep(0.1)
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(['pdftoppm', '-r', str(DPI), '-gray', pdf, os.path.join(work, 'p')], check=True)
        maps = sorted(glob.glob(os.path.join(work, 'p-*.pgm')))
        if len(maps) != len(kinds):
            errors.append('%s: %d pages, expected %d' % (title, len(maps), len(kinds)))
        for page, (path, kind) in enumerate(zip(maps, kinds), start=1):
            # pdftoppm writes "P5\nwidth height\n255\n" and the grey bytes.
            _, size, _, grey = open(path, 'rb').read().split(b'\n', 3)
            width, height = (int(v) for v in size.split())
            value = grey[(height // 2) * width + width // 2]
            if (kind == 'b') != (value < 64) or (kind == 'g') != (64 <= value <= 200):
                errors.append('%s page %d: centre reads %d, expected %s' % (title, page, value, kind))
    if not errors:
        os.remove(pdf)
    return errors


def main():
    jobs_file, pdf_dir = sys.argv[1], sys.argv[2]
    if not os.path.exists(jobs_file):
        print('no jobs listed in ' + jobs_file)
        return 1
    jobs = [line.split() for line in open(jobs_file) if line.strip()]
    os.remove(jobs_file)
    errors = []
    for title, *kinds in jobs:
        errors += check_job(pdf_dir, title, kinds)
    print('\n'.join(errors + ['%d job(s) checked, %d error(s)' % (len(jobs), len(errors))]))
    return 1 if errors or not jobs else 0


if __name__ == '__main__':
    sys.exit(main())
