#!/usr/bin/env python3
"""Checks that the program speaks German and Dutch wherever it speaks to the user.

    scripts/check_translations.py [ROOT]     ROOT holds src/ and translations/ (default: this repository)

1. Every translations/*.ts is complete: no unfinished, vanished or obsolete entry, no empty
   translation, the same %1..%9 placeholders as the English, and a mnemonic (&) where the English
   has one.
2. Every text marked for translation in the sources is in every catalogue (lupdate run on copies;
   skipped with a note where lupdate is not installed).
3. No text is shown untranslated: a string literal with letters in it passed to a call that shows
   text (setText, setWindowTitle, MsgBox, addAction, QMessageBox, ...) must go through tr(),
   QCoreApplication::translate() or QT_TRANSLATE_NOOP. translations/untranslated.txt lists the
   exceptions, each with its reason, and the folders still pending.
4. In the files listed there as `checked` (those that make texts as data, for a window elsewhere to
   show), every string literal with letters in it is marked, or allowed with its reason.
Exit status 0 when all hold, 1 otherwise, with one line per problem.
"""
import glob
import os
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

SHOWN = ('setText', 'setWindowTitle', 'setTitle', 'setToolTip', 'setStatusTip', 'setWhatsThis',
         'setPlaceholderText', 'setAccessibleName', 'setAccessibleDescription', 'setLabelText',
         'setHeaderLabels', 'setHorizontalHeaderLabels', 'setVerticalHeaderLabels', 'setItemText',
         'setTabText', 'setSuffix', 'setPrefix', 'setSpecialValueText', 'setFormat',
         'showMessage', 'addAction', 'addMenu', 'addItem', 'addItems', 'insertItem', 'addTab',
         'addButton', 'MsgBox', 'information', 'warning', 'critical', 'question', 'about',
         'getOpenFileName', 'getSaveFileName', 'getExistingDirectory', 'getText', 'getItem',
         'QLabel', 'QPushButton', 'QAction', 'QGroupBox', 'QCheckBox', 'QRadioButton', 'QMenu',
         'QMessageBox')
MARKED = re.compile(r'\b(?:tr|translate|QT_TR_NOOP|QT_TRANSLATE_NOOP|qtTrId|fromTheme)\s*\(')
LETTERS = re.compile(r'[A-Za-z]{2,}')
PLACEHOLDER = re.compile(r'%(\d)')
MNEMONIC = re.compile(r'&(?!&)\S')


def catalogue_problems(path):
    problems = []
    name = os.path.basename(path)
    root = ET.parse(path).getroot()
    for context in root.iter('context'):
        ctx = context.findtext('name')
        for message in context.iter('message'):
            source = message.findtext('source') or ''
            tr = message.find('translation')
            where = f'{name}: {ctx}: "{source[:60]}"'
            kind = tr.get('type') if tr is not None else 'missing'
            text = (tr.text or '') if tr is not None else ''
            if kind in ('unfinished', 'vanished', 'obsolete', 'missing'):
                problems.append(f'{where} is {kind}')
            elif source and not text:
                problems.append(f'{where} has an empty translation')
            elif sorted(PLACEHOLDER.findall(source)) != sorted(PLACEHOLDER.findall(text)):
                problems.append(f'{where}: the placeholders differ in "{text}"')
            elif bool(MNEMONIC.search(source)) != bool(MNEMONIC.search(text)):
                problems.append(f'{where}: a mnemonic (&) in one and not the other: "{text}"')
    return problems


def entries(path):
    root = ET.parse(path).getroot()
    return {(c.findtext('name'), m.findtext('source'), m.findtext('comment'))
            for c in root.iter('context') for m in c.iter('message')
            if (m.find('translation') is None or
                m.find('translation').get('type') not in ('vanished', 'obsolete'))}


def read_allowances(root):
    pending, allowed = [], set()
    done, checked = set(), []
    with open(os.path.join(root, 'translations', 'untranslated.txt'), encoding='utf-8') as f:
        for line in f:
            line = line.split('#', 1)[0].strip()
            m = re.fullmatch(r'pending\s+(\S+)', line)
            if m:
                pending.append(m.group(1))
            m = re.fullmatch(r'done\s+(\S+)', line)
            if m:
                done.add(m.group(1))
            m = re.fullmatch(r'checked\s+(\S+)', line)
            if m:
                checked.append(m.group(1))
            m = re.fullmatch(r'allow\s+(\S+)\s+("(?:[^"\\]|\\.)*")', line)
            if m:
                allowed.add((m.group(1), m.group(2)))
    return Pending(pending, done), allowed, checked


class Pending:
    """Folders still to be marked, less the files in them that are done."""

    def __init__(self, folders, done):
        self.folders, self.done = folders, done

    def __contains__(self, rel):
        return rel not in self.done and any(rel.startswith(f) for f in self.folders)

    def __bool__(self):
        return bool(self.folders)

    def __str__(self):
        return ', '.join(self.folders)


