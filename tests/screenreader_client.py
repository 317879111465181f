#!/usr/bin/python3
"""Talks to the running program over the accessibility bus, as a screen reader would.

While calls are spoken (Sound and Repeat Call on) it keeps asking for names and fails if any
answer takes longer than the limit; then, with Sound off, it checks that every call reaches
it in exactly one notification, carrying the call's text. Then it presses About and New Game
during a call and again while About is open: each press must be answered at once, and About
alone must open. Last, it asks the window manager's way to close the window during a call and
presses About after that: the program must end without opening it.
Usage: screenreader_client.py PROGRAM_PID
"""
import sys
import time

import pyatspi
from gi.repository import GLib
from Xlib import X, display, protocol

ANSWER_LIMIT = 0.200
CALLS = 3
TITLE = "Lottovox"
ABOUT = "About Lottovox"


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def find(root, role, name):
    if root.getRole() == role and root.name.startswith(name):
        return root
    for index in range(root.childCount):
        child = root.getChildAtIndex(index)
        found = child and find(child, role, name)
        if found:
            return found
    return None


def application(name, seconds=20):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        for app in pyatspi.Registry.getDesktop(0):
            if app and app.name == name and app.childCount:
                return app
        time.sleep(0.1)
    fail("the program never appeared on the accessibility bus")


def timed_press(control):
    started = time.monotonic()
    try:
        press(control)
    except GLib.Error as error:
        fail(f"pressing {control.name} was never answered: {error}")
    return time.monotonic() - started


def press(control):
    action = control.queryAction()
    for index in range(action.nActions):
        if action.getName(index) in ("Press", "press", "Toggle", "toggle"):
            action.doAction(index)
            return
    fail("no press action on " + control.name)


class Session:
    def __init__(self, app):
        self.app = app
        frame = app.getChildAtIndex(0)
        self.next_number = find(frame, pyatspi.ROLE_PUSH_BUTTON, "Next Number")
        self.sound = find(frame, pyatspi.ROLE_CHECK_BOX, "Sound")
        self.about = find(frame, pyatspi.ROLE_MENU_ITEM, "About")
        self.new_game = find(frame, pyatspi.ROLE_MENU_ITEM, "New Game")
        if not (self.next_number and self.sound and self.about and self.new_game):
            fail("Next Number, Sound, About or New Game not found")
        self.loop = GLib.MainLoop()
        self.slowest = 0.0
        self.asked = 0
        self.notifications = []
        pyatspi.Registry.registerEventListener(self.on_showing, "object:state-changed:showing")

    def on_showing(self, event):
        source = event.source
        if event.detail1 and source.getRole() == pyatspi.ROLE_NOTIFICATION:
            texts = [source.getChildAtIndex(i).name for i in range(source.childCount)]
            self.notifications.append(" ".join(texts))

    def ask(self):
        started = time.monotonic()
        names = [self.next_number.name, self.sound.name, self.app.getChildAtIndex(0).name]
        self.slowest = max(self.slowest, time.monotonic() - started)
        self.asked += 1
        if "" in names:
            fail("an empty name came back")

    def run_for(self, seconds, asking):
        deadline = time.monotonic() + seconds

        def step():
            if asking:
                self.ask()
            if time.monotonic() >= deadline:
                self.loop.quit()
                return False
            return True

        GLib.timeout_add(20, step)
        self.loop.run()

    def windows(self):
        """The names of the program's windows other than the main one."""
        names = []
        for index in range(self.app.childCount):
            child = self.app.getChildAtIndex(index)
            if child and child.name != TITLE:
                names.append(child.name)
        return names

    def wait_for(self, condition, what, timeout=10):
        deadline = time.monotonic() + timeout
        while not condition():
            if time.monotonic() > deadline:
                fail(what)
            self.run_for(0.1, asking=False)

    def start_call(self):
        """Presses Next Number and returns once the call is shown, as its sound begins."""
        self.wait_for(lambda: self.next_number.getState().contains(pyatspi.STATE_ENABLED),
                      "Next Number never came back")
        self.notifications.clear()
        press(self.next_number)
        self.wait_for(lambda: self.notifications, "the call was never shown")

    def call_when_ready(self, asking, timeout=15):
        deadline = time.monotonic() + timeout
        while not self.next_number.getState().contains(pyatspi.STATE_ENABLED):
            if time.monotonic() > deadline:
                fail("Next Number never came back")
            self.run_for(0.1, asking)
        press(self.next_number)
        # Long enough for the button to go grey, so the next wait sees the call through.
        self.run_for(0.4, asking)


