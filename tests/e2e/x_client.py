#!/usr/bin/python3
# The foreign X clients of the single-instance tests, through Xlib.
#
#   x_client.py window TITLE mapped|unmapped FRAMES wm-state|- FRAME_TITLE|- DECORATION|-
# A window titled TITLE, kept until killed; prints "ready 0xID" once the server holds it. It sits
# in FRAMES nested untitled windows, reparented into them as a window manager does; FRAME_TITLE
# titles the outermost of them, DECORATION adds a window so titled in it beside the rest; wm-state
# marks the window as a window manager marks its clients.
#
#   x_client.py watch
# Prints "map 0xID" for every window mapped on the root window, after "ready". When its standard
# input closes, it prints every map the server carried out until then, then "done".
import ctypes
import select
import signal
import sys

X = ctypes.CDLL("libX11.so.6")
# Window ids and atoms fit a C int, ctypes' default; the display is a pointer.
X.XOpenDisplay.restype = ctypes.c_void_p
D = ctypes.c_void_p(X.XOpenDisplay(None) or sys.exit(2))
ROOT = X.XDefaultRootWindow(D)


def make(parent, title="-"):
    window = X.XCreateSimpleWindow(D, parent, 0, 0, 200, 100, 0, 0, 0xFFFFFF)
    if title != "-":
        X.XStoreName(D, window, title.encode())
    return window


def window(title, mapped, frames, wm_state, frame_title, decoration):
    client = make(ROOT, title)  # made top-level first, as a client is before its manager frames it
    if wm_state == "wm-state":
        atom = X.XInternAtom(D, b"WM_STATE", 0)
        X.XChangeProperty(D, client, atom, atom, 32, 0, (ctypes.c_long * 2)(1, 0), 2)
    chain = []  # outermost first
    for _ in range(int(frames)):
        chain.append(make(chain[-1] if chain else ROOT))
    if chain:
        X.XReparentWindow(D, client, chain[-1], 0, 0)
        if frame_title != "-":
            X.XStoreName(D, chain[0], frame_title.encode())
        if decoration != "-":
            chain.append(make(chain[0], decoration))
    for w in [client] + chain if mapped == "mapped" else []:
        X.XMapWindow(D, w)
    X.XSync(D, 0)
    print(f"ready {client:#x}", flush=True)
    signal.pause()


def watch():
    X.XSelectInput(D, ROOT, 1 << 19)  # SubstructureNotify
    X.XSync(D, 0)
    print("ready", flush=True)
    # The server reports in the order it works: once it tells of a window made after the input
    # closed, every map before has been told. The type is the event's first int, the window the
    # sixth long of a MapNotify or CreateNotify.
    event, sentinel = (ctypes.c_uint * 48)(), None
    while True:
        while X.XPending(D):
            X.XNextEvent(D, event)
            if event[0] == 16 and event[10] == sentinel:
                print("done")
                return
            if event[0] == 19:
                print(f"map {event[10]:#x}", flush=True)
        inputs = [X.XConnectionNumber(D)] + ([] if sentinel else [sys.stdin])
        if sys.stdin in select.select(inputs, [], [])[0] and not sys.stdin.buffer.read1(64):
            sentinel = make(ROOT)


if sys.argv[1:2] == ["window"] and len(sys.argv) == 8:
    window(*sys.argv[2:])
elif sys.argv[1:] == ["watch"]:
    watch()
else:
    sys.exit("usage: x_client.py window TITLE MAP FRAMES WM_STATE FRAME_TITLE DECORATION | watch")
