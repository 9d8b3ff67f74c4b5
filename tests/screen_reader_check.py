#!/usr/bin/python3
"""The main window as a screen reader sees it, through AT-SPI.

    tests/screen_reader_check.py PATH/TO/tavrel-timer

Runs the real application on a virtual X display with a private D-Bus session and its own
accessibility bus, opens a small timer file with one line it cannot read and checks:
  - the report of the skipped line is heard: every label showing in it exposes its text (read
    through the text interface) as its name or its description;
  - every push button, check box, text field, progress bar, combo box and menu item of the main
    window has a name, and every label showing in it exposes its text the same way;
  - the list's cells are named with their value ("Timer 3, interval 1, ON, 00:00:05, starts
    a block"), its caption "Timer 3";
  - Down and Space on the list select the first interval and switch it, and its cell is then
    heard with the new value;
  - Program opens the programming dialog, whose labels expose their text, and whose buttons are
    named by what they read ("Start…", "Done"), so a voice command of the text reaches them.
Exit 0 when all holds, 1 with the offenders listed, 2 when the check could not run. It never
runs longer than its time limit and stops every process it started.
"""

import os
import signal
import subprocess
import sys
import tempfile
import time

TIME_LIMIT = 120  # seconds for the whole check, virtual display and buses included
APP_WAIT = 40  # seconds for the application to show on the accessibility bus
INSIDE = "TIMER_SCREEN_READER_INSIDE"

TIMER_FILE = "TVRX\r\n1000\r\nTimer 3\r\nON - 00:00:05\r\nOFF - 00:00:10\r\nON 00:00:07\r\n"
SKIPPED_REPORT = "three.tvr was opened, but not every line of it could be read."


def outside(app):
    """Starts this script again inside xvfb-run and dbus-run-session, within the time limit."""
    for tool in ("xvfb-run", "dbus-run-session", "xdotool"):
        if subprocess.run(["sh", "-c", "command -v " + tool], stdout=subprocess.DEVNULL).returncode:
            print(f"the screen-reader check needs {tool} (tools/deps.sh installs it)")
            return 2
    # Without -noreset the server resets when its last client leaves, as the accessibility bus
    # launcher does after its start, and a client connecting just then is turned away.
    command = ["xvfb-run", "-a", "-s", "-screen 0 1024x768x24 -noreset",
               "dbus-run-session", "--", "/usr/bin/python3", os.path.abspath(__file__), app]
    env = dict(os.environ, **{INSIDE: "1"})
    env.pop("QT_QPA_PLATFORM", None)
    # A session of its own, so a hung run is stopped with everything it started.
    child = subprocess.Popen(command, env=env, start_new_session=True)
    try:
        return child.wait(timeout=TIME_LIMIT)
    except subprocess.TimeoutExpired:
        print(f"the screen-reader check did not finish within {TIME_LIMIT} s")
        return 1
    finally:
        stop_group(child)


def stop_group(process):
    try:
        os.killpg(process.pid, signal.SIGTERM)
    except ProcessLookupError:
        return
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        process.wait()


def stop(process):
    if process is None or process.poll() is not None:
        return
    process.terminate()
    try:
        process.wait(timeout=5)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def fresh(node):
    """Reads the node anew, not from the client's cache, which events update only later."""
    clear = getattr(node, "clear_cache", None)
    if clear is not None:
        clear()
    return node


def walk(node, depth=0, seen=None):
    """Every accessible under node, with a bound on depth and count against a cycle."""
    seen = set() if seen is None else seen
    if node is None or depth > 40 or len(seen) > 5000:
        return
    key = (node.path if hasattr(node, "path") else id(node))
    if key in seen:
        return
    seen.add(key)
    yield node
    for i in range(node.childCount):
        try:
            child = node.getChildAtIndex(i)
        except Exception:  # a child that went away while walking
            continue
        yield from walk(child, depth + 1, seen)


def find_application(pyatspi, process):
    """The application's accessible, or None when it did not show in time or exited."""
    pid = process.pid
    deadline = time.monotonic() + APP_WAIT
    while time.monotonic() < deadline and process.poll() is None:
        desktop = fresh(pyatspi.Registry.getDesktop(0))
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is None:
                continue
            try:
                if app.get_process_id() == pid and app.childCount > 0:
                    return app
            except Exception:
                continue
        time.sleep(0.5)
    return None


def find_named(nodes, role, name):
    for node in nodes:
        if node.getRole() == role and node.name == name:
            return node
    return None


def showing(pyatspi, node):
    try:
        return node.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def words(text):
    """The text with every run of white space (no-break spaces and line breaks too) as one space."""
    return " ".join(text.split())


