#!/usr/bin/python3
"""Plays replay scripts on the real window through the accessibility bus
alone, as a screen reader's user works it: every key found by its spoken
name, focused and pressed with its action, fields edited through their text
interface, message boxes read and answered. After each line the window's
state, read back through the same bus, must equal the line quibo-cli prints
for it. On the way it checks what such a user depends on: the display and
BINARY keep their names and announce each new value; no name is sent again
when it did not change (the byte-order key's, the status pane's); the lock
panes' names say whether each lock is on; and a Data Type chosen with the
mouse gives the focus back to the field, with a focus event.

Usage: atspi_replay.py QUIBO QUIBO_CLI SCRIPT...
Runs on the current X display, inside a D-Bus session (dbus-run-session).
"""

import json
import os
import subprocess
import sys
import tempfile
import traceback

import pyatspi

sys.dont_write_bytecode = True  # the driver beside this script is imported; the tree stays as checked out
from atspi_window import FIELD_NAMES, SETTINGS_FOLDER, Failure, Window, has_state, pump, text_of, wait_for, walk


def play_line(window, line, expected):
    words = line.split(" ", 1)
    word, rest = words[0], words[1] if len(words) > 1 else ""
    window.messages = []
    if word == "click":
        for caption in rest.split():
            window.press(window.key(caption))
    elif word == "focus":
        field = window.fields[FIELD_NAMES[rest]]
        field.queryComponent().grabFocus()
        wait_for(lambda: has_state(field, pyatspi.STATE_FOCUSED), "the focus on " + field.name)
        # As a click into it leaves it: the caret at the end.
        window.edit(lambda text, length: field.queryText().setCaretOffset(length))
    elif word == "type":
        for character in rest:
            window.edit(lambda text, length: text.insertText(length, character, len(character)))
    elif word == "backspace":
        for _ in range(int(rest or "1")):
            window.edit(lambda text, length: length and text.deleteText(length - 1, length))
    elif word == "clear-field":
        window.edit(lambda text, length: length and text.deleteText(0, length))
    elif word == "paste":
        # The whole text replaced in one change, cut to the field's limit.
        window.edit(lambda text, length: text.setTextContents(rest))
    elif word == "datatype":
        window.choose(rest)
    elif word == "new":
        window.new()
    elif word == "command":
        window.command(rest)
    elif word == "bit":
        window.flip(int(rest))
    else:
        raise Failure("the driver does not play %r" % word)
    window.answer_boxes(len(expected["messages"]))


def play(quibo, cli, script):
    expected = subprocess.run([cli, "--script", script], stdout=subprocess.PIPE, check=False).stdout
    expected = [json.loads(line) for line in expected.decode("utf-8").splitlines()]
    with open(script, encoding="utf-8") as lines:
        actions = [line.rstrip("\n").strip(" \t") for line in lines]
    actions = [line for line in actions if line and not line.startswith("#")]
    if len(actions) != len(expected):
        raise Failure("quibo-cli printed %d lines for %d actions" % (len(expected), len(actions)))
    failures = 0
    with tempfile.TemporaryDirectory() as config:
        # A script that flips bits starts with the panel shown, as a user's
        # settings keep it.
        flips = any(line.split(" ")[0] == "bit" for line in actions)
        if flips:
            os.makedirs(os.path.join(config, SETTINGS_FOLDER))
            with open(os.path.join(config, SETTINGS_FOLDER, "Quibo.ini"), "w", encoding="utf-8") as settings:
                settings.write("[View]\nBits=true\n")
        window = Window(quibo, config)
        try:
            for number, (line, want) in enumerate(zip(actions, expected), 1):
                if "error" in want:
                    continue
                play_line(window, line, want)
                now = window.state()
                if now != want:
                    print("%s: action %d %r\n  window:    %s\n  quibo-cli: %s" %
                          (script, number, line, json.dumps(now), json.dumps(want)))
                    failures += 1
                if flips and not check_bits(window, now):
                    print("%s: action %d %r: the bits say %x in %d, BINARY %r" %
                          ((script, number, line) + window.bits_value() + (now["binary"],)))
                    failures += 1
        finally:
            window.close()
    return failures


