#!/usr/bin/env python3
"""Keeps a CalDAV server in step with a data folder, with the real parts:
orvexp exports the sample folder, vdirsyncer syncs the file to a Radicale
server of the test's own (127.0.0.1, a free port, a temporary store, no
authentication); then an entry's text is edited, a memo file deleted and a
one-date entry added, and after the second export and sync the server must
hold exactly the second file's events (UIDs and titles), nothing left over.

usage: caldav_sync_test.py ORVEXP FIXTURE RECIPE
FIXTURE writes and changes the data folder; RECIPE is docs/sync, whose
vdirsyncer configuration and export command the test runs.
Exit 77 (skipped) when radicale or vdirsyncer is not installed."""

import ctypes
import os
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request
import xml.etree.ElementTree as ET

SKIPPED = 77
STEP_TIMEOUT = 240  # seconds for any one program run; CTest's bound is above all of them
USER = "orvexp"
CALDAV = "{urn:ietf:params:xml:ns:caldav}"


def unfolded_lines(text):
    lines = []
    for line in text.replace("\r\n", "\n").split("\n"):
        if line[:1] in (" ", "\t") and lines:
            lines[-1] += line[1:]
        elif line:
            lines.append(line)
    return lines


def unescape(value):
    out, i = [], 0
    while i < len(value):
        if value[i] == "\\" and i + 1 < len(value):
            out.append("\n" if value[i + 1] in "nN" else value[i + 1])
            i += 2
        else:
            out.append(value[i])
            i += 1
    return "".join(out)


def split_property(line):
    """The name and value of a content line (a ':' inside a quoted parameter is skipped)."""
    quoted = False
    for i, c in enumerate(line):
        if c == '"':
            quoted = not quoted
        elif c == ":" and not quoted:
            return line[:i].split(";")[0].upper(), line[i + 1:]
    return line.upper(), ""


def events(text):
    """(UID, SUMMARY) of every VEVENT, its alarms' properties left out, sorted."""
    found, stack, current = [], [], {}
    for line in unfolded_lines(text):
        name, value = split_property(line)
        if name == "BEGIN":
            stack.append(value.upper())
            if value.upper() == "VEVENT":
                current = {}
        elif name == "END":
            if stack and stack.pop() == "VEVENT":
                found.append((current.get("UID", ""), unescape(current.get("SUMMARY", ""))))
        elif stack and stack[-1] == "VEVENT" and name in ("UID", "SUMMARY"):
            current[name] = value
    return sorted(found)


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def die_with_parent():
    # The server must not outlive the test, even one killed by its timeout.
    ctypes.CDLL(None, use_errno=True).prctl(1, signal.SIGTERM)  # PR_SET_PDEATHSIG


def run(args, **kwargs):
    result = subprocess.run(args, capture_output=True, text=True, timeout=STEP_TIMEOUT, **kwargs)
    if result.returncode != 0:
        raise AssertionError(f"{' '.join(args)} failed ({result.returncode}):\n{result.stdout}{result.stderr}")
    return result


def request(method, url, body=None, depth=None):
    req = urllib.request.Request(url, data=body.encode() if body else None, method=method)
    req.add_header("Authorization", "Basic b3J2ZXhwOng=")  # orvexp:x; the server checks nothing
    if body:
        req.add_header("Content-Type", "application/xml; charset=utf-8")
    if depth is not None:
        req.add_header("Depth", depth)
    with urllib.request.urlopen(req, timeout=60) as response:
        return response.read().decode()


def server_events(collection):
    body = ('<?xml version="1.0" encoding="utf-8"?>'
            '<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">'
            '<D:prop><C:calendar-data/></D:prop>'
            '<C:filter><C:comp-filter name="VCALENDAR"/></C:filter></C:calendar-query>')
    tree = ET.fromstring(request("REPORT", collection, body, depth="1"))
    found = []
    for data in tree.iter(CALDAV + "calendar-data"):
        found += events(data.text or "")
    return sorted(found)


