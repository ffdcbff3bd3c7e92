#!/usr/bin/env python3
"""khal reading the folder of events that `orvexp export --vdir` keeps, as the
README sets it up (a read-only calendar, no import): for a week of the sample,
khal must list exactly the csv-schedules rows (date, time, title) and the
memos. Exit 77 (skip) without khal. usage: khal_vdir_test.py ORVEXP FIXTURE"""
import csv, io, os, shutil, subprocess, sys, tempfile

orvexp, fixture = sys.argv[1:3]
if not shutil.which("khal"):
    print("SKIPPED: khal is not installed (tools/install-deps.sh installs it)")
    sys.exit(77)

FROM, TO = "2026/12/07", "2026/12/13"
BLANKS = " \t\u3000"


def run(*args, env=None):
    done = subprocess.run(args, capture_output=True, text=True, timeout=120, env=env)
    assert done.returncode == 0, f"{args} failed:\n{done.stdout}{done.stderr}"
    return done.stdout


def title(text, untitled):
    """The first line holding more than blanks, without them at its ends."""
    for line in text.replace("\r\n", "\n").replace("\r", "\n").split("\n"):
        if line.strip(BLANKS):
            return line.strip(BLANKS)
    return untitled


def csv_rows(kind):
    out = work + f"/{kind}.csv"
    run(orvexp, "export", "--type", kind, "--data", data + "/schedule.dat", "--from", FROM, "--to", TO,
        "--encoding", "utf-8", "--no-empty-memos", "--output", out)
    with open(out, encoding="utf-8-sig", newline="") as f:
        return list(csv.reader(io.StringIO(f.read())))


work = tempfile.mkdtemp(prefix="orvexp-khal-")
try:
    data, vdir = work + "/data", work + "/vdir"
    run(fixture, data)
    run(orvexp, "export", "--type", "ics", "--data", data + "/schedule.dat", "--from", FROM, "--to", TO, "--vdir", vdir)
    with open(work + "/config", "w") as config:
        config.write(f"[calendars]\n[[orvanel]]\npath = {vdir}\nreadonly = True\n[locale]\n"
                     "timeformat = %H:%M\ndateformat = %Y/%m/%d\nlongdateformat = %Y/%m/%d\n"
                     "datetimeformat = %Y/%m/%d %H:%M\nlongdatetimeformat = %Y/%m/%d %H:%M\n")
    env = dict(os.environ, XDG_DATA_HOME=work + "/khal-data", TZ="UTC")
    listed = run("khal", "-c", work + "/config", "list", "--format", "{start-date}|{start-time}|{title}",
                 "--day-format", "", FROM, TO, env=env).splitlines()

    expected = []
    for date, time, text in csv_rows("csv-schedules"):
        timed = len(time) == 5 and time[2] == ":" and time.replace(":", "").isdigit()
        expected.append(f"{date}|{time if timed else ''}|{title(text, '予定')}")
    for date, _, memo in csv_rows("csv-memos"):
        if memo.strip(BLANKS + "\r\n"):
            expected.append(f"{date}||{title(memo, '')}")
    assert len(expected) > 30, expected
    assert sorted(listed) == sorted(expected), (
        f"khal only: {sorted(set(listed) - set(expected))}\ncsv only: {sorted(set(expected) - set(listed))}")
    print(f"{len(listed)} events of {FROM}..{TO} as the CSV lists them")
finally:
    shutil.rmtree(work, ignore_errors=True)
