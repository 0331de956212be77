#!/usr/bin/env python3
"""Keeps the English catalogue in step with the sources.

The interface's texts are written in Chinese in the sources and pass through uiText /
uiQString (or sit in tables marked UI_TEXT_NOOP); lupdate finds them as id-based messages
(the Chinese text is the id) in one context. translations/brenmark_en.ts holds their English.

  translations.py check  [--root DIR] [--lupdate PATH]   (the CTest test)
  translations.py update [--root DIR] [--lupdate PATH]   (after adding or changing texts)

check runs lupdate over the sources into a copy of the committed catalogue and fails, one line
a text, when a text of the sources has no English (new or unfinished) or the catalogue holds a
text the sources no longer have. It also fails on a Chinese string literal that is neither
marked for the catalogue nor on a line that says why it stays Chinese (a comment holding
"untranslated": texts written into files, sent to the web service, handed to plug-ins, or
measured). update writes the extraction into the committed catalogue, keeping every
translation lupdate can keep and dropping texts that are gone.
"""
import argparse
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

FOLDERS = ('interchange', 'editor', 'cli', 'tiffwriter', 'cmyktool', 'plugins', 'photo', 'netcall')
SKIP = {'tests', 'fuzz', 'bench'}
ALIASES = 'qtTrId+=uiText,qtTrId+=uiQString,QT_TRID_NOOP+=UI_TEXT_NOOP'
CATALOGUE = os.path.join('translations', 'brenmark_en.ts')


def sources(root):
    found = []
    for folder in FOLDERS:
        for base, dirs, files in os.walk(os.path.join(root, folder)):
            dirs[:] = sorted(d for d in dirs if d not in SKIP)
            found += [os.path.join(base, f) for f in sorted(files) if f.endswith(('.cpp', '.h'))]
    return found


def run_lupdate(lupdate, root, ts, keep_obsolete):
    with tempfile.NamedTemporaryFile('w', suffix='.lst', delete=False) as lst:
        lst.write('\n'.join(sources(root)) + '\n')
    try:
        args = [lupdate, '-silent', '-locations', 'none', '-tr-function-alias', ALIASES,
                '-source-language', 'zh_CN', '-target-language', 'en']
        if not keep_obsolete:
            args.append('-no-obsolete')
        proc = subprocess.run(args + ['@' + lst.name, '-ts', ts], capture_output=True, text=True)
    finally:
        os.unlink(lst.name)
    # Every message is id-based and has no engineering source: lupdate says so once each.
    noise = [l for l in (proc.stdout + proc.stderr).splitlines() if l.strip() and 'has no source' not in l and 'Message with id' not in l
             and 'Ignoring definition of undeclared' not in l]
    if proc.returncode != 0:
        sys.exit('lupdate failed:\n' + '\n'.join(noise))
    escape_ids(ts)
    return noise


def escape_ids(ts):
    """lupdate writes an id's "&" (the mnemonic of "退出(&X)"), quotes and line breaks unescaped,
    which neither lrelease nor lupdate itself can read back; escape them."""
    text = open(ts, encoding='utf-8', newline='').read()

    def fix(match):
        ident = re.sub(r'&(?!(amp|lt|gt|quot|apos|#x?[0-9a-fA-F]+);)', '&amp;', match.group(1))
        ident = ident.replace('"', '&quot;').replace('\n', '&#xa;').replace('\r', '&#xd;')
        return '<message id="' + ident + '">'
    text = re.sub(r'<message id="(.*?)">', fix, text, flags=re.S)
    open(ts, 'w', encoding='utf-8', newline='').write(text)


CJK = re.compile('[\u3000-\u303f\u3400-\u9fff\uff00-\uffef]')
MARKED = re.compile(r'(uiText|uiQString|UI_TEXT_NOOP)\s*\(\s*$')


def literals(text):
    """(start, end) of each run of adjacent plain string literals, outside comments and
    preprocessor lines; prefixed literals (u"", u8"", raw) are left out."""
    found, i, n = [], 0, len(text)
    while i < n:
        if text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            i = n if j < 0 else j + 2
        elif text[i] == '#' and text[text.rfind('\n', 0, i) + 1:i].strip() == '':
            while True:
                j = text.find('\n', i)
                if j < 0 or text[j - 1] != '\\':
                    i = n if j < 0 else j
                    break
                i = j + 1
        elif text[i] == "'":
            j = i + 1
            while j < n and text[j] != "'":
                j += 2 if text[j] == '\\' else 1
            i = j + 1
        elif text[i] == '"':
            prefixed = bool(re.search(r'(u8|u|U|L|R)$', text[max(0, i - 2):i])) and not text[i - 1:i].isspace()
            if text[i - 1:i] == 'R':
                m = re.match(r'"([^(]*)\(', text[i:])
                i = text.find(')' + m.group(1) + '"', i) + len(m.group(1)) + 2
                continue
            j = i + 1
            while j < n and text[j] != '"':
                j += 2 if text[j] == '\\' else 1
            if not prefixed:
                if found and text[found[-1][1]:i].strip() == '':
                    found[-1] = (found[-1][0], j + 1)
                else:
                    found.append((i, j + 1))
            i = j + 1
        else:
            i += 1
    return found


def unmarked(root):
    """file:line: text for each Chinese literal neither marked nor said to stay Chinese."""
    out = []
    for path in sources(root):
        text = open(path, encoding='utf-8').read()
        lines = text.split('\n')
        for a, b in literals(text):
            if not CJK.search(text[a:b]) or MARKED.search(text[:a]):
                continue
            line = text.count('\n', 0, a)
            if any('untranslated' in l for l in lines[max(0, line - 1):line + 1]):
                continue
            out.append(f'{os.path.relpath(path, root)}:{line + 1}: not in the catalogue: {text[a:b]}')
    return out


def problems(ts):
    found = []
    for message in ET.parse(ts).getroot().iter('message'):
        ident = message.get('id', '')
        translation = message.find('translation')
        kind = translation.get('type', '') if translation is not None else 'missing'
        text = (translation.text or '') if translation is not None else ''
        if kind in ('vanished', 'obsolete'):
            found.append(f'no longer in the sources: {ident}')
        elif kind == 'unfinished' or not text.strip():
            found.append(f'no English yet: {ident}')
    return found


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('mode', choices=('check', 'update'))
    parser.add_argument('--root', default=os.path.join(os.path.dirname(os.path.abspath(__file__)), '..'))
    parser.add_argument('--lupdate', default=shutil.which('lupdate') or '/usr/lib/qt6/bin/lupdate')
    args = parser.parse_args()
    root = os.path.abspath(args.root)
    committed = os.path.join(root, CATALOGUE)
    if args.mode == 'update':
        for line in run_lupdate(args.lupdate, root, committed, keep_obsolete=False):
            print(line)
        left = [p for p in problems(committed) if p.startswith('no English')]
        print(f'{CATALOGUE}: {len(left)} texts without English')
        return 0
    with tempfile.TemporaryDirectory() as scratch:
        copy = os.path.join(scratch, 'brenmark_en.ts')
        shutil.copy(committed, copy)
        for line in run_lupdate(args.lupdate, root, copy, keep_obsolete=True):
            print(line)
        found = problems(copy) + unmarked(root)
    for p in found:
        print(p)
    if found:
        print(f'{len(found)} texts out of step with {CATALOGUE}: mark them, run scripts/translations.py update '
              'and write their English')
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
