"""What the PDF checkers of the print tests share: finding the file cups-pdf writes for a job
(named after the job's title), reading its pages as grey maps, and the run over a jobs file."""
import glob
import os
import subprocess
import sys
import tempfile
import time


def find_pdfs(pdf_dir, title):
    return glob.glob(os.path.join(pdf_dir, title + '*.pdf'))


def wait_for_pdf(pdf_dir, title, seconds=90):
    """The job's PDF once cups-pdf has written it, or None after the given time."""
    deadline = time.time() + seconds
    while not find_pdfs(pdf_dir, title) and time.time() < deadline:
        time.sleep(0.5)
    found = find_pdfs(pdf_dir, title)
    if not found:
        return None
    while time.time() - os.path.getmtime(found[0]) < 0.5:  # cups-pdf may still be closing it
        time.sleep(0.1)
    return found[0]


def grey_pages(pdf, dpi):
    """The pages as (width, height, grey bytes, one per pixel, row by row)."""
    pages = []
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(['pdftoppm', '-r', str(dpi), '-gray', pdf, os.path.join(work, 'p')], check=True)
        for path in sorted(glob.glob(os.path.join(work, 'p-*.pgm'))):
            # pdftoppm writes "P5\nwidth height\n255\n" and the grey bytes.
            _, size, _, grey = open(path, 'rb').read().split(b'\n', 3)
            width, height = (int(v) for v in size.split())
            pages.append((width, height, grey))
    return pages


def run(read_jobs, check_jobs):
    """The checker's main: argv is JOBS_FILE PDF_DIR. read_jobs(path) gives the jobs,
    check_jobs(pdf_dir, jobs) the errors; the jobs file is removed. Exit code 1 on errors or
    when no job was listed."""
    jobs_file, pdf_dir = sys.argv[1], sys.argv[2]
    if not os.path.exists(jobs_file):
        print('no jobs listed in ' + jobs_file)
        return 1
    jobs = read_jobs(jobs_file)
    os.remove(jobs_file)
    errors = check_jobs(pdf_dir, jobs)
    print('\n'.join(errors + ['%d job(s) checked, %d error(s)' % (len(jobs), len(errors))]))
    return 1 if errors or not jobs else 0


def job_lines(path):
    return [line.split() for line in open(path) if line.strip()]


def rgb_pages(pdf, dpi):
    """The pages as (width, height, RGB bytes, three per pixel, row by row)."""
    pages = []
    with tempfile.TemporaryDirectory() as work:
        subprocess.run(['pdftoppm', '-r', str(dpi), pdf, os.path.join(work, 'p')], check=True)
        for path in sorted(glob.glob(os.path.join(work, 'p-*.ppm'))):
            # pdftoppm writes "P6\nwidth height\n255\n" and the RGB bytes.
            _, size, _, rgb = open(path, 'rb').read().split(b'\n', 3)
            width, height = (int(v) for v in size.split())
            pages.append((width, height, rgb))
    return pages