def check_bits(window, state):
    """The enabled bits are the type's width and, while the key reads Mot,
    say what BINARY says."""
    value, width = window.bits_value()
    widths = {"unsigned char": 8, "char": 8, "unsigned short": 16, "short": 16, "float": 32, "double": 64,
              "unsigned long long": 64, "long long": 64}
    if width != widths.get(state["datatype"], 32):
        return False
    if state["byteorder"] != "Mot":
        return True
    digits = "".join(c for c in state["binary"] if c in "01")
    return (int(digits, 2) if digits else 0) & ((1 << width) - 1) == value


def check_focus_after_mouse_menu(quibo):
    """A Data Type chosen with the mouse: the focused field hears of it."""
    window = Window(quibo)
    try:
        field = window.fields["Hexadecimal"]
        field.queryComponent().grabFocus()
        wait_for(lambda: has_state(field, pyatspi.STATE_FOCUSED), "the focus on HEX")
        pump(0.2)
        window.events.clear()
        menu = next(n for n in walk(window.frame) if n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == "Data Type")
        integral = next(n for n in walk(menu) if n.name == "Integral Types")
        choice = window.choices["char"]

        def click(node, kind="b1c"):
            box = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, kind)

        click(menu)
        wait_for(lambda: has_state(integral, pyatspi.STATE_SHOWING), "the Data Type menu")
        click(integral, "abs")
        wait_for(lambda: has_state(choice, pyatspi.STATE_SHOWING), "the Integral Types menu")
        pump(0.2)
        click(choice, "abs")
        pump(0.2)
        click(choice)
        wait_for(lambda: has_state(choice, pyatspi.STATE_CHECKED), "char to be checked")
        wait_for(lambda: not has_state(choice, pyatspi.STATE_SHOWING), "the menu to close")
        pump(0.5)
        focus = [e for e in window.events if e.type.startswith("focus") or
                 (e.type.startswith("object:state-changed:focused") and e.detail1 == 1)]
        if not focus or focus[-1].source != field:
            raise Failure("after the menu the last focus event was %s, not HEX" %
                          ([(e.type, e.source.name) for e in focus[-1:]] or "none"))
        if not has_state(field, pyatspi.STATE_FOCUSED):
            raise Failure("HEX is not focused after the menu")
    finally:
        window.close()


def check_keyboard_after_bits_panel(quibo):
    """Shown from the keyboard, left from a bit and hidden, the Bits panel
    gives the keyboard back: after View > Bits again a typed 7 presses the
    keypad, and the focus is not left on the menu bar."""
    window = Window(quibo)
    try:
        def chord(modifier, key):  # X key codes; the modifier held while key is pressed
            pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_PRESS)
            pump(0.1)
            pyatspi.Registry.generateKeyboardEvent(key, None, pyatspi.KEY_PRESSRELEASE)
            pump(0.1)
            pyatspi.Registry.generateKeyboardEvent(modifier, None, pyatspi.KEY_RELEASE)
            pump(0.3)

        def view_bits():
            chord(64, 55)  # Alt_L, v
            pyatspi.Registry.generateKeyboardEvent(56, None, pyatspi.KEY_PRESSRELEASE)  # b
            pump(0.3)

        def bit31():
            return next((n for n in walk(window.frame)
                         if n.getRole() == pyatspi.ROLE_CHECK_BOX and n.name == "Bit 31"), None)

        view_bits()
        bit = wait_for(lambda: (b := bit31()) and has_state(b, pyatspi.STATE_SHOWING) and b, "the Bits panel")
        chord(50, 23)  # Shift_L, Tab
        wait_for(lambda: has_state(bit, pyatspi.STATE_FOCUSED), "the focus on Bit 31")
        view_bits()
        wait_for(lambda: not has_state(bit, pyatspi.STATE_SHOWING), "the Bits panel to hide")
        view_bits()
        wait_for(lambda: has_state(bit, pyatspi.STATE_SHOWING), "the Bits panel again")
        pyatspi.Registry.generateKeyboardEvent(16, None, pyatspi.KEY_PRESSRELEASE)  # 7
        wait_for(lambda: text_of(window.fields["Display"]) == "7", "a typed 7 in the display")
        if any(n.getRole() == pyatspi.ROLE_MENU_BAR and has_state(n, pyatspi.STATE_FOCUSED) for n in walk(window.frame)):
            raise Failure("the menu bar keeps the focus")
    finally:
        window.close()


