#!/usr/bin/env python3
"""Checks the PDFs of the print jobs TestAplCmn sent through the CUPS queue "PDF".

Usage: CheckDlgPdf.py JOBS_FILE PDF_DIR. Each line of JOBS_FILE is "title kind...", one kind per
page: b when the page's centre is dark (below 64 of 255 grey), g when it is mid grey (64 to 200).
cups-pdf names a job's file after its title. Checked PDFs and the jobs file are removed.
"""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'Support'))
import VktPdf  # noqa: E402

DPI = 30


def check_job(pdf_dir, title, kinds):
    pdf = VktPdf.wait_for_pdf(pdf_dir, title)
    if not pdf:
        return ['%s: no PDF in %s' % (title, pdf_dir)]
    pages, errors = VktPdf.grey_pages(pdf, DPI), []
    if len(pages) != len(kinds):
        errors.append('%s: %d pages, expected %d' % (title, len(pages), len(kinds)))
    for n, ((width, height, grey), kind) in enumerate(zip(pages, kinds), start=1):
        value = grey[(height // 2) * width + width // 2]
        if (kind == 'b') != (value < 64) or (kind == 'g') != (64 <= value <= 200):
            errors.append('%s page %d: centre reads %d, expected %s' % (title, n, value, kind))
    if not errors:
        os.remove(pdf)
    return errors


def check_jobs(pdf_dir, jobs):
    return [e for title, *kinds in jobs for e in check_job(pdf_dir, title, kinds)]


if __name__ == '__main__':
    sys.exit(VktPdf.run(VktPdf.job_lines, check_jobs))