def main():
    orvexp, fixture, recipe = sys.argv[1:4]
    missing = [name for name in ("radicale", "vdirsyncer") if not shutil.which(name)]
    if missing:
        print(f"SKIPPED: {' and '.join(missing)} not installed (Debian packages radicale, vdirsyncer; "
              "tools/install-deps.sh installs them)")
        return SKIPPED

    work = tempfile.mkdtemp(prefix="orvexp-caldav-")
    server = None
    try:
        data, ics = os.path.join(work, "data"), os.path.join(work, "orvanel.ics")
        port = free_port()
        collection = f"http://127.0.0.1:{port}/{USER}/orvanel/"
        # The shipped recipe, pointed at this test's file, server and password file.
        with open(os.path.join(recipe, "vdirsyncer-config"), encoding="utf-8") as f:
            template = f.read()
        replace = {"status_path": f'"{work}/status/"', "path": f'"{ics}"', "url": f'"{collection}"',
                   "username": f'"{USER}"', "password.fetch": f'["command", "cat", "{work}/password"]'}
        config = os.path.join(work, "vdirsyncer.conf")
        with open(config, "w", encoding="utf-8") as f:
            for line in template.splitlines():
                key = line.split(" = ")[0]
                f.write(f"{key} = {replace[key]}\n" if key in replace and not line.startswith("#") else line + "\n")
        with open(os.path.join(work, "password"), "w") as f:
            f.write("x\n")
        with open(os.path.join(recipe, "orvexp-sync.service"), encoding="utf-8") as f:
            command = next(line for line in f if line.startswith("ExecStart=/usr/bin/orvexp ")).split()[1:]
        export = [orvexp] + [os.path.join(data, "schedule.dat") if before == "--data" else
                             ics if before == "--output" else arg for before, arg in zip([""] + command, command)]

        server = subprocess.Popen(
            ["radicale", "--config", "", "--server-hosts", f"127.0.0.1:{port}", "--auth-type", "none",
             "--rights-type", "owner_only", "--storage-filesystem-folder", os.path.join(work, "store"),
             "--web-type", "none", "--logging-level", "warning"],
            stdout=subprocess.DEVNULL, stderr=open(os.path.join(work, "radicale.log"), "w"),
            preexec_fn=die_with_parent)
        deadline = time.monotonic() + 30
        while True:
            try:
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
                break
            except OSError:
                if server.poll() is not None or time.monotonic() > deadline:
                    raise AssertionError("radicale did not start:\n" + open(os.path.join(work, "radicale.log")).read())
                time.sleep(0.1)
        request("MKCALENDAR", collection)

        def export_and_sync(first_time=False):
            run(export)
            if first_time:  # vdirsyncer learns both sides once it can see the file
                run(["vdirsyncer", "-c", config, "discover", "orvanel"])
            with open(ics, encoding="utf-8", newline="") as f:
                expected = events(f.read())
            started = time.monotonic()
            run(["vdirsyncer", "-c", config, "sync", "orvanel"])
            print(f"sync of {len(expected)} events: {time.monotonic() - started:.1f} s")
            actual = server_events(collection)
            if actual != expected:
                extra, lacking = sorted(set(actual) - set(expected)), sorted(set(expected) - set(actual))
                raise AssertionError(f"server differs from {ics}: {len(actual)} events for {len(expected)};\n"
                                     f"left over: {extra[:5]}\nmissing: {lacking[:5]}")
            return expected

        run([fixture, data])
        first = export_and_sync(first_time=True)

        run([fixture, data, "--change"])
        memos = sorted(os.listdir(os.path.join(data, "Memo")))
        deleted = next(name for name in memos if os.path.getsize(os.path.join(data, "Memo", name)) > 20)
        os.remove(os.path.join(data, "Memo", deleted))
        second = export_and_sync()

        titles = [summary for _, summary in second]
        gone = set(first) - set(second)
        assert any(summary.endswith(" (edited)") for summary in titles), "the edited text is not in the file"
        assert "同期テストで増えた予定" in titles, "the new entry is not in the file"
        assert len(gone) >= 2 and len(set(second) - set(first)) >= 2, f"no change reached the file: {gone}"

        # Nothing changed: the file is kept as it was and the next sync has nothing to do.
        stamp = os.stat(ics).st_mtime_ns
        again = run(export)
        assert again.stdout.endswith("is unchanged: the same bytes, not rewritten\n"), again.stdout
        assert os.stat(ics).st_mtime_ns == stamp, "an unchanged export rewrote the file"
        print(f"first {len(first)} events, second {len(second)}; {len(gone)} gone, "
              f"{len(set(second) - set(first))} new or changed")
        return 0
    finally:
        if server is not None:
            server.terminate()
            try:
                server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                server.kill()
                server.wait()
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
