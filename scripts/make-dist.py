#!/usr/bin/env python3
"""Builds the release archive build/dist/vellaro-<version>.zip from the built
32-bit program: vellaro.exe without symbols or debug information, readme.txt
(docs/readme.txt in cp932 with CR LF line ends, as Windows' text tools read
it) and LICENSE (CR LF). The same sources give the same bytes: fixed names,
order, times and attributes, and a program linked without a time stamp.
    scripts/make-dist.py [ROOT]
Prints the archive's path."""
import glob
import os
import re
import subprocess
import sys
import zipfile

ROOT = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), '..'))
BUILT_PROGRAM = os.path.join(ROOT, 'build', 'win32', 'vellaro.exe')
DIST = os.path.join(ROOT, 'build', 'dist')
OBJCOPY = 'i686-w64-mingw32-objcopy'


def version_header():
    with open(os.path.join(ROOT, 'res', 'version.h'), encoding='utf-8') as f:
        text = f.read()

    def value(name):
        found = re.search(r'^#define %s (\S+)' % name, text, re.M)
        if not found:
            sys.exit('make-dist: res/version.h defines no %s' % name)
        return found.group(1)
    return value


def windows_text(text):
    """cp932 with CR LF; a character cp932 cannot write stops the build."""
    text = text.replace('\r\n', '\n')
    try:
        data = text.encode('cp932')
    except UnicodeEncodeError as error:
        sys.exit('make-dist: %r at %d cannot be written in cp932' % (error.object[error.start], error.start))
    return data.replace(b'\n', b'\r\n')


def stripped_program():
    out = os.path.join(DIST, 'vellaro.exe')
    # The link to the debug file carries that file's checksum: it goes too.
    # Without SOURCE_DATE_EPOCH objcopy writes the time of the day into the
    # header.
    subprocess.run([OBJCOPY, '--strip-all', '--remove-section=.gnu_debuglink', BUILT_PROGRAM, out], check=True,
                   env=dict(os.environ, SOURCE_DATE_EPOCH='0'))
    with open(out, 'rb') as f:
        data = f.read()
    os.remove(out)
    return data


def main():
    value = version_header()
    version = '%s.%s%s' % (value('VELLARO_VERSION_MAJOR'), value('VELLARO_VERSION_MINOR'),
                           value('VELLARO_VERSION_PATCH'))
    year, month, day = (int(part) for part in value('VELLARO_RELEASE_DATE').strip('"').split('-'))
    if not os.path.isfile(BUILT_PROGRAM):
        sys.exit('make-dist: %s is not built' % BUILT_PROGRAM)
    os.makedirs(DIST, exist_ok=True)
    with open(os.path.join(ROOT, 'docs', 'readme.txt'), encoding='utf-8') as f:
        readme = windows_text(f.read())
    with open(os.path.join(ROOT, 'LICENSE'), encoding='utf-8') as f:
        licence = windows_text(f.read())
    members = [('vellaro.exe', stripped_program()), ('readme.txt', readme), ('LICENSE', licence)]

    archive = os.path.join(DIST, 'vellaro-%s.zip' % version)
    for old in glob.glob(os.path.join(DIST, 'vellaro-*.zip')):
        os.remove(old)  # only this version's archive is the release
    partial = archive + '.part'
    with zipfile.ZipFile(partial, 'w') as zip_file:
        for name, data in members:
            info = zipfile.ZipInfo(name, date_time=(year, month, day, 12, 0, 0))
            info.create_system = 0         # made on "MS-DOS": Windows' own attributes
            info.external_attr = 0x20      # the archive attribute, as Explorer sets it
            info.compress_type = zipfile.ZIP_DEFLATED
            zip_file.writestr(info, data, compresslevel=9)
    os.replace(partial, archive)
    print(archive)


if __name__ == '__main__':
    main()
