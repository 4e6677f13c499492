"""A process and its descendants, read from /proc: the whole program's memory and CPU time,
its web engine helpers included."""

import os


def tree(pid):
    """The process and all its descendants."""
    pids, todo = [], [pid]
    while todo:
        p = todo.pop()
        pids.append(p)
        try:
            with open("/proc/%d/task/%d/children" % (p, p)) as f:
                todo += [int(c) for c in f.read().split()]
        except OSError:
            pass
    return pids


def pss_mb(pid):
    """Proportional set size of the whole tree, in MB."""
    total = 0
    for p in tree(pid):
        try:
            with open("/proc/%d/smaps_rollup" % p) as f:
                for line in f:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
        except OSError:
            pass
    return total / 1024


def cpu_seconds(pid):
    """User and system time of the whole tree, in seconds."""
    tick = os.sysconf("SC_CLK_TCK")
    total = 0
    for p in tree(pid):
        try:
            with open("/proc/%d/stat" % p) as f:
                fields = f.read().rsplit(")", 1)[1].split()
            total += int(fields[11]) + int(fields[12])
        except (OSError, IndexError):
            pass
    return total / tick
