#!/usr/bin/env python3
"""The sync recipe of docs/sync with the real parts: orvexp exports a data folder
and vdirsyncer mirrors it onto a Radicale server of the test's own (127.0.0.1,
a free port, a temporary store, no authentication). After an entry's text is
edited, a memo file deleted and a one-date entry added, the server must hold
exactly the second file's events (UIDs and titles). Exit 77 (skip) without
radicale or vdirsyncer. usage: caldav_sync_test.py ORVEXP FIXTURE RECIPE_DIR"""
import ctypes, os, re, shutil, signal, socket, subprocess, sys, tempfile, time, urllib.request
import xml.etree.ElementTree as ET

orvexp, fixture, recipe = sys.argv[1:4]
if not (shutil.which("radicale") and shutil.which("vdirsyncer")):
    print("SKIPPED: radicale or vdirsyncer is not installed (tools/install-deps.sh installs both)")
    sys.exit(77)


def run(*args):  # every step bounded; CTest's timeout is above their sum
    done = subprocess.run(args, capture_output=True, text=True, timeout=240)
    assert done.returncode == 0, f"{args} failed:\n{done.stdout}{done.stderr}"
    return done.stdout


def events(text):
    """(UID, SUMMARY) of each VEVENT, lines unfolded and text unescaped."""
    found, text = [], re.sub(r"\n[ \t]", "", text.replace("\r\n", "\n"))
    for block in re.findall(r"^BEGIN:VEVENT$(.*?)^END:VEVENT$", text, re.S | re.M):
        block = re.sub(r"^BEGIN:VALARM$.*?^END:VALARM$", "", block, flags=re.S | re.M)
        uid, summary = (re.search(rf"^{name}(?:;[^:\n]*)?:(.*)$", block, re.M)[1] for name in ("UID", "SUMMARY"))
        found.append((uid, re.sub(r"\\(.)", lambda m: "\n" if m[1] in "nN" else m[1], summary)))
    return sorted(found)


def request(method, url, body=None):
    headers = {"Authorization": "Basic b3J2ZXhwOng=", "Depth": "1", "Content-Type": "application/xml"}
    with urllib.request.urlopen(urllib.request.Request(url, body and body.encode(), headers, method=method),
                                timeout=60) as response:
        return response.read().decode()


work = tempfile.mkdtemp(prefix="orvexp-caldav-")
server = None
try:
    data, ics, config = work + "/data", work + "/orvanel.ics", work + "/vdirsyncer.conf"
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        port = s.getsockname()[1]
    calendar = f"http://127.0.0.1:{port}/orvexp/orvanel/"
    # The server dies with the test, even one killed by its timeout (PR_SET_PDEATHSIG).
    server = subprocess.Popen(["radicale", "--config", "", "--server-hosts", f"127.0.0.1:{port}", "--auth-type",
                               "none", "--storage-filesystem-folder", work + "/store", "--web-type", "none"],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGTERM))
    for _ in range(300):
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            break
        except OSError:
            assert server.poll() is None, "radicale did not start"
            time.sleep(0.1)
    request("MKCALENDAR", calendar)

    # The shipped configuration and export command, pointed at this server and folder.
    values = {"status_path": f'"{work}/status/"', "path": f'"{ics}"', "url": f'"{calendar}"',
              "username": '"orvexp"', "password.fetch": f'["command", "cat", "{work}/password"]'}
    with open(recipe + "/vdirsyncer-config") as template, open(config, "w") as out:
        for line in template:
            key = line.split(" = ")[0]
            out.write(f"{key} = {values[key]}\n" if key in values else line)
    with open(work + "/password", "w") as out:
        out.write("x\n")
    with open(recipe + "/orvexp-sync.service") as service:
        shipped = next(line for line in service if line.startswith("ExecStart=/usr/bin/orvexp ")).split()[1:]
    export = [orvexp] + [{"--data": data + "/schedule.dat", "--output": ics}.get(before, arg)
                         for before, arg in zip([""] + shipped, shipped)]

    def export_and_sync():
        run(*export)
        if not os.path.exists(work + "/status"):
            run("vdirsyncer", "-c", config, "discover", "orvanel")
        run("vdirsyncer", "-c", config, "sync", "orvanel")
        expected = events(open(ics, newline="").read())
        report = request("REPORT", calendar, '<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">'
                         '<D:prop><C:calendar-data/></D:prop><C:filter><C:comp-filter name="VCALENDAR"/></C:filter>'
                         '</C:calendar-query>')
        actual = sorted(event for item in ET.fromstring(report).iter("{urn:ietf:params:xml:ns:caldav}calendar-data")
                        for event in events(item.text))
        assert actual == expected, f"server {set(actual) - set(expected)} file {set(expected) - set(actual)}"
        return set(expected)

    run(fixture, data)
    first = export_and_sync()
    run(fixture, data, "--change")
    memo = next(name for name in sorted(os.listdir(data + "/Memo")) if os.path.getsize(f"{data}/Memo/{name}") > 20)
    os.remove(f"{data}/Memo/{memo}")
    second = export_and_sync()
    titles = {summary for _, summary in second - first}
    assert len(first - second) == 2 and len(titles) == 2 and "同期テストで増えた予定" in titles, (first - second, titles)
    assert any(title.endswith(" (edited)") for title in titles), titles

    stamp = os.stat(ics).st_mtime_ns  # the same data again: the file is kept
    assert run(*export).endswith("is unchanged: the same bytes, not rewritten\n") and os.stat(ics).st_mtime_ns == stamp
    print(f"{len(first)} events, then {len(second)}: {len(first - second)} gone, {len(second - first)} new")
finally:
    if server:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()
    shutil.rmtree(work, ignore_errors=True)
