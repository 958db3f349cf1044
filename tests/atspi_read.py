"""What a screen reader finds in the running game, over the real AT-SPI bus.

Run by atspi_test.sh with the program started on a private X server and session bus.
Prints one line per finding; exits 1 on the first expectation not met.
"""
import sys
import time

import pyatspi
from gi.repository import GLib


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def find_app(name, timeout=15):
    end = time.time() + timeout
    while time.time() < end:
        for app in pyatspi.Registry.getDesktop(0):
            if app is not None and app.name == name and app.childCount > 0:
                return app
        time.sleep(0.2)
    fail("no application named %r on the accessibility bus" % name)


def flatten(node):
    """Every accessible below node, in the order a screen reader reads them."""
    out = []
    for child in node:
        out.append(child)
        out.extend(flatten(child))
    return out


def controls(app):
    return [(a.getRoleName(), a.name) for a in flatten(app)
            if a.getRoleName() in ("push button", "radio button")]


app = find_app(sys.argv[1])
window = app[0]
if (window.getRoleName(), window.name) != ("frame", "ソラト"):
    fail("the window reads as %s %r" % (window.getRoleName(), window.name))

# Every button and option, with its role and name, in the window's own order: the top
# row left to right, then the answer buttons below.
expected = [("radio button", "あ"), ("radio button", "漢"), ("push button", "順に出す"),
            ("push button", "全部出す"), ("radio button", "早"), ("radio button", "遅"),
            ("push button", "始"), ("push button", "問"), ("push button", "答"),
            ("push button", "終了"), ("push button", "はい"), ("push button", "いいえ")]
found = controls(app)
if found != expected:
    fail("buttons and options read as %s" % found)
print("ok   every button and option, with its role and name, in reading order")

everything = flatten(app)
names = [a.name for a in everything]
instructions = next((i for i, n in enumerate(names) if n.startswith("年を取ると")), None)
if instructions is None or not names.index("終了") < instructions < names.index("はい"):
    fail("the instructions are not read between the top row and はい: %s" % names)
if not all(a.getState().contains(pyatspi.STATE_SHOWING) for a in everything):
    fail("something not showing is listed")
labels = [a.name for a in everything if a.getRoleName() == "label"]
if any(n.startswith("よろしいですか") or n.startswith("正しく") for n in labels) or len(labels) != 5:
    fail("hidden labels are listed: %s" % labels)
print("ok   the instructions between the top row and はい; hidden controls absent")

by_name = {a.name: a for a in everything}
description = by_name["始"].description
if description != "先に左の『順に‥、全部‥』を選択してください。":
    fail("始 is described as %r" % description)

# The word of the display, announced when it changes: press 順に出す and 始 through
# the accessibility interface and wait for the first word.
heard = []


def on_change(event):
    if event.source.getRoleName() == "label" and event.source.name:
        heard.append(event.source.name)
        if len(heard) >= 1 and event.source.name not in ("0", "1"):
            pyatspi.Registry.stop()


pyatspi.Registry.registerEventListener(
    on_change, "object:property-change:accessible-name", "object:text-changed")
by_name["順に出す"].queryAction().doAction(0)
by_name["始"].queryAction().doAction(0)
GLib.timeout_add(5000, pyatspi.Registry.stop)
pyatspi.Registry.start()
words = [w for w in heard if w not in ("0", "1")]
if not words:
    fail("no label change was announced within 5 s (heard: %s)" % heard)
print("ok   the display's word is announced when it changes: %s" % words[0])
