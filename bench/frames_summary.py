#!/usr/bin/env python3
"""Summarises a frame-locked run from glass_driver's output ("shown SWAP FRAME US PLANNED" per
swap, the display's own report) and, under Xvfb, glass_probe's "change I US" lines: when the
pane's pixel was seen to change.

  frames_summary.py WHERE DRIVER_OUT [PROBE_OUT]

With a probe each change is compared with the frame start Present reported for its swap, and
the gaps are counted in frames from the changes seen. Without, from the presented times: each
gap against its planned frames of the measured period, and counted in frames.
"""
import re
import sys


def main():
    where, driver = sys.argv[1], open(sys.argv[2]).read()
    head = re.search(r"^frames: period_us=([\d.]+)", driver, re.M)
    if not head:
        print(f"frames: where={where} not frame-locked")
        return 1
    period = float(head.group(1))
    shown = [(int(f), int(us), int(p)) for f, us, p in
             re.findall(r"^shown \d+ (-?\d+) (\d+) (\d+)$", driver, re.M)]
    plan = [p for _, _, p in shown[:-1]]
    if len(sys.argv) > 3:
        seen = [int(us) for us in re.findall(r"^change \d+ (\d+)$", open(sys.argv[3]).read(), re.M)]
        if len(seen) != len(shown):
            print(f"frames: where={where} the probe saw {len(seen)} of {len(shown)} swaps")
            return 1
        errors = [(s - us) / 1000 for s, (_, us, _) in zip(seen, shown)]
        times = seen
    else:
        # Every presented time is a frame start by the compositor's word; what can go wrong is
        # a gap that spans other frames, or frames of another length, than planned.
        times = [us for _, us, _ in shown]
        errors = [0.0] + [(times[i] - times[i - 1] - plan[i - 1] * period) / 1000
                          for i in range(1, len(times))]
    gaps = [round((times[i] - times[i - 1]) / period) for i in range(1, len(times))]
    on_plan = sum(1 for g, p in zip(gaps, plan) if g == p)
    within = sum(1 for e in errors if abs(e) <= 2.0)
    worst = max(errors, key=abs)
    print(f"frames: where={where} swaps={len(shown)} within_2ms={within} "
          f"({100 * within / len(shown):.1f} %) worst_ms={worst:+.3f} "
          f"gaps_on_plan={on_plan} of {len(plan)} period_us={period:.1f}")
    return 0 if on_plan == len(plan) and within * 100 >= 99 * len(shown) else 1


sys.exit(main())