def compare_labels(pyatspi, nodes, where):
    """Every label showing exposes what it shows, as its name or its description. What it shows
    is read through the text interface, which a reader's review commands use too."""
    failures = []
    compared = 0
    for node in nodes:
        if node.getRole() not in (pyatspi.ROLE_LABEL, pyatspi.ROLE_STATIC) or not showing(
                pyatspi, node):
            continue
        try:
            text = node.queryText()
            shown = words(text.getText(0, text.characterCount))
        except NotImplementedError:
            failures.append(f'{where}: the label "{node.name}" has no text to read')
            continue
        if not shown:
            continue
        compared += 1
        name, description = words(node.name), words(node.description)
        if shown not in name and shown not in description:
            failures.append(f'{where}: a label shows "{shown}" but is heard as "{name}"'
                            + (f' ("{description}")' if description else ""))
    return compared, failures


def wait_for_window(application, role, deadline_s=15):
    """A window of the application with the role, once it shows."""
    deadline = time.monotonic() + deadline_s
    while time.monotonic() < deadline:
        fresh(application)
        for i in range(application.childCount):
            window = application.getChildAtIndex(i)
            if window is not None and window.getRole() == role:
                return window
        time.sleep(0.3)
    return None


def act(node, name):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return False
    for i in range(action.nActions):
        if action.getName(i).lower() == name:
            return action.doAction(i)
    return False


def press(node):
    return act(node, "press")


def selected(pyatspi, node):
    try:
        return fresh(node).getState().contains(pyatspi.STATE_SELECTED)
    except Exception:
        return False


def inside(app_path):
    import pyatspi  # only inside the session: the import talks to the accessibility bus

    checked_roles = {
        pyatspi.ROLE_PUSH_BUTTON: "push button",
        pyatspi.ROLE_CHECK_BOX: "check box",
        pyatspi.ROLE_TEXT: "text",
        pyatspi.ROLE_ENTRY: "text",
        pyatspi.ROLE_PROGRESS_BAR: "progress bar",
        pyatspi.ROLE_COMBO_BOX: "combo box",
        pyatspi.ROLE_MENU_ITEM: "menu item",
        pyatspi.ROLE_CHECK_MENU_ITEM: "menu item",
        pyatspi.ROLE_RADIO_MENU_ITEM: "menu item",
        pyatspi.ROLE_MENU: "menu",
    }
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_ACCESSIBILITY="1")
    env.pop("QT_QPA_PLATFORM", None)
    launcher = None
    app = None
    with tempfile.TemporaryDirectory() as folder:
        path = os.path.join(folder, "three.tvr")
        with open(path, "w", newline="") as out:
            out.write(TIMER_FILE)
        try:
            # The accessibility bus; the session bus would start it on first use, but a
            # missing service file must not leave the check waiting.
            bus = "/usr/libexec/at-spi-bus-launcher"
            if os.path.exists(bus):
                launcher = subprocess.Popen([bus, "--launch-immediately"], env=env)
                time.sleep(1)
            app = subprocess.Popen([app_path, path], env=env)
            node = find_application(pyatspi, app)
            if node is None and app.poll() is not None:
                print(f"the application exited with {app.returncode} before it showed")
                return 1
            if node is None:
                print(f"the application did not show on the accessibility bus in {APP_WAIT} s")
                return 1
            return check(pyatspi, node, checked_roles)
        finally:
            stop(app)
            stop(launcher)


def check_report(pyatspi, application):
    """The skipped-line report that Open shows: its labels are heard; OK closes it."""
    box = None
    deadline = time.monotonic() + 15
    while box is None and time.monotonic() < deadline:
        for window in [fresh(application).getChildAtIndex(i) for i in range(application.childCount)]:
            if window is not None and any(words(n.name) == SKIPPED_REPORT or
                                          words(n.description) == SKIPPED_REPORT
                                          for n in walk(window)):
                box = window
        if box is None:
            time.sleep(0.3)
    if box is None:
        return ["no report of the skipped line showed"]
    nodes = list(walk(box))
    compared, failures = compare_labels(pyatspi, nodes, "skipped-line report")
    print(f"skipped-line report: {compared} label(s) compared")
    if compared < 2:
        failures.append(f"skipped-line report: {compared} label(s) with text, not its text and detail")
    ok = find_named(nodes, pyatspi.ROLE_PUSH_BUTTON, "OK")
    if ok is None or not press(ok):
        failures.append("skipped-line report: no OK button to press")
    return failures


