"""The window as a screen reader's user meets it, through the accessibility
bus alone: its keys found by their spoken names, focused and pressed with
their actions, fields edited through their text interface, menus and message
boxes answered, and its state read back in quibo-cli's terms."""

import contextlib
import os
import subprocess
import time

import pyatspi
from gi.repository import GLib


# What a screen reader says for each key, by the caption a script names it by.
KEY_NAMES = {
    **{digit: "Digit " + digit for digit in "0123456789ABCDEF"},
    "CLR": "Clear", "/": "Divide", "*": "Multiply", "-": "Subtract", "+": "Add", "=": "Equals",
    "%": "Modulus", "~": "Complement", "^": "Exclusive OR", "&": "Bitwise AND", "|": "Bitwise OR",
    "<<": "Shift left", ">>": "Shift right",
}
BYTE_ORDER_NAMES = {"Mot": "Byte order: Motorola (big-endian)", "Int": "Byte order: Intel (little-endian)"}
FIELD_NAMES = {"hex": "Hexadecimal", "decimal": "Decimal"}
SETTINGS_FOLDER = "Local AppWizard-Generated Applications"
TIMEOUT = 10.0
# The View menu's items by their commands' identifiers.
VIEW_ITEMS = {"ID_VIEW_STATUS_BAR": "Status Bar", "ID_VIEW_REMOVE_BORDER": "Remove  Border",
              "ID_VIEW_TOPMOST": "Make Topmost Window", "ID_VIEW_BITS": "Bits", "ID_VIEW_INSPECTOR": "Inspector"}
EVENTS = ("object:text-changed", "object:property-change", "focus:", "object:state-changed:focused")


class Failure(Exception):
    pass


