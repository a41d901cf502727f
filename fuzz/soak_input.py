#!/usr/bin/env python3
"""Writes a scripted session of COUNT random keys and lines to standard output.

usage: soak_input.py COUNT [SEED]

The input follows a model of the menus, so that it reaches every main-menu
key, panel and action: it opens a tour that runs every action of every panel
once, then goes on at random: panel keys, action keys with one line per
number the action reads, pause keys, ESC, ignored keys of every byte value,
and lines of every kind (numbers with points and commas, signs, exponents,
junk, empty, NUL bytes, invalid UTF-8, over-long lines). An over-long line
leaves its remainder to the next reads, so the program may fall out of step
with the model; it then simply goes on from wherever it is.

Two ESC bytes are never adjacent: whatever state the program is in, ESC at
the main menu followed by ESC at the quit question is the only way to quit,
so the session always runs to the end of its input.
"""

import random
import sys

ESC = 0x1B

# Main-menu key -> {action key: numbers the action reads}.
PANELS = {
    b"1": {b"1": 1, b"2": 1, b"3": 1, b"4": 1, b"5": 1},  # temperature
    b"2": {b"1": 1, b"2": 1},                             # euro / lira
    b"3": {b"1": 2},                                      # power
    b"4": {b"1": 1},                                      # logarithms
    b"5": {b"1": 1},                                      # square root
    b"6": {b"1": 1},                                      # trigonometry
    b"7": {b"1": 2, b"2": 2, b"3": 2, b"4": 2},           # arithmetic
    b"8": {b"1": 1},                                      # absolute value
    b"9": {b"1": 1},                                      # arcsine
    b"a": {b"1": 2},                                      # arctangent
    b"b": {b"1": 1},                                      # Bessel table
}


class Session:
    def __init__(self, count, seed):
        self.rng = random.Random(seed)
        self.count = count
        self.tokens = []

    def full(self):
        return len(self.tokens) >= self.count

    def emit(self, token):
        if not self.full():
            self.tokens.append(token)

    def number_line(self):
        r = self.rng
        choice = r.randrange(100)
        if choice < 40:
            text = str(r.choice([r.randint(-10**6, 10**6), r.uniform(-1e3, 1e3)]))
            return text.replace(".", r.choice([".", ","])).encode() + b"\n"
        if choice < 55:
            mantissa = f"{r.uniform(-10, 10):.{r.randint(0, 17)}f}"
            return f"{mantissa}e{r.randint(-400, 400)}".encode() + b"\n"
        if choice < 75:
            return r.choice([b"", b"-", b"+", b".", b",", b",,,", b"...", b"e5", b"1e", b"abc",
                             b"nan", b"inf", b"0x10", b"1,2,3", b" \t-0,5", b"12abc",
                             b"1e99999", b"-1e-99999", b"1e-320", b"0"]) + b"\n"
        if choice < 90:
            # Any bytes but ESC and newline: NUL, invalid UTF-8, controls.
            junk = bytes(r.choice([b for b in range(256) if b not in (ESC, 0x0A)])
                         for _ in range(r.randint(1, 40)))
            return junk + b"\n"
        if choice < 97:
            return b"9" * r.randint(250, 600) + b"\n"  # over-long: the rest reaches the next reads
        return r.choice([b"1", b"2", b"3"]) * 254  # a line exactly at the limit, newline left over

    def any_key(self, avoid=b""):
        while True:
            key = bytes([self.rng.randrange(256)])
            if key[0] != ESC and key not in avoid:
                return key

    def run_action(self, key, reads):
        self.emit(key)
        for _ in range(reads):
            self.emit(self.number_line())
        # The pause takes any key, ESC included.
        self.emit(bytes([ESC]) if self.rng.randrange(5) == 0 else self.any_key())

    def tour(self):
        for menu_key, actions in PANELS.items():
            self.emit(menu_key)
            for key, reads in actions.items():
                self.run_action(key, reads)
            self.emit(bytes([ESC]))

    def wander(self):
        r = self.rng
        while not self.full():
            choice = r.randrange(100)
            if choice < 8:
                self.emit(self.any_key(avoid=b"".join(PANELS)))  # ignored at the main menu
                continue
            if choice < 12:
                self.emit(bytes([ESC]))                           # quit question...
                self.emit(self.any_key())                         # ...and back
                continue
            menu_key = r.choice(list(PANELS))
            actions = PANELS[menu_key]
            self.emit(menu_key)
            while not self.full():
                step = r.randrange(100)
                if step < 70:
                    key = r.choice(list(actions))
                    self.run_action(key, actions[key])
                elif step < 85:
                    self.emit(self.any_key(avoid=b"".join(actions)))  # redraws the panel
                else:
                    self.emit(bytes([ESC]))
                    break

    def script(self):
        self.tour()
        self.wander()
        data = bytearray()
        for token in self.tokens:
            # Keep ESC bytes apart: a key between them that every screen
            # ignores or answers with a redraw ('x' is no key anywhere).
            if data and data[-1] == ESC and token[:1] == bytes([ESC]):
                data += b"x"
            data += token
        return bytes(data)


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    count = int(sys.argv[1])
    seed = int(sys.argv[2]) if len(sys.argv) == 3 else 1
    sys.stdout.buffer.write(Session(count, seed).script())


if __name__ == "__main__":
    main()
