#!/usr/bin/env python3
"""Checks the text of the model template: the line layout that the program
relies on, the button texts, and the twelve nets against their tables.

    python3 check_template.py [TEMPLATE.wrl]

Prints what failed; exit status 0 when all is well, 1 otherwise.
"""
import re
import sys
from pathlib import Path

DEFAULT = Path(__file__).resolve().parents[2] / 'resources' / 'model' / 'sablona.wrl'

FACES = ['front', 'right', 'back', 'left', 'top', 'bottom']

# The closed cube: four points of each face, in the order of FACES.
CLOSED = [
    '-1 -1 1, 1 -1 1, 1 1 1, -1 1 1',
    '1 -1 1, 1 -1 -1, 1 1 -1, 1 1 1',
    '1 -1 -1, -1 -1 -1, -1 1 -1, 1 1 -1',
    '-1 -1 -1, -1 -1 1, -1 1 1, -1 1 -1',
    '1 1 1, 1 1 -1, -1 1 -1, -1 1 1',
    '1 -1 1, -1 -1 1, -1 -1 -1, 1 -1 -1',
]

# Net -> (the face that stays, the touch sensors that start it).
NETS = {
    'a': ('right', ['PL1', 'ROTa']),
    'b': ('back', ['PL2', 'ROTb']),
    'c': ('left', ['PL3', 'ROTc']),
    'd': ('front', ['PL0', 'ROTd']),
    'e': ('right', ['ROTe']),
    'f': ('bottom', ['PL5', 'ROTf']),
    'g': ('left', ['ROTg']),
    'h': ('top', ['PL4', 'ROTh']),
    'i': ('bottom', ['ROTi']),
    'j': ('front', ['ROTj']),
    'k': ('top', ['ROTk']),
    'l': ('back', ['ROTl']),
}

# Net -> the face swung out at key 0.2 and its points; the other faces are closed.
MOVED = {
    'a': ('left', '-1 -1 -1, -3 -1 -1, -3 1 -1, -1 1 -1'),
    'b': ('front', '-1 -1 1, -1 -1 3, -1 1 3, -1 1 1'),
    'c': ('right', '1 -1 1, 3 -1 1, 3 1 1, 1 1 1'),
    'd': ('back', '1 -1 -1, 1 -1 -3, 1 1 -3, 1 1 -1'),
    'e': ('left', '-1 -1 -1, -1 -1 1, -3 -1 1, -3 -1 -1'),
    'f': ('top', '-1 3 1, -1 3 -1, -1 1 -1, -1 1 1'),
    'g': ('right', '3 1 1, 3 1 -1, 1 1 -1, 1 1 1'),
    'h': ('bottom', '1 -1 1, 1 -3 1, 1 -3 -1, 1 -1 -1'),
    'i': ('top', '1 3 -1, 1 1 -1, -1 1 -1, -1 3 -1'),
    'j': ('back', '1 -1 -1, -1 -1 -1, -1 -1 -3, 1 -1 -3'),
    'k': ('bottom', '1 -1 1, -1 -1 1, -1 -3 1, 1 -3 1'),
    'l': ('front', '-1 1 3, 1 1 3, 1 1 1, -1 1 1'),
}

