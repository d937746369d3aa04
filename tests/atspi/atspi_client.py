"""What an assistive tool meets of the program over AT-SPI: roles, names,
relations and states; writes that a locked box refuses; the events that
carry a lock change and an announcement. Run by atspi_test.sh."""

import os
import subprocess
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi, Gio, GLib  # noqa: E402
import pyatspi  # noqa: E402

CAPTION = "sistema.example.org Математика - линейна система"
failures = []


def check(ok, what):
    print(("ok      " if ok else "FAILED  ") + what, flush=True)
    if not ok:
        failures.append(what)


def enable_accessibility():
    """What a screen reader does as it starts: tells applications that an
    assistive tool listens (Qt reads this when it starts)."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "IsEnabled", GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, 5000, None)


def pump(seconds, until=lambda: False):
    """Runs the event loop for a while, or until `until` holds."""
    context = GLib.MainContext.default()
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline and not until():
        context.iteration(False)
        time.sleep(0.01)
    return until()


def find_application():
    def found():
        desktop = pyatspi.Registry.getDesktop(0)
        return any(app is not None and app.name == "sistema" and app.childCount > 0 for app in desktop)
    pump(15, found)
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "sistema":
            return app
    return None


def descendant(root, role, name=None):
    return pyatspi.findDescendant(root, lambda a: a.getRole() == role and (name is None or a.name == name))


def states(accessible):
    state = accessible.getState()
    return {"editable": state.contains(pyatspi.STATE_EDITABLE),
            "read-only": state.contains(pyatspi.STATE_READ_ONLY)}


def text_of(accessible):
    return accessible.queryText().getText(0, -1)


def refuses_writes(accessible, box):
    before = text_of(accessible)
    try:
        editable = accessible.queryEditableText()
    except NotImplementedError:
        editable = None
    check(editable is None, f"{box}: offers no EditableText to write with")
    if editable is not None:
        editable.setTextContents("1e9")
        editable.insertText(0, "7", 1)
    check(text_of(accessible) == before, f"{box}: text unchanged ({before!r})")


events = []


def heard(event):
    try:
        events.append((event.type, event.detail1, event.source.getRole(), event.source.name))
    except Exception:  # a source gone meanwhile
        pass


def announced(part):
    return any(kind == "object:state-changed:showing" and detail == 1 and role == pyatspi.ROLE_NOTIFICATION
               and part in name for kind, detail, role, name in events)


def state_event(kind, box_name, value):
    return any(k == kind and d == value and n == box_name for k, d, _, n in events)


def press(button):
    action = button.queryAction()
    names = [action.getName(i) for i in range(action.nActions)]
    action.doAction(names.index("Press"))


def main(program):
    enable_accessibility()
    environment = dict(os.environ, QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], env=environment)
    try:
        run_checks()
    finally:
        process.terminate()
        process.wait(10)
    print(f"{len(failures)} failed" if failures else "all passed")
    return 1 if failures else 0


def run_checks():
    app = find_application()
    check(app is not None, "the application is on the accessibility bus")
    if app is None:
        return
    frame = app[0]
    check(frame.getRole() == pyatspi.ROLE_FRAME, f"the window is a frame (is {frame.getRoleName()})")
    check(frame.name == CAPTION, "the frame is named by the caption")

    box_a = descendant(frame, pyatspi.ROLE_TEXT, "коефициент a, разликата X минус Y")
    box_b = descendant(frame, pyatspi.ROLE_TEXT, "коефициент b, произведението X по Y")
    output = descendant(frame, pyatspi.ROLE_TEXT, "Резултат")
    solve = descendant(frame, pyatspi.ROLE_PUSH_BUTTON, "Въведи")
    clear = descendant(frame, pyatspi.ROLE_PUSH_BUTTON, "Чисти")
    for name, accessible in (("box a", box_a), ("box b", box_b), ("output box", output),
                             ("Въведи", solve), ("Чисти", clear)):
        check(accessible is not None, f"{name} found by role and name")
    if None in (box_a, box_b, output, solve, clear):
        return

    check(box_a.description.startswith("Въведете числото a"), "box a says what to type")
    check(solve.description == "Решава системата и заключва полетата за a и b", "Въведи says what it does")
    check(clear.description.startswith("Изчиства"), "Чисти says what it does")
    # A screen reader names a box by its label: the caption, in words.
    for box in (box_a, box_b):
        labels = [relation.getTarget(i) for relation in box.getRelationSet()
                  if relation.getRelationType() == pyatspi.RELATION_LABELLED_BY
                  for i in range(relation.getNTargets())]
        check(len(labels) == 1 and labels[0].getRole() == pyatspi.ROLE_LABEL and labels[0].name == box.name,
              f"{box.name}: labelled by its caption")

    check(states(box_a) == {"editable": True, "read-only": False}, "box a at start: editable")
    check(states(output) == {"editable": False, "read-only": True}, "output box: read-only, not editable")
    refuses_writes(output, "output box")

    pyatspi.Registry.registerEventListener(heard, "object:state-changed")
    pump(0.5)
    press(solve)
    check(pump(5, lambda: announced("Дискриминанта: 100") and state_event("object:state-changed:read-only", box_b.name, 1)),
          "after Въведи: an announcement and the lock's events")
    check(announced("Дискриминанта: 100. Корените на системата са: X = 8. Y = 2."), "the announcement holds D and the roots")
    for box in (box_a, box_b):
        check(state_event("object:state-changed:read-only", box.name, 1)
              and state_event("object:state-changed:editable", box.name, 0), f"{box.name}: lock events")
        check(states(box) == {"editable": False, "read-only": True}, f"{box.name} locked: read-only, not editable")
    check(text_of(output).startswith("Дискриминанта: 100\nКорените на системата са:\nX = 8\nY = 2"),
          "the output box reads the result")
    for box in (box_a, box_b):
        box.clearCache()
        refuses_writes(box, box.name)

    events.clear()
    press(clear)
    check(pump(5, lambda: announced("Полетата са празни") and state_event("object:state-changed:read-only", box_b.name, 0)),
          "after Чисти: an announcement and the unlock's events")
    check(states(box_a) == {"editable": True, "read-only": False}, "box a unlocked: editable again")
    box_a.clearCache()
    try:
        box_a.queryEditableText().setTextContents("1")
        pump(0.3)
        check(text_of(box_a) == "1", "an unlocked box takes a tool's write")
    except NotImplementedError:
        check(False, "an unlocked box offers EditableText")

    events.clear()
    box_b.clearCache()
    box_b.queryEditableText().setTextContents("-1")
    press(solve)
    check(pump(5, lambda: announced("Дискриминанта: -3. Корените на системата са комплексни!")),
          "with 1 and -1: the complex-roots message is announced")


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