def main():
    session = Session(application("lottovox"))

    for _ in range(CALLS):
        session.call_when_ready(asking=True)
    session.run_for(3.0, asking=True)
    print(f"{session.asked} questions while calls were spoken, slowest answer "
          f"{session.slowest * 1000:.1f} ms")
    if session.slowest > ANSWER_LIMIT:
        fail(f"an answer took {session.slowest * 1000:.0f} ms")

    press(session.sound)
    session.run_for(0.5, asking=False)
    shown = []
    for _ in range(CALLS):
        session.notifications.clear()
        session.call_when_ready(asking=False)
        label = find(session.app.getChildAtIndex(0), pyatspi.ROLE_LABEL, "Current call: ")
        shown.append(label.name.removeprefix("Current call: "))
        print(f"shown {shown[-1]!r}, notified {session.notifications}")
        if session.notifications != shown[-1:]:
            fail("each call must arrive in exactly one notification with its text")

    press(session.sound)
    session.wait_for(lambda: session.sound.getState().contains(pyatspi.STATE_CHECKED), "Sound stayed off")
    modal_window_holds_every_press(session)
    close_ends_the_program(session, int(sys.argv[1]))
    print("PASS")


def modal_window_holds_every_press(session):
    session.start_call()
    slowest = max(timed_press(session.about), timed_press(session.new_game))
    print(f"About and New Game pressed during a call, slowest answer {slowest * 1000:.1f} ms")
    if slowest > 0.5:
        fail("a press was not answered at once")
    session.wait_for(lambda: session.windows(), "About never opened")
    call = find(session.app.getChildAtIndex(0), pyatspi.ROLE_LABEL, "Current call: ").name
    # The pacing timer goes on under About and gives Next Number back.
    session.wait_for(lambda: session.next_number.getState().contains(pyatspi.STATE_ENABLED),
                     "Next Number never came back under About")
    for control in (session.about, session.new_game, session.next_number):
        press(control)
    session.run_for(2.0, asking=False)
    print(f"windows while About is open: {session.windows()}")
    if session.windows() != [ABOUT]:
        fail("About alone must open, and nothing over it")
    if find(session.app.getChildAtIndex(0), pyatspi.ROLE_LABEL, "Current call: ").name != call:
        fail("Next Number made a call under About")
    about = [session.app.getChildAtIndex(i) for i in range(session.app.childCount)
             if session.app.getChildAtIndex(i).name == ABOUT][0]
    press(find(about, pyatspi.ROLE_PUSH_BUTTON, "OK"))
    session.run_for(1.0, asking=False)
    if session.windows():
        fail(f"after OK, still open: {session.windows()}")


def send_close(title):
    screen = display.Display()
    protocols = screen.intern_atom("WM_PROTOCOLS")
    delete = screen.intern_atom("WM_DELETE_WINDOW")
    for window in screen.screen().root.query_tree().children:
        if window.get_wm_name() == title:
            window.send_event(protocol.event.ClientMessage(
                window=window, client_type=protocols, data=(32, [delete, X.CurrentTime, 0, 0, 0])))
    screen.flush()


def ended(pid):
    try:
        with open(f"/proc/{pid}/stat") as stat:
            return stat.read().split(") ")[1].startswith("Z")
    except FileNotFoundError:
        return True


def close_ends_the_program(session, pid):
    session.start_call()
    send_close(TITLE)
    # Long enough for the close to arrive first, and still within the call.
    session.run_for(0.2, asking=False)
    press(session.about)
    deadline = time.monotonic() + 10
    while not ended(pid):
        if time.monotonic() > deadline:
            fail("the program did not end after the close")
        try:
            if ABOUT in session.windows():
                fail("About opened after the close")
        except GLib.Error:
            pass  # the program has just left the bus
        time.sleep(0.05)
    print("the close during a call ended the program")


main()
