#!/usr/bin/env python3
"""Holds every #include "..." under src/ against the libraries' links.

    check-layers.py LAYERS SRC

LAYERS is the file the build writes (build/layers.txt): one line per library,
"<folder>: <linked targets>". A file of src/<folder>/ may include its own
folder's headers and those of every orvella_<folder> its library links,
directly or through another library. Any other include fails the check with
the file, the line and the layer it reaches into. An include without a folder
must name a header beside the file, or one the build generates (ui_*.h, *.moc).
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
GENERATED = re.compile(r'^(ui_.*\.h|.*\.moc|moc_.*\.cpp)$')


def read_links(path):
    links = {}
    for line in pathlib.Path(path).read_text().splitlines():
        if ':' not in line:
            continue
        folder, targets = line.split(':', 1)
        links[folder.strip()] = {t[len('orvella_'):] for t in re.split(r'[,\s]+', targets)
                                 if t.startswith('orvella_')}
    return links


def reachable(links, folder):
    seen, todo = set(), [folder]
    while todo:
        for linked in links.get(todo.pop(), ()):
            if linked not in seen:
                seen.add(linked)
                todo.append(linked)
    return seen


def main(layers_file, source):
    links = read_links(layers_file)
    root = pathlib.Path(source)
    faults = []
    for folder in sorted(links):
        allowed = reachable(links, folder) | {folder}
        for file in sorted((root / folder).glob('*')):
            if file.suffix not in ('.h', '.cpp'):
                continue
            for number, line in enumerate(file.read_text(errors='replace').splitlines(), 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                header = match.group(1)
                where = f'{file.relative_to(root.parent)}:{number}'
                if '/' not in header:
                    if not (file.parent / header).exists() and not GENERATED.match(header):
                        faults.append(f'{where}: "{header}" names no folder and is not beside the file')
                    continue
                layer = header.split('/', 1)[0]
                if layer not in links:
                    faults.append(f'{where}: "{header}" is in no library\'s folder')
                elif layer not in allowed:
                    faults.append(f'{where}: includes "{header}" of layer {layer}, '
                                  f'which orvella_{folder} does not link')
    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} include(s) against the layers', file=sys.stderr)
        return 1
    print(f'layers hold: {len(links)} libraries, every include points down')
    return 0


if __name__ == '__main__':
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    sys.exit(main(sys.argv[1], sys.argv[2]))
