#!/usr/bin/env python3
"""Checks the #include lines of src/ and sim/ against the layer order of src/layers.txt.

A file may include a file of its own folder (bare, "frames.h") or of a folder on a lower line
("wire/frames.h"). Every other include is reported with the file, its line and the reason, and
the exit code is 1. Usage: check_layers.py PROJECT_ROOT
"""
import os
import re
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp', '.c')
# Folders whose code runs without any window of the program: what leaves it (the printable
# documents, the spreadsheet and clipboard writers), the chart without its window, and the
# command-line tool. They include no header of window code: one that declares a window class
# or a function given the window it opens over.
WINDOWLESS = ('output', 'plot', 'cli')
WINDOW_CODE = re.compile(
    r'^\s*class\s+\w+\s*(?:final\s*)?:\s*public\s+'
    r'Q(?:Widget|Dialog|MainWindow|PrintPreviewDialog|TableView|PushButton|Frame)\b'
    r'|QWidget\s*\*\s*parent\b', re.M)


def declares_window(path):
    try:
        with open(path, encoding='utf-8') as text:
            return WINDOW_CODE.search(text.read()) is not None
    except OSError:
        return False


def read_layers(path):
    """Maps each folder to the number of its line, the lowest layer being 0."""
    levels = {}
    with open(path, encoding='utf-8') as lines:
        level = 0
        for line in lines:
            line = line.split('#', 1)[0].split()
            if not line:
                continue
            for folder in line:
                levels[folder] = level
            level += 1
    return levels


def folders_of(root):
    """(folder name, its directory) for every folder of src/ and for sim/."""
    src = os.path.join(root, 'src')
    found = [(name, os.path.join(src, name)) for name in sorted(os.listdir(src))
             if os.path.isdir(os.path.join(src, name))]
    sim = os.path.join(root, 'sim')
    if os.path.isdir(sim):
        found.append(('sim', sim))
    return found


def violations(root):
    levels = read_layers(os.path.join(root, 'src', 'layers.txt'))
    problems = []
    for folder, directory in folders_of(root):
        if folder not in levels:
            problems.append(f'{os.path.relpath(directory, root)}: folder not placed in src/layers.txt')
            continue
        # A folder may group its files in subfolders (sim/ does); they are one layer, and a
        # bare include names a file of any of them.
        directories = [d for d, _, _ in os.walk(directory)]
        for path in sorted(os.path.join(d, name) for d in directories
                           for name in os.listdir(d)):
            if not path.endswith(SOURCE_SUFFIXES) or not os.path.isfile(path):
                continue
            shown = os.path.relpath(path, root)
            with open(path, encoding='utf-8') as lines:
                for number, line in enumerate(lines, 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    included = match.group(1)
                    where = f'{shown}:{number}: #include "{included}"'
                    if '/' not in included:
                        if not any(os.path.isfile(os.path.join(d, included)) for d in directories):
                            problems.append(f'{where}: no such file in {folder}/; name the folder '
                                            'of a header from another layer')
                        continue
                    target = included.split('/', 1)[0]
                    if target == folder:
                        continue
                    if folder in WINDOWLESS and declares_window(
                            os.path.join(root, 'src', included)):
                        problems.append(f'{where}: {folder}/ uses no window')
                    elif target not in levels:
                        problems.append(f'{where}: {target}/ is no layer of src/layers.txt')
                    elif levels[target] == levels[folder]:
                        problems.append(f'{where}: {target}/ stands beside {folder}/')
                    elif levels[target] > levels[folder]:
                        problems.append(f'{where}: {target}/ stands above {folder}/')
    return problems


def main(argv):
    root = argv[1] if len(argv) > 1 else os.getcwd()
    problems = violations(root)
    for problem in problems:
        print(problem)
    if problems:
        print(f'{len(problems)} include(s) against the layer order of src/layers.txt')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
