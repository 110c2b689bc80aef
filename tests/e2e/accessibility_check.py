#!/usr/bin/python3
"""Tirelix as a screen reader meets it, over AT-SPI: every window and control named, the
welcome window, the tour's bubble and arrow, the popup menu and the about box; then a
calculation and a conversion typed at the keyboard and read back from the display, the result
boxes and the Ticket Note. The names themselves are checked by tests/windows/accessibility_test;
here, that they reach a reader through the bridge.

Arguments: the process id of the running program. Keys are typed with xdotool into the active
window; the script waits for every change it expects, and fails with what it saw instead.
"""
import itertools
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PID = int(sys.argv[1])
# Roles that Qt gives to the inner parts of its widgets (a text box's viewport, its scroll
# bars) and to lines: they carry no name of their own.
UNNAMED_ROLES = {"filler", "scroll bar", "separator"}


class Failure(Exception):
    pass


def wait_for(what, probe, good=bool, timeout=20.0):
    """Polls probe() until good(its value); fails with the last value seen."""
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            last = probe()
            if good(last):
                return last
        except Exception as error:  # an object that went away between two questions
            last = error
        if time.monotonic() > deadline:
            raise Failure(f"{what}: still {last!r} after {timeout:.0f} s")
        time.sleep(0.1)


def fresh(node):
    node.clear_cache()
    return node


def has(node, state):
    return fresh(node).getState().contains(state)


def kids(node):
    return [node.getChildAtIndex(i) for i in range(fresh(node).childCount)]


def walk(node):
    yield node
    for child in kids(node):
        yield from walk(child)


def text_of(node):
    return fresh(node).queryText().getText(0, -1)


def role_of(node):
    # at-spi2-core 2.50 (Debian 13) renamed "push button" to "button".
    role = node.getRoleName()
    return "push button" if role == "button" else role


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    return next((a for a in kids(desktop) if a is not None and a.get_process_id() == PID), None)


APP = wait_for("the program on the accessibility bus", application)


def window(name):
    """The showing top-level window of the program with this accessible name."""
    return next((w for w in kids(APP) if w.name == name and has(w, pyatspi.STATE_SHOWING)), None)


def wait_window(name, role=None):
    found = wait_for(f"window {name!r}", lambda: window(name))
    if role and role_of(found) != role:
        raise Failure(f"window {name!r} is a {role_of(found)}, not a {role}")
    # What a reader can reach has a name: controls, pictures, panels.
    nameless = [role_of(n) for n in walk(found) if has(n, pyatspi.STATE_SHOWING) and not n.name
                and role_of(n) not in UNNAMED_ROLES]
    if nameless:
        raise Failure(f"{name}: unnamed {', '.join(nameless)}")
    return found


def wait_gone(name):
    wait_for(f"window {name!r} closed", lambda: window(name) is None)


def find(root, role, name):
    return next((n for n in walk(root) if role_of(n) == role and n.name == name), None)


def control(root, role, name):
    return wait_for(f"{role} {name!r}", lambda: find(root, role, name))


def press(root, name):
    action = control(root, "push button", name).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)


def focus(root, role, name):
    box = control(root, role, name)
    box.queryComponent().grabFocus()
    wait_for(f"focus in {name!r}", lambda: has(box, pyatspi.STATE_FOCUSED))
    return box


def xdotool(*args):
    subprocess.run(["xdotool", *args], check=True)


def wait_text(what, node, good):
    wait_for(what, lambda: text_of(node), good if callable(good) else lambda t: t == good)


# ---- First start: the welcome window; OK starts the tour, the paperclip opens the bubble.
welcome = wait_window("Démarrage", "frame")
control(welcome, "push button", "OK")
wait_text("welcome text", control(welcome, "text", "Message de bienvenue"),
          lambda t: "présentation interactive" in t)
press(welcome, "OK")
wait_gone("Démarrage")
wait_window("Assistant")
bubble = wait_window("Bulle de l'aide")
control(bubble, "label", "Bonjour, pour commencer l'Aide, cliquez sur le bouton (Suite).")
# Next: step 1's text, and the arrow beside the entry box; Quit closes all three windows.
press(bubble, "Suite")
control(bubble, "label", "Cette zone permet de saisir un montant en Euros ou en Francs.")
control(wait_window("Flèche de l'aide"), "image", "Flèche vers la zone expliquée")
press(bubble, "Quitter")
for name in ("Bulle de l'aide", "Flèche de l'aide", "Assistant"):
    wait_gone(name)