# Net -> the points of each face at key 1 (the flat net); None: stays closed.
FLAT = {
    'a': [
        '1 -1 3, 1 -1 1, 1 1 1, 1 1 3',
        None,
        '1 -1 -1, 1 -1 -3, 1 1 -3, 1 1 -1',
        '1 -1 -3, 1 -1 -5, 1 1 -5, 1 1 -3',
        '1 1 1, 1 1 -1, 1 3 -1, 1 3 1',
        '1 -1 1, 1 -3 1, 1 -3 -1, 1 -1 -1',
    ],
    'b': [
        '-3 -1 -1, -5 -1 -1, -5 1 -1, -3 1 -1',
        '3 -1 -1, 1 -1 -1, 1 1 -1, 3 1 -1',
        None,
        '-1 -1 -1, -3 -1 -1, -3 1 -1, -1 1 -1',
        '1 3 -1, 1 1 -1, -1 1 -1, -1 3 -1',
        '1 -3 -1, -1 -3 -1, -1 -1 -1, 1 -1 -1',
    ],
    'c': [
        '-1 -1 1, -1 -1 3, -1 1 3, -1 1 1',
        '-1 -1 3, -1 -1 5, -1 1 5, -1 1 3',
        '-1 -1 -3, -1 -1 -1, -1 1 -1, -1 1 -3',
        None,
        '-1 3 1, -1 3 -1, -1 1 -1, -1 1 1',
        '-1 -3 1, -1 -1 1, -1 -1 -1, -1 -3 -1',
    ],
    'd': [
        None,
        '1 -1 1, 3 -1 1, 3 1 1, 1 1 1',
        '3 -1 1, 5 -1 1, 5 1 1, 3 1 1',
        '-3 -1 1, -1 -1 1, -1 1 1, -3 1 1',
        '1 1 1, 1 3 1, -1 3 1, -1 1 1',
        '1 -1 1, -1 -1 1, -1 -3 1, 1 -3 1',
    ],
    'e': [
        '1 -1 3, 1 -1 1, 1 1 1, 1 1 3',
        None,
        '1 -1 -1, 1 -1 -3, 1 1 -3, 1 1 -1',
        '1 -3 -1, 1 -3 1, 1 -5 1, 1 -5 -1',
        '1 1 1, 1 1 -1, 1 3 -1, 1 3 1',
        '1 -1 1, 1 -3 1, 1 -3 -1, 1 -1 -1',
    ],
    'f': [
        '-1 -1 1, 1 -1 1, 1 -1 3, -1 -1 3',
        '1 -1 1, 1 -1 -1, 3 -1 -1, 3 -1 1',
        '1 -1 -1, -1 -1 -1, -1 -1 -3, 1 -1 -3',
        '-1 -1 -1, -1 -1 1, -3 -1 1, -3 -1 -1',
        '-5 -1 1, -5 -1 -1, -3 -1 -1, -3 -1 1',
        None,
    ],
    'g': [
        '-1 -1 1, -1 -1 3, -1 1 3, -1 1 1',
        '-1 5 1, -1 5 -1, -1 3 -1, -1 3 1',
        '-1 -1 -3, -1 -1 -1, -1 1 -1, -1 1 -3',
        None,
        '-1 3 1, -1 3 -1, -1 1 -1, -1 1 1',
        '-1 -3 1, -1 -1 1, -1 -1 -1, -1 -3 -1',
    ],
    'h': [
        '-1 1 3, 1 1 3, 1 1 1, -1 1 1',
        '3 1 1, 3 1 -1, 1 1 -1, 1 1 1',
        '1 1 -3, -1 1 -3, -1 1 -1, 1 1 -1',
        '-3 1 -1, -3 1 1, -1 1 1, -1 1 -1',
        None,
        '3 1 1, 5 1 1, 5 1 -1, 3 1 -1',
    ],
    'i': [
        '-1 -1 1, 1 -1 1, 1 -1 3, -1 -1 3',
        '1 -1 1, 1 -1 -1, 3 -1 -1, 3 -1 1',
        '1 -1 -1, -1 -1 -1, -1 -1 -3, 1 -1 -3',
        '-1 -1 -1, -1 -1 1, -3 -1 1, -3 -1 -1',
        '1 -1 -5, 1 -1 -3, -1 -1 -3, -1 -1 -5',
        None,
    ],
    'j': [
        None,
        '1 -1 1, 3 -1 1, 3 1 1, 1 1 1',
        '1 -3 1, -1 -3 1, -1 -5 1, 1 -5 1',
        '-3 -1 1, -1 -1 1, -1 1 1, -3 1 1',
        '1 1 1, 1 3 1, -1 3 1, -1 1 1',
        '1 -1 1, -1 -1 1, -1 -3 1, 1 -3 1',
    ],
    'k': [
        '-1 1 3, 1 1 3, 1 1 1, -1 1 1',
        '3 1 1, 3 1 -1, 1 1 -1, 1 1 1',
        '1 1 -3, -1 1 -3, -1 1 -1, 1 1 -1',
        '-3 1 -1, -3 1 1, -1 1 1, -1 1 -1',
        None,
        '1 1 3, -1 1 3, -1 1 5, 1 1 5',
    ],
    'l': [
        '-1 5 -1, 1 5 -1, 1 3 -1, -1 3 -1',
        '3 -1 -1, 1 -1 -1, 1 1 -1, 3 1 -1',
        None,
        '-1 -1 -1, -3 -1 -1, -3 1 -1, -1 1 -1',
        '1 3 -1, 1 1 -1, -1 1 -1, -1 3 -1',
        '1 -3 -1, -1 -3 -1, -1 -1 -1, 1 -1 -1',
    ],
}

# Button -> its DEF line's two following lines, as the program rewrites them.
BUTTONS = {
    'RUKA': ('obsahAlt', 'zobrazit povrch', 'obsah', 'skrýt povrch'),
    'RUKA2': ('obsah', 'srovnat polohu', 'obsahAlt', 'srovnat polohu'),
    'RUKA3': ('obsahAlt', 'zobrazit zezadu', 'obsah', 'skrýt zezadu'),
    'RUKA4': ('obsahAlt', 'zobrazit pohled', 'obsah', 'skrýt pohled'),
}

# The program looks for the buttons from this line index on.
FIRST_SEARCHED_LINE = 1000


def points(text):
    return [tuple(float(v) for v in p.split()) for p in text.split(',') if p.strip()]


