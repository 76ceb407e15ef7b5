#!/usr/bin/python3
"""What a screen reader hears of the real window, through the desktop's accessibility bus.

Starts its own D-Bus session, accessibility bus (AT-SPI) and virtual X display, runs quenbury there
with accessibility on, types as a user would (XTest) and listens as a screen reader does: each case
checks the words that reach the bus as focus and description events, not what the widgets hold.

usage: screenreader.py QUENBURY
"""

import ctypes
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

TITLE = "Corvanta  Quenbury(tm)"
TIMEOUT = 20  # seconds for one case's words to be heard; a sanitized build starts slowly

# The receivers' closing lines, a clean Brisvane 100 file and one whose line 6 lacks its asterisk.
CLOSE = "YYYYYY*\r\nEOFEOF*\r\nXXXXXX*\r\n"
CLEAN = "#MatchEvent*\r\nTOR*\r\nYYYYYY*\r\n#MatchLocation*\r\n000000*\r\n039049Franklin*\r\n" + CLOSE
RED = CLEAN.replace("039049Franklin*", "039049Franklin")

# The shipped database loaded through its dialog, and the find field.
LOAD = ["alt+l", "alt+d", "wait:File name:", "text:locations.txt", "again:Return:Choose a state",
        "ctrl+f", "wait:Find locations"]

# A name | the file opened at start | the keys ("text:" types its words, "wait:" waits for the focus
# to reach a control whose name starts so, "again:KEY:NAME" presses the key until it does: the first
# Return may only close the completion list of a file dialog) | what is heard last: "focus:" the
# names of the lines or controls the focus went to, "selected:" the line selected, "said:" the
# description the focused control got, "unnamed:" the controls on screen without a name.
CASES = [
    ("a find with one line", None, LOAD + ["text:franklin oh", "Down"],
     "focus:039049Franklin*, Ohio"),
    ("three lines of a find", None, LOAD + ["text:franklin", "Down", "Down", "Down"],
     "focus:001059Franklin*, Alabama|005047Franklin*, Arkansas|012037Franklin*, Florida"),
    ("Enter from the find field", None, LOAD + ["text:franklin oh", "Return"],
     "focus:039049Franklin*, Ohio"),
    ("End and Home in a find", None, LOAD + ["text:franklin", "Down", "End", "Home"],
     "focus:053021Franklin*, Washington (State)|001059Franklin*, Alabama"),
    ("Space selects the line heard", None, LOAD + ["text:franklin", "Down", "ctrl+Down", "space"],
     "selected:005047Franklin*, Arkansas"),
    ("every control named, the find's own too", None, LOAD + ["text:franklin"], "unnamed:"),
    ("a red verification", RED, ["alt+v"],
     "said:Red: 1 error on line 6. Save File is disabled."),
    ("a save", CLEAN, ["alt+v", "alt+s", "space", "wait:File name:", "text:{home}/kitchen.txt", "Return"],
     "said:Saved 99 bytes to ~/kitchen.txt"),
]


def fail(message):
    print("SCREEN READER TEST FAILED: " + message, flush=True)
    sys.exit(1)


def dies_with_us():
    """Run in a child before it starts: it ends when this script does, however this ends."""
    ctypes.CDLL(None).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def check_tools():
    needs = ["dbus-daemon", "dbus-send", "Xvfb", "/usr/libexec/at-spi-bus-launcher"]
    missing = [tool for tool in needs if not shutil.which(tool)]
    if missing:
        fail("the accessibility bus cannot start without " + ", ".join(missing) +
             " (scripts/setup.sh installs the Debian packages)")


def started(scratch, name, command):
    """A server that tells on a pipe where it can be reached: its first line there, or a failure."""
    read, write = os.pipe()
    server = subprocess.Popen([arg.replace("FD", str(write)) for arg in command], pass_fds=[write],
                              stderr=open("%s/%s.log" % (scratch, name), "w"), preexec_fn=dies_with_us)
    os.close(write)
    with os.fdopen(read) as pipe:
        where = pipe.readline().strip()
    if not where:
        fail("the %s did not start: %s" % (name, open("%s/%s.log" % (scratch, name)).read()))
    return server, where


def start_bus(scratch):
    """The accessibility bus and its registry, found by every client through the session bus."""
    launcher = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                stderr=open(scratch + "/bus.log", "w"), preexec_fn=dies_with_us)
    for _ in range(100):
        reply = subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                                "/org/a11y/bus", "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
        if reply.returncode == 0:
            return launcher
        time.sleep(0.1)
    fail("the accessibility bus did not start: " + open(scratch + "/bus.log").read())


