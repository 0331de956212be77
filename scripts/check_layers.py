#!/usr/bin/env python3
"""Checks the include graph against the layers docs/architecture.md writes down.

The table at the top of the document names each layer's folders and what it may use. A file
may include its own layer's headers and those of every layer its layer may use, directly or
through the layers those use; any other include of ours runs upward (or sideways) and is
reported. Includes between folders must also form no cycle, whatever the layers say.

  check_layers.py [--root DIR] [--pretend FILE:HEADER ...]

--pretend adds an include that is not in the tree (the test that the check still catches one).
Exits 1 with one line a fault, 0 when the graph holds.
"""
import argparse
import os
import re
import subprocess
import sys

INCLUDE = re.compile(r'^\s*#\s*include\s*"([^"]+)"')
SOURCES = ('.h', '.hpp', '.cpp', '.cc')


def read_layers(doc):
    """[(layer, [folders], [may-use names], [aliases])] from the document's first table."""
    rows = []
    for line in open(doc, encoding='utf-8'):
        if not line.startswith('|'):
            if rows:
                break
            continue
        cells = [c.strip() for c in line.strip().strip('|').split('|')]
        if len(cells) < 4 or cells[0] in ('layer', '') or set(cells[0]) <= set('-: '):
            continue
        name, folders, what, uses = cells[0], cells[1], cells[2], cells[3]
        folders = [f.strip('/') for f in re.findall(r'`([^`]+)`', folders)]
        aliases = [name]
        first = re.match(r'`([^`]+)`', what)
        if first:  # the library a layer ships: `libjolvane.so` answers to jolvane
            lib = re.sub(r'^lib|\.so$', '', os.path.basename(first.group(1)))
            aliases.append(lib)
        uses = re.sub(r'\([^)]*\)', '', uses)  # remarks in brackets name no layer
        uses = [u.strip() for u in re.split(r',|/', uses) if u.strip()]
        rows.append((name, folders, uses, aliases))
    if not rows:
        sys.exit(f'{doc}: no layer table found')
    return rows


def layer_rules(rows):
    """folder -> set of folders it may include (its own layer's and every layer below)."""
    by_alias = {}
    for name, folders, _, aliases in rows:
        for alias in aliases:
            by_alias.setdefault(alias.lower(), set()).add(name)
    uses = {}
    folders_of = {}
    for name, folders, used, _ in rows:
        uses.setdefault(name, set())
        folders_of.setdefault(name, set()).update(folders)
        for u in used:
            uses[name] |= by_alias.get(u.lower(), set())  # others are outside libraries
    reach = {}
    for name in uses:
        seen, todo = {name}, [name]
        while todo:
            for n in uses[todo.pop()]:
                if n not in seen:
                    seen.add(n)
                    todo.append(n)
        reach[name] = seen
    allowed = {}
    for name in uses:
        for folder in folders_of[name]:
            allowed.setdefault(folder, set())
            for n in reach[name]:
                allowed[folder] |= folders_of[n]
    return allowed


def folder_of(path, folders):
    best = None
    for f in folders:
        if (path == f or path.startswith(f + '/')) and (best is None or len(f) > len(best)):
            best = f
    return best


def tracked_sources(root):
    try:
        out = subprocess.run(['git', '-C', root, 'ls-files'], capture_output=True, text=True, check=True).stdout
        files = out.split()
    except (OSError, subprocess.CalledProcessError):
        files = []
        for base, _, names in os.walk(root):
            files += [os.path.relpath(os.path.join(base, n), root) for n in names]
    return sorted(f for f in files if f.endswith(SOURCES) and os.path.exists(os.path.join(root, f)))


def strongly_connected(graph):
    index, low, stack, on, out = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in sorted(graph.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            part = []
            while True:
                w = stack.pop()
                on.discard(w)
                part.append(w)
                if w == v:
                    break
            out.append(sorted(part))

    for v in sorted(graph):
        if v not in index:
            visit(v)
    return out


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--root', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
    parser.add_argument('--pretend', action='append', default=[], metavar='FILE:HEADER')
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    allowed = layer_rules(read_layers(os.path.join(root, 'docs', 'architecture.md')))
    folders = list(allowed)

    includes = []
    for f in tracked_sources(root):
        with open(os.path.join(root, f), encoding='utf-8', errors='replace') as text:
            for number, line in enumerate(text, 1):
                m = INCLUDE.match(line)
                if m and os.path.exists(os.path.join(root, m.group(1))):
                    includes.append((f, number, m.group(1)))
    for p in args.pretend:
        f, header = p.split(':', 1)
        includes.append((f, 0, header))

    faults = []
    graph = {}
    for f, number, header in includes:
        source, target = folder_of(f, folders), folder_of(header, folders)
        if source is None:
            continue  # benchmarks, fuzz targets and other tops use whatever they measure
        if target is None:
            faults.append(f'{f}:{number}: includes {header}, which is in no layer')
            continue
        if target not in allowed[source]:
            faults.append(f'{f}:{number}: includes {header}: {source}/ may not use {target}/')
        if target != source:
            graph.setdefault(source, set()).add(target)
    for part in strongly_connected(graph):
        if len(part) > 1:
            faults.append('folders include each other: ' + ', '.join(p + '/' for p in part))

    for fault in faults:
        print(fault)
    if faults:
        print(f'{len(faults)} include(s) against the layers of docs/architecture.md')
        return 1
    print(f'{len(includes)} includes of {len(folders)} folders keep to the layers')
    return 0


if __name__ == '__main__':
    sys.exit(main())