def expected_key_values(net):
    moved_face, moved = MOVED[net]
    key02 = [moved if FACES[k] == moved_face else CLOSED[k] for k in range(6)]
    key1 = [FLAT[net][k] if FLAT[net][k] is not None else CLOSED[k] for k in range(6)]
    return [p for face in CLOSED + key02 + key1 for p in points(face)]


def strip_comments(text):
    # No '#' appears inside the strings of the template's node fields checked here.
    return re.sub(r'#[^\n]*', '', text)


class Checker:
    def __init__(self, path):
        self.path = path
        self.failures = []
        self.passed = 0

    def check(self, ok, what):
        if ok:
            self.passed += 1
        else:
            self.failures.append(what)

    def run(self):
        raw = self.path.read_bytes()
        text = raw.decode('utf-8')
        lines = text.split('\n')
        if lines[-1] == '':
            lines.pop()
        self.check(lines[0] == '#VRML V2.0 utf8', 'first line is "#VRML V2.0 utf8"')
        self.check(b'\r' not in raw, 'lines end with LF only')
        self.check(len(lines) > FIRST_SEARCHED_LINE, 'more than %d lines' % FIRST_SEARCHED_LINE)
        self.check(not any(line.startswith('DEF HRA') or line.startswith('ROUTE RUKA') for line in lines),
                   'no model tail in the template')
        self.check_buttons(lines)
        body = strip_comments(text)
        self.check_protos(body)
        self.check_nets(body)
        return not self.failures

    def check_buttons(self, lines):
        for name, (field1, text1, field2, text2) in BUTTONS.items():
            found = [i for i, line in enumerate(lines) if 'DEF %s Tlacitko {' % name in line]
            self.check(len(found) == 1, '%s: one DEF line' % name)
            if not found:
                continue
            i = found[0]
            self.check(i >= FIRST_SEARCHED_LINE, '%s: DEF line index %d >= %d' % (name, i, FIRST_SEARCHED_LINE))
            self.check(i + 2 < len(lines), '%s: two lines follow' % name)
            if i + 2 >= len(lines):
                continue
            self.check(lines[i + 1] == '        %s ["%s"]' % (field1, text1), '%s: line %d is %s' % (name, i + 1, field1))
            self.check(lines[i + 2] == '        %s ["%s"]' % (field2, text2), '%s: line %d is %s' % (name, i + 2, field2))

    def check_protos(self, body):
        order = re.findall(r'^PROTO (\w+) \[', body, re.M)
        self.check(order == ['Tlacitko', 'Kulicka', 'Osicka', 'Obrys', 'Ploska', 'Krychlicka', 'Krychleov'],
                   'the seven prototypes in order (found %s)' % order)

    def check_nets(self, body):
        for net, (stays, triggers) in NETS.items():
            name = 'SIT' + net
            m = re.search(r'DEF %s CoordinateInterpolator \{\s*key \[([^\]]*)\]\s*keyValue \[([^\]]*)\]\s*\}' % name, body)
            self.check(m is not None, '%s: a CoordinateInterpolator with key and keyValue' % name)
            if m:
                self.check([float(v) for v in m.group(1).split()] == [0, 0.2, 1], '%s: key [0 0.2 1]' % name)
                got = points(m.group(2))
                want = expected_key_values(net)
                bad = [i for i, (g, w) in enumerate(zip(got, want)) if g != w]
                self.check(len(got) == 72 and not bad,
                           '%s: keyValue matches its table (%d points, first wrong: %s)'
                           % (name, len(got), bad[:1]))
            timer = 'BUDIK' + net
            self.check(re.search(r'DEF %s TimeSensor \{\s*cycleInterval 4\s+loop FALSE\s*\}' % timer, body) is not None,
                       '%s: cycleInterval 4, not looping' % timer)
            starts = sorted(re.findall(r'ROUTE (\w+)\.touchTime TO %s\.set_startTime' % timer, body))
            self.check(starts == sorted(triggers), '%s: started by %s (found %s)' % (timer, triggers, starts))
            self.check('ROUTE %s.fraction_changed TO %s.set_fraction' % (timer, name) in body,
                       '%s drives %s' % (timer, name))
            self.check('ROUTE %s.value_changed TO KR.set_body' % name in body, '%s moves KR' % name)
            # The staying face keeps its closed points all the way.
            self.check(FLAT[net][FACES.index(stays)] is None, '%s: %s stays' % (name, stays))


def main():
    path = Path(sys.argv[1]) if len(sys.argv) > 1 else DEFAULT
    checker = Checker(path)
    ok = checker.run()
    for failure in checker.failures:
        print('FAIL: ' + failure)
    print('%s: %d checks passed, %d failed' % (path.name, checker.passed, len(checker.failures)))
    return 0 if ok else 1


if __name__ == '__main__':
    sys.exit(main())
