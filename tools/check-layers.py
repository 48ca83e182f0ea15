#!/usr/bin/env python3
"""Holds every include under src/ against the libraries' links.

    check-layers.py LAYERS SRC

LAYERS is the file the build writes (build/layers.txt): one line per library,
"<folder>: <linked targets>". A file of src/<folder>/ may include its own
folder's headers and those of every orvella_<folder> its library links
itself: what a library uses, it names, never reaching a layer only through
another library's links. Any other include fails the check with
the file, the line and the layer it reaches into: #include "..." and
#include <...> naming a library's folder, and the headers a .ui file's custom
widgets bring in. An include without a folder must name a header beside the
file, or one the build generates (ui_*.h, *.moc). Links that go round in a
circle fail too: they would make any include between their libraries legal.
"""
import pathlib
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*(["<])([^">]+)[">]')
UI_HEADER = re.compile(r'<(?:header|include)[^>]*>([^<]+)</(?:header|include)>')
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


def circles(links):
    """Each circle of links once, as the folders it goes through."""
    found = []
    for start in sorted(links):
        path = [start]
        todo = [iter(sorted(links.get(start, ())))]
        while todo:
            step = next(todo[-1], None)
            if step is None:
                todo.pop()
                path.pop()
            elif step == start:
                if min(path) == start:
                    found.append(path + [start])
            elif step not in path and step > start:
                path.append(step)
                todo.append(iter(sorted(links.get(step, ()))))
    return found


def includes(file):
    """(line number, header, quoted) for each include of a source file or a .ui file."""
    for number, line in enumerate(file.read_text(errors='replace').splitlines(), 1):
        if file.suffix == '.ui':
            for header in UI_HEADER.findall(line):
                yield number, header.strip(), False
        elif match := INCLUDE.match(line):
            yield number, match.group(2), match.group(1) == '"'


def main(layers_file, source):
    links = read_links(layers_file)
    root = pathlib.Path(source)
    faults = [f'{pathlib.Path(layers_file).name}: links go round in a circle: '
              + ' -> '.join(f'orvella_{folder}' for folder in circle)
              for circle in circles(links)]
    for folder in sorted(links):
        allowed = links[folder] | {folder}
        for file in sorted((root / folder).rglob('*')):
            if file.suffix not in ('.h', '.cpp', '.ui'):
                continue
            for number, header, quoted in includes(file):
                where = f'{file.relative_to(root.parent)}:{number}'
                # <...> is a system or Qt header unless it names one of our folders.
                if not quoted and header.split('/', 1)[0] not in links:
                    continue
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