def marked_but_missing(root, pending):
    lupdate = shutil.which('lupdate') or '/usr/lib/qt6/bin/lupdate'
    if not os.access(lupdate, os.X_OK):
        print('check_translations.py: lupdate not installed, catalogues not compared with the '
              'sources (install qt6-l10n-tools)', file=sys.stderr)
        return []
    sources = [f for f in source_files(root, ('cpp', 'h', 'ui'))
               if os.path.relpath(f, root) not in pending]
    problems = []
    with tempfile.TemporaryDirectory() as tmp:
        fresh = os.path.join(tmp, 'fresh.ts')
        subprocess.run([lupdate, '-silent', '-locations', 'none', '-I', os.path.join(root, 'src'),
                        *sources, '-ts', fresh],
                       check=True, stdout=subprocess.DEVNULL)
        wanted = entries(fresh)
        for ts in sorted(glob.glob(os.path.join(root, 'translations', '*.ts'))):
            for ctx, source, _ in sorted(wanted - entries(ts), key=str):
                problems.append(f'{os.path.basename(ts)}: {ctx}: "{source[:60]}" is marked in '
                                f'the sources but not in the catalogue; run '
                                f'scripts/translations.sh and translate it')
    return problems


def source_files(root, extensions=('cpp', 'h')):
    return sorted(f for ext in extensions
                  for f in glob.glob(os.path.join(root, 'src', '**', '*.' + ext), recursive=True))


def strip_comments(text):
    """The text with comments blanked out, string and character literals kept."""
    out, i, n = [], 0, len(text)
    while i < n:
        c = text[i]
        if text.startswith('//', i):
            j = text.find('\n', i)
            i = n if j < 0 else j
        elif text.startswith('/*', i):
            j = text.find('*/', i + 2)
            i = n if j < 0 else j + 2
        elif c in '"\'':
            j = i + 1
            while j < n and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            out.append(text[i:j + 1])
            i = j + 1
        else:
            out.append(c)
            i += 1
    return ''.join(out)


def arguments(text, start):
    """The text between the parenthesis at `start` and its partner."""
    depth, i = 0, start
    while i < len(text):
        c = text[i]
        if c in '"\'':
            j = i + 1
            while j < len(text) and text[j] != c:
                j += 2 if text[j] == '\\' else 1
            i = j
        elif c == '(':
            depth += 1
        elif c == ')':
            depth -= 1
            if depth == 0:
                return text[start + 1:i]
        i += 1
    return text[start + 1:]


def without_marked(args):
    """The arguments with every marked call (tr(...), translate(...)) taken out."""
    while True:
        m = MARKED.search(args)
        if not m:
            return args
        inner = arguments(args, m.end() - 1)
        args = args[:m.start()] + args[m.end() + len(inner) + 1:]


def unmarked_literals(root, pending, allowed):
    call = re.compile(r'\b(' + '|'.join(SHOWN) + r')\s*\(')
    literal = re.compile(r'"(?:[^"\\]|\\.)*"')
    problems = []
    for path in source_files(root):
        rel = os.path.relpath(path, root)
        if rel in pending:
            continue
        with open(path, encoding='utf-8') as f:
            text = strip_comments(f.read())
        for m in call.finditer(text):
            args = without_marked(arguments(text, m.end() - 1))
            for lit in literal.findall(args):
                if LETTERS.search(lit) and (rel, lit) not in allowed:
                    line = text.count('\n', 0, m.start()) + 1
                    problems.append(f'{rel}:{line}: {lit} is shown by {m.group(1)}() without '
                                    f'tr(); mark it, or list it in translations/untranslated.txt '
                                    f'with the reason')
    return problems


def unmarked_data_texts(root, checked, allowed):
    """Literals of the `checked` files that are neither marked nor allowed: such a file returns its
    texts to a window, so no call that shows text gives them away."""
    literal = re.compile(r'"(?:[^"\\]|\\.)*"')
    problems = []
    for rel in checked:
        path = os.path.join(root, rel)
        if not os.path.exists(path):
            problems.append(f'{rel}: listed as checked in translations/untranslated.txt but gone')
            continue
        with open(path, encoding='utf-8') as f:
            text = strip_comments(f.read())
        text = re.sub(r'^\s*#\s*include[^\n]*', '', text, flags=re.M)
        for lit in literal.findall(without_marked(text)):
            if LETTERS.search(lit) and (rel, lit) not in allowed:
                problems.append(f'{rel}: {lit} is not marked for translation; mark it, or list it '
                                f'in translations/untranslated.txt with the reason')
    return problems


def main():
    root = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else
                           os.path.join(os.path.dirname(__file__), '..'))
    pending, allowed, checked = read_allowances(root)
    problems = []
    for ts in sorted(glob.glob(os.path.join(root, 'translations', '*.ts'))):
        problems += catalogue_problems(ts)
    problems += marked_but_missing(root, pending)
    problems += unmarked_literals(root, pending, allowed)
    problems += unmarked_data_texts(root, checked, allowed)
    for p in problems:
        print(p, file=sys.stderr)
    if pending:
        print(f'check_translations.py: still to be translated: {pending}',
              file=sys.stderr)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
