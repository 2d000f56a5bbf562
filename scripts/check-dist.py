#!/usr/bin/env python3
"""Checks the release archive that scripts/make-dist.py made: it holds
exactly vellaro.exe, readme.txt and LICENSE; the program is the product
(scripts/check-product.sh) without symbols or debug information; readme.txt
and LICENSE are valid cp932 with CR LF line ends.
    scripts/check-dist.py [ROOT]"""
import glob
import os
import re
import subprocess
import sys
import tempfile
import zipfile

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
MEMBERS = ['vellaro.exe', 'readme.txt', 'LICENSE']


def fail(what):
    sys.exit('dist check failed: ' + what)


def check_windows_text(name, data):
    try:
        data.decode('cp932')
    except UnicodeDecodeError as error:
        fail('%s is not cp932 at byte %d' % (name, error.start))
    if data.count(b'\n') != data.count(b'\r\n') or data.count(b'\r') != data.count(b'\r\n'):
        fail('%s has line ends other than CR LF' % name)
    if not data.endswith(b'\r\n'):
        fail('%s does not end its last line' % name)


def main():
    archives = glob.glob(os.path.join(ROOT, 'build', 'dist', 'vellaro-*.zip'))
    if len(archives) != 1:
        fail('build/dist holds %d archives, not one' % len(archives))
    archive = archives[0]
    with zipfile.ZipFile(archive) as zip_file:
        names = zip_file.namelist()
        if names != MEMBERS:
            fail('%s holds %s, not %s' % (archive, names, MEMBERS))
        contents = {name: zip_file.read(name) for name in names}
    for name in ('readme.txt', 'LICENSE'):
        check_windows_text(name, contents[name])

    with tempfile.TemporaryDirectory() as scratch:
        program = os.path.join(scratch, 'vellaro.exe')
        with open(program, 'wb') as f:
            f.write(contents['vellaro.exe'])
        sections = subprocess.run(['i686-w64-mingw32-objdump', '-h', program], capture_output=True, text=True,
                                  check=True).stdout
        if '.debug' in sections or '.gnu_debuglink' in sections:
            fail('the program in the archive keeps debug information')
        symbols = subprocess.run(['i686-w64-mingw32-objdump', '-t', program], capture_output=True, text=True).stdout
        if 'no symbols' not in symbols:
            fail('the program in the archive keeps its symbols')
        resources = subprocess.run(['i686-w64-mingw32-windres', '-i', program, '-O', 'rc'], capture_output=True,
                                   text=True).stdout
        found = re.search(r'^\s*FILEVERSION (\d+), (\d+), (\d+), 0$', resources, re.M)
        expected = 'vellaro-%s.%s%s.zip' % found.groups() if found else None
        if os.path.basename(archive) != expected:
            fail('the archive is named %s, the program says %s' % (os.path.basename(archive), expected))
        if subprocess.run([os.path.join(ROOT, 'scripts', 'check-product.sh'), program]).returncode != 0:
            fail('the program in the archive is not the product')
    print('dist: %s holds %s; readme.txt and LICENSE are cp932 with CR LF' % (archive, ', '.join(names)))


if __name__ == '__main__':
    main()
