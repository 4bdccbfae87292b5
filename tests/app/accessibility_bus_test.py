"""The running game read through the accessibility bus, as a screen reader reads it.

Started by accessibility_bus_test.sh with the game showing puzzle 1 (CAT to DOG) of a collection
of two. Finds the board's rows and the buttons by role and name, types a word into the window
and hears it in its row, and presses "New Puzzle" through the bus. Every wait is for a
condition, with a generous limit, so a loaded machine only makes it slower.
"""

import subprocess
import sys
import time

import pyatspi

LIMIT = 300  # seconds


def wait_for(what, condition):
    deadline = time.monotonic() + LIMIT
    while True:
        try:
            result = condition()
        except Exception:  # the game's objects come and go while it starts and changes
            result = None
        if result:
            return result
        if time.monotonic() > deadline:
            sys.exit(f"FAILED: no {what} within {LIMIT} s")
        time.sleep(0.1)


def fresh(obj):
    obj.clearCache()
    return obj


def game_frame():
    for app in pyatspi.Registry.getDesktop(0):
        for frame in app or []:
            if frame is not None and frame.name == "Ladderly!":
                return frame
    return None


def descendant(root, role, name):
    return pyatspi.findDescendant(root, lambda o: o.getRole() == role and o.name == name)


def board():
    # A new board (another puzzle, a win) comes as a new object: found again each time.
    return descendant(frame, pyatspi.ROLE_LIST, "Board")


def rows():
    return [(row.name, row.description) for row in fresh(board())]


def enabled(button):
    return fresh(button).getState().contains(pyatspi.STATE_ENABLED)


def expect(what, actual, expected):
    if actual != expected:
        sys.exit(f"FAILED: {what}: {actual!r}, expected {expected!r}")


pyatspi.setTimeout(LIMIT * 1000, LIMIT * 1000)
frame = wait_for("game window on the bus", game_frame)
expect("window's role", frame.getRole(), pyatspi.ROLE_FRAME)
wait_for("puzzle 1 in the window's description",
         lambda: fresh(frame).description == "Playing puzzle 1")
expect("board", (board().description, rows()), ("CAT to DOG", [
    ("CAT", "Start word"),
    ("blank, blank, blank", "Letter 1 of 3, Change 1 Letter"),
    ("blank, blank, blank", "Change 1 Letter"),
    ("DOG", "End word, Change 1 Letter"),
]))
expect("rows' role", {row.getRole() for row in board()}, {pyatspi.ROLE_LIST_ITEM})
buttons = {name: descendant(frame, pyatspi.ROLE_PUSH_BUTTON, name)
           for name in ("About Ladderly", "Check", "Hint", "Start Over", "New Puzzle",
                        "Select Puzzle")}
expect("buttons enabled", {name: enabled(b) for name, b in buttons.items()},
       {"About Ladderly": True, "Check": True, "Hint": True, "Start Over": False,
        "New Puzzle": True, "Select Puzzle": True})

window = subprocess.run(["xdotool", "search", "--sync", "--name", "^Ladderly!$"],
                        check=True, capture_output=True, text=True).stdout.split()[0]
subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True)
subprocess.run(["xdotool", "type", "cot"], check=True)
wait_for("COT in row 2", lambda: rows()[1][0] == "COT")
row3 = board().getChildAtIndex(2)
wait_for("the focus on row 3",
         lambda: fresh(row3).getState().contains(pyatspi.STATE_FOCUSED))
expect("Start Over", enabled(buttons["Start Over"]), True)

if not buttons["New Puzzle"].queryAction().doAction(0):
    sys.exit("FAILED: New Puzzle's press action was refused")
wait_for("puzzle 2 in the window's description",
         lambda: fresh(frame).description == "Playing puzzle 2")
expect("board of puzzle 2", rows()[0], ("DOG", "Start word"))
print("The board, its rows and the buttons read and played through the accessibility bus.")