class Ears:
    """The events a screen reader listens to, kept in the order they come."""

    KINDS = ["object:state-changed:focused", "object:state-changed:selected",
             "object:property-change:accessible-description", "window:activate", "window:deactivate"]

    def __init__(self, atspi, glib, window_manager):
        self.desktop = atspi.get_desktop(0)
        self.window_manager = window_manager  # called between events: the keyboard to the top window
        self.inactive_since = time.monotonic()  # while no window of the program is active
        self.context = glib.MainContext.default()
        self.heard = []  # (kind, source name, words)
        self.focused = None  # the object the last focus event went to
        self.listener = atspi.EventListener.new(self.hear)
        for kind in self.KINDS:
            self.listener.register(kind)

    def hear(self, event):
        if event.type.startswith("window:"):
            self.inactive_since = None if event.type == "window:activate" else time.monotonic()
        elif event.type == "object:state-changed:focused" and event.detail1 == 1:
            self.focused = event.source
            self.heard.append(("focus", event.source.get_name(), ""))
        elif event.type == "object:state-changed:selected" and event.detail1 == 1:
            self.heard.append(("selected", event.source.get_name(), ""))
        elif event.type.endswith("description") and event.source == self.focused:
            self.heard.append(("said", event.source.get_name(), event.source.get_description()))

    def pump(self, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            while self.context.iteration(False):
                pass
            stuck = self.inactive_since is not None and time.monotonic() - self.inactive_since > 0.5
            if stuck:
                self.inactive_since = time.monotonic()
            self.window_manager(stuck)
            time.sleep(0.02)

    def wait_for(self, check, seconds=TIMEOUT):
        end = time.monotonic() + seconds
        while time.monotonic() < end and not check():
            self.pump(0.1)
        return check()


class Keyboard:
    """Keys pressed on the X server, as a user's keyboard presses them."""

    NAMES = {"alt": "Alt_L", "ctrl": "Control_L", " ": "space", "/": "slash", ".": "period",
             "-": "minus", "_": "underscore", "~": "asciitilde"}

    def __init__(self):
        try:
            from Xlib import XK, display
        except ImportError as error:
            fail("python3-xlib is missing (%s)" % error)
        self.xk = XK
        self.display = display.Display()
        self.top, self.since = None, 0.0  # the window on top, and since when

    def code(self, name):
        """The key code of a key name or a character, and whether it needs Shift."""
        sym = self.xk.string_to_keysym(self.NAMES.get(name, name))
        code = self.display.keysym_to_keycode(sym)
        if not code:
            fail("no key for " + repr(name))
        return code, self.display.keycode_to_keysym(code, 0) != sym

    def chord(self, codes):
        from Xlib import X
        from Xlib.ext import xtest
        for code in codes:
            xtest.fake_input(self.display, X.KeyPress, code)
        for code in reversed(codes):
            xtest.fake_input(self.display, X.KeyRelease, code)
        self.display.sync()

    def press(self, key):
        if key.startswith("text:"):
            shift = self.code("Shift_L")[0]
            for char in key[5:]:
                code, shifted = self.code(char)
                self.chord([shift, code] if shifted else [code])
                time.sleep(0.02)
            return
        self.chord([self.code(part)[0] for part in key.split("+")])

    def focus_top(self, again=False):
        """Gives the keyboard to the window on top once it has stayed there a moment, as a window
        manager does when a window is shown or a dialog closes: given while the program is still
        closing a dialog, it is lost. `again` gives it once more, when the program took none
        active. Returns the title of the window on top."""
        from Xlib import X, error
        for window in reversed(self.display.screen().root.query_tree().children):
            try:
                shown = window.get_attributes()
                title = window.get_wm_name()
            except error.BadWindow:  # gone since the list was made
                continue
            if shown.map_state != X.IsViewable or shown.override_redirect or not title:
                continue
            if window.id != self.top:
                self.top, self.since = window.id, time.monotonic()
            settled = time.monotonic() - self.since > 0.3
            if settled and (again or self.display.get_input_focus().focus != window):
                # A window that went in the meantime (BadMatch) is no fault.
                window.set_input_focus(X.RevertToParent, X.CurrentTime, onerror=error.CatchError())
                self.display.sync()
            return title
        return None


def listen():
    """A screen reader's ears on the accessibility bus, and a keyboard."""
    try:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
    except (ImportError, ValueError) as error:
        fail("python3-pyatspi is missing (%s)" % error)
    Atspi.init()
    try:
        Atspi.get_desktop(0).get_child_count()
    except GLib.Error as error:
        fail("the accessibility bus cannot be reached: %s" % error.message)
    global STATE_SHOWING
    STATE_SHOWING = Atspi.StateType.SHOWING
    keyboard = Keyboard()
    return Ears(Atspi, GLib, keyboard.focus_top), keyboard


# What a user acts on, and must hear a name for.
CONTROLS = {"push button", "check box", "radio button", "combo box", "text", "list", "page tab",
            "menu item", "spin button", "slider"}


def unnamed(desktop):
    """The controls on screen without a name, as "role in parent"."""
    found = []
    stack = [desktop.get_child_at_index(i) for i in range(desktop.get_child_count())]
    while stack:
        node = stack.pop()
        if not node.get_state_set().contains(STATE_SHOWING):
            continue
        role = node.get_role_name()
        if role in CONTROLS and not node.get_name():
            found.append("%s in %s" % (role, node.get_parent().get_name()))
        if role != "list":  # its lines are named by their text
            stack.extend(node.get_child_at_index(i) for i in range(node.get_child_count()))
    return found


def run_case(ears, keyboard, quenbury, case, scratch):
    name, text, keys, expected = case
    home = tempfile.mkdtemp(dir=scratch)
    env = dict(os.environ, HOME=home, XDG_CONFIG_HOME=home + "/config", XDG_DATA_HOME=home + "/data",
               XDG_CACHE_HOME=home + "/cache", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1",
               QT_QPA_PLATFORM="xcb", LC_ALL="C", ASAN_OPTIONS="detect_leaks=0")
    args = [quenbury]
    if text is not None:
        args.append(home + "/open.txt")
        with open(args[-1], "wb") as file:
            file.write(text.encode("cp1252"))
    program = subprocess.Popen(args, env=env, stderr=open(home + "/stderr.log", "w"), preexec_fn=dies_with_us)
    try:
        # At start the focus is on Continue, or on Verify File with a file opened.
        first = "Verify File" if text is not None else "Continue"
        if not ears.wait_for(lambda: any(h == ("focus", first, "") for h in ears.heard)):
            return "the window's first focus was never heard: %r" % ears.heard
        ears.pump(0.5)
        ears.heard.clear()
        focused = lambda: ([""] + [h[1] for h in ears.heard if h[0] == "focus"])[-1]
        for key in keys:
            verb, _, rest = key.partition(":")
            if verb == "wait" and not ears.wait_for(lambda: focused().startswith(rest)):
                return "the focus never reached %s: %r" % (rest, ears.heard)
            if verb == "again":
                key, name = rest.split(":")
                for _ in range(3):
                    keyboard.press(key)
                    if ears.wait_for(lambda: focused().startswith(name), 3):
                        break
                else:
                    return "%s never took the focus to %s, %s on top: %r" % (key, name, keyboard.focus_top(), ears.heard)
            if verb not in ("wait", "again"):
                keyboard.press(key.replace("{home}", home))
                ears.pump(0.3)
        kind, words = expected.split(":", 1)
        want = words.split("|")
        if kind == "unnamed":
            heard = lambda: unnamed(ears.desktop) or [""]
        elif kind != "said":
            heard = lambda: [h[1] for h in ears.heard if h[0] == kind][-len(want):]
        else:
            heard = lambda: [h[2] for h in ears.heard if h[0] == "said" and h[2]][-1:]
        ears.wait_for(lambda: heard() == want)
        return None if heard() == want else "heard %r, not %r; all events: %r" % (heard(), want, ears.heard)
    finally:
        program.kill()
        program.wait()


def main():
    if len(sys.argv) != 2:
        fail("usage: screenreader.py QUENBURY")
    check_tools()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(1))  # a time-out still cleans up
    scratch = tempfile.mkdtemp(prefix="quenbury-a11y-")
    # Everything a bus or the program keeps goes there, not to the home folder of whoever runs this.
    for name in ("HOME", "XDG_RUNTIME_DIR", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"):
        os.environ[name] = tempfile.mkdtemp(dir=scratch)
    os.environ.pop("AT_SPI_BUS_ADDRESS", None)  # another desktop's bus
    servers = []
    failed = 0
    try:
        session, os.environ["DBUS_SESSION_BUS_ADDRESS"] = started(
            scratch, "D-Bus session", ["dbus-daemon", "--session", "--nofork", "--print-address=FD"])
        servers.append(session)
        display, number = started(scratch, "virtual display", [
            "Xvfb", "-displayfd", "FD", "-screen", "0", "1024x768x24", "-nolisten", "tcp"])
        servers.append(display)
        os.environ["DISPLAY"] = ":" + number
        servers.append(start_bus(scratch))
        ears, keyboard = listen()
        for case in CASES:
            problem = run_case(ears, keyboard, os.path.abspath(sys.argv[1]), case, scratch)
            print(("PASS   " if problem is None else "FAIL   ") + case[0], flush=True)
            if problem is not None:
                failed += 1
                print("       " + problem, flush=True)
    finally:
        for server in reversed(servers):
            server.terminate()
            server.wait()
        shutil.rmtree(scratch, ignore_errors=True)
    print("%d passed, %d failed" % (len(CASES) - failed, failed))
    sys.exit(1 if failed else 0)


if __name__ == "__main__":
    main()