# ---- The main window; its hidden button is hidden from readers too.
main = wait_window("Tirelix", "frame")
hidden = find(main, "push button", "convertir")
if hidden is not None and has(hidden, pyatspi.STATE_SHOWING):
    raise Failure("the hidden button 'convertir' is shown to readers")

# ---- The calculator from the keyboard: typed keys, then the numeric keypad.
ids = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "^Tirelix$"],
                     capture_output=True, text=True).stdout.split()
xdotool("windowactivate", "--sync", ids[0])
wait_for("main window active", lambda: has(main, pyatspi.STATE_ACTIVE))
display = control(main, "text", "Affichage")
tape = control(main, "text", "Ticket Note")
keyboard_box = focus(main, "text", "Saisie au clavier")
xdotool("type", "--delay", "50", "12+3")
wait_text("keyboard box echo", keyboard_box, "12+3")
xdotool("key", "Return")
wait_text("display after 12+3 Enter", display, "15")
wait_text("Ticket Note", tape, lambda t: "12 + 3 =  15" in t)
xdotool("key", "--delay", "50", "KP_4", "KP_Multiply", "KP_2", "KP_Enter")
wait_text("display after the keypad", display, "8")
wait_text("Ticket Note after the keypad", tape, lambda t: "4 x 2 =  8" in t)

# ---- The converter: 100 typed in the entry box.
focus(main, "text", "Montant à convertir")
xdotool("type", "--delay", "50", "100")
wait_text("francs of 100", control(main, "text", "Francs"), "655,96")
wait_text("euros of 100", control(main, "text", "Euros"), "15,24")

# ---- The popup menu from the keyboard, its items announced by their captions as the arrows
# move through them. Popup menus are not children of the application: readers meet them
# through focus events.
MENU = ["Ouvrir un mémo", "Enregistrer le mémo", "Imprimer le mémo", "Pub Online",
        "Aide sur...", "À propos de ...", "Quitter"]
focused = []
pyatspi.Registry.registerEventListener(
    lambda event: event.detail1 and focused.append(event.source), "object:state-changed:focused")


def focused_control(role, name):
    for source in focused:
        try:
            if role_of(source) == role and source.name == name:
                return source
        except Exception:  # a control of a window closed since
            pass
    return None


# The program learns of a new listener a little later: focus moves between the two result
# boxes until it tells of it.
result_boxes = itertools.cycle(["Francs", "Euros"])


def focus_told():
    box = next(result_boxes)
    control(main, "text", box).queryComponent().grabFocus()
    time.sleep(0.2)
    return focused_control("text", box)


wait_for("focus events", focus_told)
# F10 leaves the first item active; Down goes to the second.
xdotool("key", "F10")
xdotool("key", "Down")
menu = wait_for(f"focus on {MENU[1]!r}", lambda: focused_control("menu item", MENU[1])).parent
if (role_of(menu), menu.name) != ("popup menu", "Menu"):
    raise Failure(f"menu: {role_of(menu)} {menu.name!r}")
items = [c for c in kids(menu) if role_of(c).endswith("menu item")]
if [i.name for i in items] != MENU:
    raise Failure(f"menu items: {[i.name for i in items]}")
# Qt 6.4 says nothing of the item being checkable; with the banner off it is not checked.
if has(items[MENU.index("Pub Online")], pyatspi.STATE_CHECKED):
    raise Failure("Pub Online announced as checked with the banner off")
items[MENU.index("À propos de ...")].queryAction().doAction(0)

# ---- The about box, its link named by what it opens.
about = wait_window("À propos de Tirelix", "dialog")
link = next((n for n in walk(about) if role_of(n) == "link"), None)
if link is None or not link.name.startswith("Site web : "):
    raise Failure(f"about box link: {link and link.name!r}")
press(about, "OK")
wait_gone("À propos de Tirelix")
print("accessibility checked over AT-SPI")