def check_program_dialog(pyatspi, application, nodes):
    """Program opens the programming dialog: its labels are heard and its buttons are named by
    what they read. Done closes it again."""
    program = find_named(nodes, pyatspi.ROLE_PUSH_BUTTON, "Program")
    if program is None or not press(program):
        return ['no push button "Program" that can be pressed']
    dialog = wait_for_window(application, pyatspi.ROLE_DIALOG)
    if dialog is None:
        return ["Program opened no dialog"]
    nodes = list(walk(dialog))
    compared, failures = compare_labels(pyatspi, nodes, "programming dialog")
    print(f"programming dialog: {compared} label(s) compared")
    if compared < 1:
        failures.append("programming dialog: its advice is not heard")
    buttons = [words(n.name) for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    print("programming dialog buttons: " + ", ".join(f'"{b}"' for b in buttons))
    if not any(b.startswith("Start") for b in buttons):
        failures.append(f'programming dialog: no button heard as "Start…" among {buttons}')
    done = find_named(nodes, pyatspi.ROLE_PUSH_BUTTON, "Done")
    if done is None:
        failures.append(f'programming dialog: no button heard as "Done" among {buttons}')
    elif not press(done):
        failures.append('programming dialog: "Done" cannot be pressed')
    return failures


def check(pyatspi, application, checked_roles):
    failures = check_report(pyatspi, application)
    main_window = wait_for_window(application, pyatspi.ROLE_FRAME)
    if main_window is None:
        failures.append("no main window")
        for failure in failures:
            print(failure)
        return 1
    # The report's window may take a moment to leave the tree.
    deadline = time.monotonic() + 10
    while fresh(application).childCount > 1 and time.monotonic() < deadline:
        time.sleep(0.2)
    windows = [application.getChildAtIndex(i) for i in range(application.childCount)]
    windows = [w for w in windows if w is not None]
    nodes = [n for w in windows for n in walk(w)]
    print(f"{len(windows)} window(s), {len(nodes)} accessible objects")

    counts = {}
    for node in nodes:
        role = node.getRole()
        if role not in checked_roles:
            continue
        counts[checked_roles[role]] = counts.get(checked_roles[role], 0) + 1
        if not node.name.strip():
            parent = node.parent.name if node.parent is not None else ""
            failures.append(f"unnamed {checked_roles[role]} (in \"{parent}\")")
    print("checked: " + ", ".join(f"{n} {kind}" for kind, n in sorted(counts.items())))

    # The list's cells: each named with its timer, interval and value, each caption by its
    # timer; a cell's select action selects its row, as the list's selection follows.
    cell_roles = (pyatspi.ROLE_TABLE_CELL, pyatspi.ROLE_TREE_ITEM)
    cells = [n for n in nodes if n.getRole() in cell_roles]
    print(f"list: {len(cells)} cell(s)")
    names = {n.name for n in cells}
    for wanted in ("Timer 3", "Timer 3, interval 1, ON, 00:00:05, starts a block",
                   "Timer 3, interval 2, OFF, 00:00:10"):
        if wanted not in names:
            failures.append(f'no list cell "{wanted}" among {sorted(names)[:8]}')
    # Down from the selected caption selects the first interval; Space switches it, and its
    # cell is heard with the new value.
    tree = next((n for n in nodes if n.getRole() in (pyatspi.ROLE_TREE, pyatspi.ROLE_TREE_TABLE,
                                                       pyatspi.ROLE_TABLE) and n.name == "Timers"), None)
    if tree is None:
        failures.append('no list named "Timers"')
    else:
        # Without a window manager the window takes keys only once given the X focus.
        subprocess.run(["xdotool", "search", "--name", "Tavrel - Programmable Timer$",
                        "windowfocus", "--sync"], timeout=10, check=False)
        # A click on the caption where the reader says it is gives the list the focus.
        caption = next(n for n in cells if n.name == "Timer 3")
        box = caption.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        subprocess.run(["xdotool", "mousemove", "--sync", str(box.x + box.width // 2),
                        str(box.y + box.height // 2), "click", "1"], timeout=10, check=False)
        time.sleep(0.5)
        subprocess.run(["xdotool", "key", "--delay", "300", "Down", "space"], timeout=10,
                       check=False)
        wanted = "Timer 3, interval 1, OFF, 00:00:05, starts a block"
        deadline = time.monotonic() + 10
        found = None
        while found is None and time.monotonic() < deadline:
            found = next((n for n in walk(fresh(tree)) if n.name == wanted), None)
            time.sleep(0.2)
        if found is None:
            now = sorted({n.name for n in walk(fresh(tree)) if n.getRole() in cell_roles})
            failures.append(f'Down and Space on the list: no cell "{wanted}" among {now}')
        elif not selected(pyatspi, found):
            failures.append(f'"{wanted}" is not selected')
        else:
            print(f'switched from the keyboard: "{wanted}"')

    compared, label_failures = compare_labels(pyatspi, nodes, "main window")
    print(f"main window: {compared} label(s) compared")
    failures += label_failures
    if compared < 2:
        failures.append("main window: fewer than 2 labels heard (the gauge's and the status line)")
    failures += check_program_dialog(pyatspi, application, nodes)

    for failure in failures:
        print(failure)
    print("screen-reader check " + ("failed" if failures else "passed"))
    return 1 if failures else 0


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    app = os.path.abspath(sys.argv[1])
    if os.environ.get(INSIDE) == "1":
        return inside(app)
    return outside(app)


if __name__ == "__main__":
    sys.exit(main())
