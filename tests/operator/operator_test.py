#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""The operator test: drives the running scope only through the accessibility bus (AT-SPI), as a
screen reader or a test robot would. Controls are found by their accessible description,
"panel P, control N"; every wait is on state the bus shows, with a generous time-out."""
import faulthandler
import sys
import time
import warnings

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, GLib  # noqa: E402

# libatspi renames calls between versions; the names used here exist in every version in use.
warnings.simplefilter("ignore", DeprecationWarning)

TIMEOUT = 60.0  # seconds; the machine may be loaded

# Control ids of the panel file (main panel 1, pop-up 2).
COMPORT, RBT_EEPROM, RBT_RAM, RUN, STOP, SEND = 2, 13, 20, 21, 22, 10
MVALUE, UMVALUE, LEDGE, REDGE, STATUS, POPUP_TOGGLE = 33, 32, 37, 38, 48, 54
DESCRIPTION = 2
# The gauge study (main panel 110, window 3) and the distribution (111, window 4).
GAUGE_STUDY, DISTRIBUTION = 110, 111
G_READINGS, G_START, G_CG, G_VERDICT, G_STATE, G_RULE, D_COUNT = 4, 5, 10, 12, 13, 21, 3

announced = []  # (description, event type) of every text or value change on the bus


def pump():
    # Bounded: while the scope measures, change notices never stop coming.
    context = GLib.MainContext.default()
    for _ in range(200):
        if not context.pending():
            break
        context.iteration(False)


def wait_for(what, condition):
    end = time.monotonic() + TIMEOUT
    while True:
        pump()
        try:
            result = condition()
        except GLib.Error:
            result = None
        if result:
            return result
        if time.monotonic() > end:
            sys.exit("operator test: gave up waiting for %s (changes seen: %s)"
                     % (what, sorted(set(announced))[:20]))
        time.sleep(0.02)


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.get_child_count()):
        yield from walk(node.get_child_at_index(i), depth + 1)


def scope_application():
    desktop = Atspi.get_desktop(0)
    for i in range(desktop.get_child_count()):
        app = desktop.get_child_at_index(i)
        if app is not None and app.get_name() == "K-VOR-PX Scope":
            return app
    return None


def control(app, panel, ident):
    wanted = "panel %d, control %d" % (panel, ident)
    for node in walk(app):
        if node.get_description() == wanted:
            return node
    return None


def text_of(node):
    return Atspi.Text.get_text(node, 0, Atspi.Text.get_character_count(node))


def has_state(node, state):
    return node.get_state_set().contains(state)


def act(node, action_name):
    names = [Atspi.Action.get_action_name(node, i) for i in range(Atspi.Action.get_n_actions(node))]
    if action_name not in names:
        sys.exit("operator test: %s offers %s, not %s" % (node.get_description(), names, action_name))
    Atspi.Action.do_action(node, names.index(action_name))


def on_change(event):
    try:
        announced.append((event.source.get_description(), event.type))
    except GLib.Error:
        pass


def close_main_window(node):
    while node.get_role() != Atspi.Role.FRAME and node.get_parent() is not None:
        node = node.get_parent()
    act(node, "Close")


def german(app):
    """The German start: the main panel's names and its status line as a screen reader reads
    them, then the window closed."""
    status = wait_for("the status line", lambda: control(app, 1, STATUS))
    wait_for("the simulated sensor identified, said in German",
             lambda: text_of(status).startswith("Simulierter Sensor: K-VOR-PX"))
    names = {ident: control(app, 1, ident).get_name()
             for ident in (STATUS, COMPORT, RUN, STOP, SEND, MVALUE, RBT_EEPROM)}
    wanted = {STATUS: "Statuszeile", COMPORT: "COM1 – Simulierter Sensor", RUN: "Start",
              STOP: "Stopp", SEND: "Senden", MVALUE: "Messwert", RBT_EEPROM: "EEPROM"}
    if names != wanted:
        sys.exit("operator test: the German names read %r" % names)
    close_main_window(status)
    print("operator test: the German start read through AT-SPI")


def main():
    # Should a call on the bus itself hang, say where, and end before the driver's time-out.
    faulthandler.dump_traceback_later(200, exit=True)
    listener = Atspi.EventListener.new(on_change)
    events = ("object:text-changed", "object:property-change:accessible-value")
    for e in events:
        listener.register(e)

    app = wait_for("the scope on the accessibility bus", scope_application)
    if sys.argv[1:] == ["--lang", "de"]:
        return german(app)
    status = wait_for("the status line", lambda: control(app, 1, STATUS))
    if status.get_name() != "Status line":
        sys.exit("operator test: the status line is named %r" % status.get_name())

    # Start-up against the simulated sensor: identified, and said to be simulated.
    wait_for("the simulated sensor identified",
             lambda: text_of(status).startswith("Simulated sensor: K-VOR-PX"))
    # The scope answers on the bus now, so its bridge follows the registry's notices: register
    # again, so that it learns of this listener even if the first notice came before it listened.
    for e in events:
        listener.deregister(e)
        listener.register(e)
    selector = control(app, 1, COMPORT)
    print("status line:", text_of(status))
    print("port selector:", selector.get_name())

    # Run: the displays show the measurement and announce it.
    run, stop = control(app, 1, RUN), control(app, 1, STOP)
    displays = {i: control(app, 1, i) for i in (MVALUE, UMVALUE, LEDGE, REDGE)}
    del announced[:]
    act(run, "Press")
    wait_for("Run dimmed while measuring", lambda: not has_state(run, Atspi.StateType.SENSITIVE))
    wait_for("a measuring value", lambda: text_of(displays[MVALUE]) not in ("", "0"))
    shown = ["panel 1, control %d" % i for i in displays]
    wait_for("the measurement announced on the bus",
             lambda: any(d in shown for d, _ in announced))
    # The displays change with every answer: text and value count as agreeing when one reading
    # of the text lies between two readings of the value that agree with each other.
    def agree(node):
        for _ in range(50):
            before = Atspi.Value.get_current_value(node)
            text = text_of(node)
            after = Atspi.Value.get_current_value(node)
            if before == after:
                return text, before, float(text) == before
        return text, after, False

    for ident, node in displays.items():
        text, value, same = agree(node)
        print("display %d (%s): %s = %s" % (ident, node.get_name(), text, value))
        if not same:
            sys.exit("operator test: display %d says %s but its value is %s"
                     % (ident, text, value))

    # Stop: the loop ends, Run is operable again.
    act(stop, "Press")
    wait_for("Run undimmed after Stop", lambda: has_state(run, Atspi.StateType.SENSITIVE))

    # EEPROM by the bus's Toggle: the program keeps the radio buttons exclusive.
    eeprom, ram = control(app, 1, RBT_EEPROM), control(app, 1, RBT_RAM)
    act(eeprom, "Toggle")
    wait_for("EEPROM checked and RAM not",
             lambda: has_state(eeprom, Atspi.StateType.CHECKED)
             and not has_state(ram, Atspi.StateType.CHECKED))

    # Send goes to the EEPROM: the status line reports the frame sent.
    del announced[:]
    act(control(app, 1, SEND), "Press")
    wait_for("Send reported", lambda: text_of(status) == "Line Ok!")
    wait_for("the status change announced",
             lambda: any(d == "panel 1, control %d" % STATUS for d, _ in announced))

    # The pop-up by its toggle: its description says the sensor is simulated.
    act(control(app, 1, POPUP_TOGGLE), "Toggle")
    description = wait_for("the pop-up's description", lambda: control(app, 2, DESCRIPTION))
    wait_for("the description showing",
             lambda: has_state(description, Atspi.StateType.SHOWING)
             and "SIMULATED" in text_of(description))
    print("pop-up description:", text_of(description).replace("\n", " | "))

    # A gauge study by the bus: ten readings set through the value interface, Start pressed; the
    # study runs the measurement itself and ends with its figures and verdict readable.
    act(control(app, 1, GAUGE_STUDY), "Press")
    readings = wait_for("the gauge study window", lambda: control(app, 3, G_READINGS))
    Atspi.Value.set_current_value(readings, 10)
    act(control(app, 3, G_START), "Press")
    state = control(app, 3, G_STATE)
    wait_for("the study done", lambda: text_of(state) == "Done: 10 readings")
    # The verdict and a figure, read afresh: a display's object may be replaced as it changes.
    verdict = wait_for("the verdict", lambda: text_of(control(app, 3, G_VERDICT)))
    if verdict not in ("capable", "not capable", "–"):
        sys.exit("operator test: the gauge study's verdict reads %r" % verdict)
    print("gauge study: Cg", wait_for("Cg", lambda: text_of(control(app, 3, G_CG))), "->", verdict)
    # A text the panel file gives and nothing changes reads too.
    rule = wait_for("the verdict's rule", lambda: text_of(control(app, 3, G_RULE)))
    if rule != "Capable: Cg and Cgk ≥ 1.33":
        sys.exit("operator test: the verdict's rule reads %r" % rule)
    # The distribution over the answers so far, the study's among them.
    act(control(app, 1, DISTRIBUTION), "Press")
    wait_for("the distribution window", lambda: control(app, 4, D_COUNT))
    wait_for("the answers counted", lambda: float(text_of(control(app, 4, D_COUNT))) >= 10)
    print("distribution: n =", text_of(control(app, 4, D_COUNT)))

    # Close the main window: the scope ends (the driver checks its exit status).
    close_main_window(status)
    print("operator test: driven through AT-SPI to the end")


if __name__ == "__main__":
    main()