def check_lock_panes(quibo):
    """Each lock pane's name, what a screen reader reads first, says whether
    the lock is on; Num Lock pressed changes the name once."""
    window = Window(quibo)
    try:
        def panes():
            found = {}
            for node in walk(window.frame):
                for lock, shown in (("Caps Lock", "CAP"), ("Num Lock", "NUM"), ("Scroll Lock", "SCRL")):
                    if node.getRole() == pyatspi.ROLE_LABEL and node.name.startswith(lock):
                        found[lock] = (node, shown)
            return found
        found = wait_for(lambda: len(panes()) == 3 and panes(), "the three lock panes")
        for lock, (node, shown) in found.items():
            state = "on" if text_of(node) == shown else "off"
            if node.name != "%s %s" % (lock, state):
                raise Failure("the %s pane shows %r and is named %r" % (lock, text_of(node), node.name))
        num = found["Num Lock"][0]
        was = num.name
        window.events.clear()
        pyatspi.Registry.generateKeyboardEvent(77, None, pyatspi.KEY_PRESSRELEASE)  # Num_Lock
        try:
            wait_for(lambda: num.name != was, "the Num Lock pane's name to change")
            pump(0.2)
            said = [e for e in window.events if e.source == num and e.type.endswith("accessible-name")]
            if len(said) != 1 or num.name != "Num Lock " + ("on" if text_of(num) == "NUM" else "off"):
                raise Failure("after Num Lock the pane shows %r, is named %r and sent %d names" %
                              (text_of(num), num.name, len(said)))
        finally:
            pyatspi.Registry.generateKeyboardEvent(77, None, pyatspi.KEY_PRESSRELEASE)
    finally:
        window.close()


def check_inspector(quibo, cli):
    """The Inspector read as a screen reader reads a table, its rows and
    columns by name, gives quibo-cli --inspect's texts at every width and in
    both byte orders."""
    window = Window(quibo)
    try:
        window.command("ID_VIEW_INSPECTOR")
        table = wait_for(lambda: next((n for n in walk(window.frame) if n.getRole() == pyatspi.ROLE_TABLE
                                       and n.name == "Inspector" and has_state(n, pyatspi.STATE_SHOWING)), None),
                         "the Inspector")
        cells = table.queryTable()
        no_message = {"messages": []}
        for type_name, hex_text in (("char", "0A"), ("short", "3C00"), ("float", "3DCCCCCD"),
                                    ("double", "0000000000000001")):
            for line in ("datatype " + type_name, "focus decimal", "focus hex", "clear-field", "type " + hex_text):
                play_line(window, line, no_message)
            printed = subprocess.run([cli, "--type", type_name, "--hex", hex_text, "--inspect"],
                                     stdout=subprocess.PIPE, check=True, text=True).stdout.splitlines()
            wanted = [line.split("\t") for line in printed]

            def read():
                return [[cells.getRowDescription(row)] +
                        [cells.getAccessibleAt(row, column).name for column in range(len(wanted[0]) - 1)]
                        for row in range(cells.nRows)]
            wait_for(lambda: read() == wanted, "the Inspector's rows for %s %s" % (type_name, hex_text))
            columns = [cells.getColumnDescription(column) for column in range(len(wanted[0]) - 1)]
            if columns != ["Mot", "Int"][:len(columns)]:
                raise Failure("the Inspector's columns are %r" % columns)
    finally:
        window.close()


def main():
    quibo, cli, scripts = sys.argv[1], sys.argv[2], sys.argv[3:]
    failures = 0
    checks = [(script, lambda script=script: play(quibo, cli, script)) for script in scripts]
    checks.append(("Data Type with the mouse", lambda: check_focus_after_mouse_menu(quibo) or 0))
    checks.append(("lock panes", lambda: check_lock_panes(quibo) or 0))
    checks.append(("the keyboard after the Bits panel", lambda: check_keyboard_after_bits_panel(quibo) or 0))
    checks.append(("the Inspector", lambda: check_inspector(quibo, cli) or 0))
    for name, check in checks:
        try:
            failures += check()
        except Failure as failure:
            print("%s: %s" % (name, failure))
            failures += 1
        except Exception:  # a lookup that found nothing, a bus error
            print("%s: %s" % (name, traceback.format_exc()))
            failures += 1
    print("%d failure(s)" % failures)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
