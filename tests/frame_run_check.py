#!/usr/bin/env python3
"""Judges frame_run_driver's output independently of the dialog's own verdict.

  frame_run_check.py OUTPUT clean MIN_PERIOD_US MAX_PERIOD_US
      frame-locked at a period in range, every swap shown, every gap on its planned frames
      and as long in time, and Done.
  frame_run_check.py OUTPUT damaged
      the run stopped on a gap the display really showed wrong, said so by byte, offered
      Start again and never said Done.
  frame_run_check.py OUTPUT consistent
      for a display that missed frames: three in four gaps on plan (the frames were locked),
      and the dialog's verdict right: Done only when every gap off plan is still read as its
      kind, and each of them counted as damaged; otherwise stopped as under "damaged".
Exit 0 when it holds; otherwise prints why and exits 1.
"""
import re
import sys

SPLIT_US, GUARD_US, LONGEST_ONE_US = 75_000, 5_000, 150_000


def reads_safely(gap):
    """As the dialog's rule, for a gap (index, planned, shown frames, us, nominal us)."""
    _, _, frames, us, nominal = gap
    if frames < 1:
        return False
    if nominal > SPLIT_US:
        return SPLIT_US + GUARD_US <= us <= LONGEST_ONE_US
    return us <= SPLIT_US - GUARD_US


def fail(why):
    print(f"frame_run_check: {why}")
    sys.exit(1)


def main():
    text = open(sys.argv[1]).read()
    mode = sys.argv[2]
    head = re.search(r"^frames: period_us=([\d.]+) swaps=(\d+) shown=(\d+) damaged=(\d+)$",
                     text, re.M)
    status = re.search(r"^status: (.*)$", text, re.M)
    start = re.search(r"^start: (.*)$", text, re.M)
    if not head or not status or not start:
        fail("not frame-locked or no result:\n" + text[-2000:])
    period = float(head.group(1))
    swaps, shown, damaged = (int(head.group(i)) for i in (2, 3, 4))
    plan = [(int(f), int(n)) for f, n in re.findall(r"^plan \d+ (\d+) (\d+)$", text, re.M)]
    frames = [(int(f), int(us)) for f, us in re.findall(r"^shown \d+ (-?\d+) (\d+)$", text, re.M)]
    if len(plan) + 1 != swaps or len(frames) != shown:
        fail("the output is incomplete")
    off = []
    for i in range(1, len(frames)):
        planned, nominal = plan[i - 1]
        got = frames[i][0] - frames[i - 1][0]
        us = frames[i][1] - frames[i - 1][1]
        if got != planned or abs(us - planned * period) > period / 2:
            off.append((i - 1, planned, got, us, nominal))
    if mode == "clean":
        low, high = float(sys.argv[3]), float(sys.argv[4])
        if not low <= period <= high:
            fail(f"period {period} us outside {low}..{high}")
        if shown != swaps:
            fail(f"{shown} of {swaps} swaps shown; status: {status.group(1)}")
        if off or damaged:
            fail(f"gaps off plan (gap, planned, shown frames, us, nominal): {off}")
        if not status.group(1).startswith("Done"):
            fail(f"status: {status.group(1)}")
        print(f"frame_run_check: {swaps} swaps, {len(plan)} gaps on plan at {period:.1f} us")
    else:
        if mode == "consistent":
            if 4 * (len(frames) - 1 - len(off)) < 3 * (len(frames) - 1):
                fail(f"fewer than three in four gaps on plan: {off[:5]}")
            if status.group(1).startswith("Done"):
                unsafe = [g for g in off if not reads_safely(g)]
                if unsafe or damaged != len(off) or shown != swaps:
                    fail(f"Done, but gaps off plan {off} (unsafe {unsafe}, counted {damaged})")
                print(f"frame_run_check: Done with {len(off)} gaps off plan, all read safely")
                return
        if status.group(1).startswith("Done") or "Done" in text.split("status:")[0]:
            fail("a damaged run said Done")
        said = re.match(r"The screen missed frames at byte (\d+); the device may have read it "
                        r"wrong\. Start again\.$", status.group(1))
        if not said or start.group(1) != "Start again":
            fail(f"status: {status.group(1)} / start: {start.group(1)}")
        unsafe = [g for g in off if not reads_safely(g)]
        if not unsafe:
            fail(f"stopped, but no gap the display showed was unsafe: {off}")
        gap = unsafe[0][0]
        if int(said.group(1)) != (1 if gap < 9 else 2 + (gap - 9) // 10):
            fail(f"said byte {said.group(1)}, but the first unsafe gap is {gap}")
        print(f"frame_run_check: stopped at byte {said.group(1)}; unsafe gaps {unsafe[:3]}")


main()
