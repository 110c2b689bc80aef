#!/usr/bin/python3
# Tirelix as a screen reader meets it, over AT-SPI: what only the real bridge shows. The names
# and roles themselves are checked offscreen by tests/windows/accessibility_test; here, that they
# reach a reader: windows and controls named, buttons pressed by their action, a calculation
# typed at the keyboard read back from the display, the controls the program reads out itself,
# the popup menu among the program's windows, and the about box's link.
#
# Arguments: the process id of the running program. Keys are typed with xdotool into the active
# window; the script waits for every change it expects, and fails with what it saw instead.
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

PID = int(sys.argv[1])
# Roles that Qt gives to the inner parts of its widgets (a text box's viewport, its scroll
# bars) and to lines: they carry no name of their own.
UNNAMED_ROLES = {"filler", "scroll bar", "separator"}


def wait_for(what, probe, timeout=20.0):
    # Polls probe() until it gives something true; fails with the last value seen.
    deadline = time.monotonic() + timeout
    while True:
        while GLib.MainContext.default().iteration(False):
            pass
        try:
            last = probe()
            if last:
                return last
        except Exception as error:  # an object that went away between two questions
            last = error
        if time.monotonic() > deadline:
            raise AssertionError(f"{what}: still {last!r} after {timeout:.0f} s")
        time.sleep(0.1)


def has(node, state):
    node.clear_cache()
    return node.getState().contains(state)


def kids(node):
    node.clear_cache()
    return [node.getChildAtIndex(i) for i in range(node.childCount)]


def walk(node):
    yield node
    for child in kids(node):
        yield from walk(child)


def role_of(node):
    # at-spi2-core 2.50 (Debian 13) renamed "push button" to "button"; a bridge that knows the
    # menu button of at-spi2-core 2.46 may call the menu label one.
    role = node.getRoleName()
    return "push button" if role in ("button", "push button menu") else role


def window(name):
    # The showing top-level window of the program with this accessible name.
    return next((w for w in kids(APP) if w.name == name and has(w, pyatspi.STATE_SHOWING)), None)


def wait_window(name, role):
    found = wait_for(f"window {name!r}", lambda: window(name))
    if role_of(found) != role:
        raise AssertionError(f"window {name!r} is a {role_of(found)}, not a {role}")
    # What a reader can reach has a name: controls, pictures, panels.
    nameless = [role_of(n) for n in walk(found) if has(n, pyatspi.STATE_SHOWING) and not n.name
                and role_of(n) not in UNNAMED_ROLES]
    if nameless:
        raise AssertionError(f"{name}: unnamed {', '.join(nameless)}")
    return found


def control(root, role, name):
    return wait_for(f"{role} {name!r}", lambda: next(
        (n for n in walk(root) if role_of(n) == role and n.name == name), None))


def press(root, name):
    action = control(root, "push button", name).queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press") if "Press" in names else 0)
    wait_for(f"window {root.name!r} closed", lambda: window(root.name) is None)


def text_is(node, text):
    def holds():
        node.clear_cache()
        return text in node.queryText().getText(0, -1)
    wait_for(f"{node.name!r} holding {text!r}", holds)


def xdotool(*args):
    return subprocess.run(["xdotool", *args], check=True, capture_output=True, text=True).stdout


APP = wait_for("the program on the accessibility bus", lambda: next(
    (a for a in kids(pyatspi.Registry.getDesktop(0)) if a and a.get_process_id() == PID), None))
# Menu items as the focus reaches them, listened for from the start: the program learns of a
# new listener only a little later.
FOCUSED = []
pyatspi.Registry.registerEventListener(
    lambda e: e.detail1 and role_of(e.source).endswith("menu item") and FOCUSED.append(e.source),
    "object:state-changed:focused")

# ---- First start: the welcome window, its text read; OK starts the tour, Quit ends it.
welcome = wait_window("Démarrage", "frame")
text_is(control(welcome, "text", "Message de bienvenue"), "présentation interactive")
press(welcome, "OK")
wait_window("Assistant", "frame")
press(wait_window("Bulle de l'aide", "frame"), "Quitter")

# ---- The calculator from the keyboard, read back from the display and the Ticket Note.
main = wait_window("Tirelix", "frame")
main_id = xdotool("search", "--onlyvisible", "--name", "^Tirelix$").split()[0]
xdotool("windowactivate", "--sync", main_id)
wait_for("main window active", lambda: has(main, pyatspi.STATE_ACTIVE))
box = control(main, "text", "Saisie au clavier")
box.queryComponent().grabFocus()
wait_for("focus in the keyboard box", lambda: has(box, pyatspi.STATE_FOCUSED))
xdotool("type", "--delay", "50", "12+3")
xdotool("key", "Return")
text_is(control(main, "text", "Affichage"), "15")
text_is(control(main, "text", "Ticket Note"), "12 + 3 =  15")

# ---- What Qt alone would not tell a reader: the menu label and the coin pressed as clicks, the
# button and the trace beyond the client area. Each: role, name, the press's key (None: no press).
for role, name, keys in (("push button", "Menu", "F10"), ("link", "Pièce d'un euro, site web", ""),
                         ("push button", "convertir", ""), ("list", "Trace des transferts", None)):
    node = control(main, role, name)
    action = node.queryAction() if keys is not None else None
    found = action and [(action.getName(i), action.getKeyBinding(i)) for i in range(action.nActions)]
    if not has(node, pyatspi.STATE_SHOWING) or (action and ("Press", keys) not in found):
        raise AssertionError(f"{role} {name!r}: showing {has(node, pyatspi.STATE_SHOWING)}, {found}")

# ---- The popup menu, opened by F10 and by the label's press, among the program's windows while
# open, its items announced by their captions as the arrows move through them (focus events).
MENU = ["Ouvrir un mémo", "Enregistrer le mémo", "Imprimer le mémo", "Pub Online",
        "Aide sur...", "À propos de ...", "Quitter"]
for opener in ("F10", "Press"):
    FOCUSED.clear()
    if opener == "F10":
        xdotool("key", "F10")
    else:
        control(main, "push button", "Menu").queryAction().doAction(0)
    menu = wait_for(f"the menu opened by {opener} among the program's windows", lambda: next(
        (w for w in kids(APP) if role_of(w) == "popup menu" and has(w, pyatspi.STATE_SHOWING)),
        None))
    # The first item is active; Down goes to the second.
    xdotool("key", "Down")
    wait_for(f"focus on {MENU[1]!r}", lambda: any(item.name == MENU[1] for item in FOCUSED))
    items = [c for c in kids(menu) if role_of(c).endswith("menu item")]
    if (menu.name, [i.name for i in items]) != ("Menu", MENU):
        raise AssertionError(f"menu: {menu.name!r} {[i.name for i in items]}")
    if opener == "F10":
        xdotool("key", "Escape")
        wait_for("the menu closed", lambda: not has(menu, pyatspi.STATE_SHOWING))
items[MENU.index("À propos de ...")].queryAction().doAction(0)

# ---- The about box, its link named by what it opens.
about = wait_window("À propos de Tirelix", "dialog")
wait_for("the about box's link", lambda: next((n for n in walk(about) if role_of(n) == "link"
                                               and n.name.startswith("Site web : ")), None))
press(about, "OK")
print("accessibility checked over AT-SPI")