def pump(seconds=0.0):
    """Lets the bus deliver what it has (events, cache updates)."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while True:
        while context.pending():
            context.iteration(False)
        if time.monotonic() >= end:
            return
        time.sleep(0.01)


def wait_for(what, description, timeout=TIMEOUT):
    end = time.monotonic() + timeout
    while True:
        pump()
        value = what()
        if value:
            return value
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + description)
        time.sleep(0.02)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def has_state(node, state):
    return node.getState().contains(state)


def text_of(node):
    text = node.queryText()
    return text.getText(0, text.characterCount)


def do_action(node, name):
    action = node.queryAction()
    for index in range(action.nActions):
        if action.getName(index).lower() == name:
            return action.doAction(index)
    raise Failure("%s %r has no %s action" % (node.getRoleName(), node.name, name))


class Window:
    def __init__(self, quibo, config=None):
        """Starts quibo, with its settings in the folder config if given."""
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
        if config:
            env["XDG_CONFIG_HOME"] = config
        self.process = subprocess.Popen([quibo], env=env)
        try:
            self._find_controls()
        except BaseException:
            self.process.kill()
            self.process.wait()
            raise
        # What the display and BINARY announce.
        self.events = []
        self.listener = lambda event: self.events.append(event)
        pyatspi.Registry.registerEventListener(self.listener, *EVENTS)
        self.messages = []

    def _find_controls(self):
        self.app = wait_for(self._find_app, "the window on the accessibility bus", 30)
        self.frame = wait_for(lambda: next((c for c in self.app if c is not None and
                                             c.getRole() == pyatspi.ROLE_FRAME and
                                             has_state(c, pyatspi.STATE_SHOWING)), None), "the frame")
        self.keys = {}
        self.fields = {}
        self.choices = {}
        self.bits = {}
        for node in walk(self.frame):
            role = node.getRole()
            if role == pyatspi.ROLE_PUSH_BUTTON:
                self.keys[node.name] = node
            elif role == pyatspi.ROLE_TEXT:
                self.fields[node.name] = node
            elif role == pyatspi.ROLE_LABEL and node.name in ("Display", "Binary"):
                self.fields[node.name] = node
            elif role == pyatspi.ROLE_STATUS_BAR:
                self.status = node[0]
                self.wrap = next(c for c in node if c.name == "No wrap" or c.name.startswith("Wrap: "))
            elif role == pyatspi.ROLE_RADIO_BUTTON:
                self.choices[node.name] = node
            elif role == pyatspi.ROLE_CHECK_BOX and node.name.startswith("Bit "):
                self.bits[int(node.name[4:])] = node
        for name in list(KEY_NAMES.values()) + ["Hexadecimal", "Decimal", "Display", "Binary"]:
            if name not in self.keys and name not in self.fields:
                raise Failure("no control is named %r" % name)

    def _find_app(self):
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.get_process_id() == self.process.pid:
                return app
        return None

    def close(self):
        pyatspi.Registry.deregisterEventListener(self.listener, *EVENTS)
        self.process.terminate()
        self.process.wait(TIMEOUT)

    def key(self, caption):
        if caption in BYTE_ORDER_NAMES:
            # Its name follows its caption, whichever it shows.
            for node in walk(self.frame):
                if node.getRole() == pyatspi.ROLE_PUSH_BUTTON and node.name in BYTE_ORDER_NAMES.values():
                    return node
            raise Failure("no byte-order key")
        node = self.keys[KEY_NAMES[caption]]
        if node.name != KEY_NAMES[caption]:
            raise Failure("key %r is now named %r" % (caption, node.name))
        return node

    def flip(self, number):
        """Focuses a bit and toggles it, as a screen reader's user does;
        the bit's checked state then says the bit's new value."""
        node = self.bits[number]
        if not has_state(node, pyatspi.STATE_ENABLED):
            raise Failure("bit %d is unavailable" % number)
        node.queryComponent().grabFocus()
        wait_for(lambda: has_state(node, pyatspi.STATE_FOCUSED), "the focus on " + node.name)
        was = has_state(node, pyatspi.STATE_CHECKED)
        with self.announced():
            do_action(node, "toggle")
            wait_for(lambda: has_state(node, pyatspi.STATE_CHECKED) != was, node.name + " to change")

    def bits_value(self):
        """The value the panel's enabled bits say, and how many there are."""
        value, width = 0, 0
        for number, node in self.bits.items():
            if has_state(node, pyatspi.STATE_ENABLED):
                width += 1
                value |= (1 << number) if has_state(node, pyatspi.STATE_CHECKED) else 0
        return value, width

    def dialogs(self):
        shown = []
        for child in self.app:
            try:
                if child is not None and child.getRole() in (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT) and \
                        has_state(child, pyatspi.STATE_SHOWING):
                    shown.append(child)
            except GLib.GError:
                pass  # a box that closed between the listing and the question
        return shown

    def answer(self, box):
        """Reads a message box and presses its OK."""
        texts = [n.name for n in walk(box) if n.getRole() == pyatspi.ROLE_LABEL and n.name]
        ok = next((n for n in walk(box) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == "OK"), None)
        if not texts or ok is None:
            raise Failure("message box %r has no text or no OK" % box.name)
        self.messages.append({"caption": box.name, "text": texts[0]})
        do_action(ok, "press")
        wait_for(lambda: box not in self.dialogs(), "the message box to close")

    def press(self, node):
        """Focuses a key and presses it; answers the boxes it opens."""
        node.queryComponent().grabFocus()
        wait_for(lambda: has_state(node, pyatspi.STATE_FOCUSED), "the focus on " + node.name)
        with self.announced():
            do_action(node, "press")
            # The key shows pressed until its click ran, or opened a box.
            wait_for(lambda: not has_state(node, pyatspi.STATE_PRESSED), node.name + " to come up")
        self.answer_boxes()

    @contextlib.contextmanager
    def announced(self):
        """The display and BINARY keep their names, and announce each new
        text they show once, as inserted text a screen reader reads. The
        byte-order key and the WRAP pane send one name when their name
        changed, else none."""
        shown = {name: text_of(self.fields[name]) for name in ("Display", "Binary")}
        named = {node: node.name for node in (self.key("Mot"), self.wrap)}
        self.events.clear()
        yield
        pump(0.05)
        for node, before in named.items():
            renamed = [e for e in self.events if e.source == node and e.type.endswith("accessible-name")]
            if len(renamed) != (0 if node.name == before else 1):
                raise Failure("%r sent %d names and is named %r, was %r" % (node.name, len(renamed), node.name, before))
        for name, before in shown.items():
            node = self.fields[name]
            if node.name != name:
                raise Failure("the %s is now named %r" % (name, node.name))
            after = text_of(node)

            def said():
                return [e for e in self.events if e.source == node and e.type.startswith("object:text-changed:insert")]
            if after and after != before:
                wait_for(lambda: said(), "the %s to announce %r" % (name, after), 2)
                pump(0.05)
                if len(said()) != 1 or said()[0].any_data != after:
                    raise Failure("the %s shows %r and announced %s" % (name, after, [(e.type, e.any_data, e.detail1, e.detail2) for e in self.events if e.source == node]))
            if any(e.source == node and "accessible-name" in e.type for e in self.events):
                raise Failure("the %s announced a new name" % name)

    def answer_boxes(self, expected=0):
        """Answers every open box; waits for at least expected in all."""
        end = time.monotonic() + TIMEOUT
        while True:
            pump()
            boxes = self.dialogs()
            for box in boxes:
                self.answer(box)
            if not boxes and len(self.messages) >= expected:
                return
            if time.monotonic() > end:
                raise Failure("expected %d message boxes, saw %d" % (expected, len(self.messages)))
            time.sleep(0.02)

    def focused_field(self):
        return next((f for f in (self.fields["Hexadecimal"], self.fields["Decimal"])
                     if has_state(f, pyatspi.STATE_FOCUSED)), None)

    def edit(self, change):
        field = self.focused_field()
        if field is None:
            raise Failure("no field has the focus")
        with self.announced():
            change(field.queryEditableText(), field.queryText().characterCount)

    def choose(self, type_name):
        with self.announced():
            do_action(self.choices[type_name], "press")
            wait_for(lambda: has_state(self.choices[type_name], pyatspi.STATE_CHECKED) or self.dialogs(),
                     type_name + " to be checked")
        # The status pane's new name is said once, however often it was set.
        pump(0.2)
        said = [e for e in self.events if e.source == self.status and e.type.endswith("accessible-name")]
        if len(said) > 1:
            raise Failure("the status pane, now %r, sent %d names for one choice" % (self.status.name, len(said)))

    def command(self, name):
        """A menu command by its identifier, as a click on its menu item."""
        if name == "ID_FILE_NEW":
            return self.new()
        for type_name in self.choices:
            if name == "ID_TYPE_" + type_name.upper().replace(" ", "_"):
                return self.choose(type_name)
        item = next(n for n in walk(self.frame)
                    if n.getRole() == pyatspi.ROLE_MENU_ITEM and n.name == VIEW_ITEMS[name])
        do_action(item, "press")
        pump(0.2)

    def new(self):
        pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_PRESS)  # Control_L
        pyatspi.Registry.generateKeyboardEvent(57, None, pyatspi.KEY_PRESSRELEASE)  # n
        pyatspi.Registry.generateKeyboardEvent(37, None, pyatspi.KEY_RELEASE)

    def state(self):
        checked = [name for name, node in self.choices.items() if has_state(node, pyatspi.STATE_CHECKED)]
        byte_order = self.key("Mot")
        caption = text_of(byte_order)
        if BYTE_ORDER_NAMES.get(caption) != byte_order.name:
            raise Failure("the byte-order key shows %r and is named %r" % (caption, byte_order.name))
        return {
            "display": text_of(self.fields["Display"]),
            "hex": text_of(self.fields["Hexadecimal"]),
            "decimal": text_of(self.fields["Decimal"]),
            "binary": text_of(self.fields["Binary"]),
            "byteorder": caption,
            "datatype": checked[0] if len(checked) == 1 else checked,
            "status": self.status.description,
            "messages": self.messages,
            "wrap": "" if self.wrap.name == "No wrap" else self.wrap.name[len("Wrap: "):],
        }
