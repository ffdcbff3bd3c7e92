#!/usr/bin/env python3
"""The sync recipe of docs/sync with the real parts: orvexp keeps a folder of
events (--vdir) in step with a data folder and vdirsyncer mirrors it onto a
CalDAV server of the test's own, Radicale and then Xandikos (127.0.0.1, a free
port, a temporary store, no authentication). After an entry's text is edited,
a memo file deleted and a one-date entry added, the server must hold exactly
the folder's events (UIDs, titles and descriptions); a third export changes no
file. Exit 77 (skip) without radicale, xandikos or vdirsyncer.
usage: caldav_sync_test.py ORVEXP FIXTURE RECIPE_DIR"""
import ctypes, glob, os, re, shutil, signal, socket, subprocess, sys, tempfile, time, urllib.request
import xml.etree.ElementTree as ET

orvexp, fixture, recipe = sys.argv[1:4]
if not all(shutil.which(program) for program in ("radicale", "xandikos", "vdirsyncer")):
    print("SKIPPED: radicale, xandikos or vdirsyncer is not installed (tools/install-deps.sh installs them)")
    sys.exit(77)


def run(*args):  # every step bounded; CTest's timeout is above their sum
    done = subprocess.run(args, capture_output=True, text=True, timeout=240)
    assert done.returncode == 0, f"{args} failed:\n{done.stdout}{done.stderr}"
    return done.stdout


def unescape(text):
    return re.sub(r"\\(.)", lambda m: "\n" if m[1] in "nN" else m[1], text)


def events(text):
    """(UID, SUMMARY, DESCRIPTION) of each VEVENT, lines unfolded and text unescaped."""
    found, text = [], re.sub(r"\n[ \t]", "", text.replace("\r\n", "\n"))
    for block in re.findall(r"^BEGIN:VEVENT$(.*?)^END:VEVENT$", text, re.S | re.M):
        block = re.sub(r"^BEGIN:VALARM$.*?^END:VALARM$", "", block, flags=re.S | re.M)
        fields = [re.search(rf"^{name}(?:;[^:\n]*)?:(.*)$", block, re.M) for name in ("UID", "SUMMARY", "DESCRIPTION")]
        found.append(tuple(unescape(field[1]) if field else "" for field in fields))
    return sorted(found)


def request(method, url, body=None):
    headers = {"Authorization": "Basic b3J2ZXhwOng=", "Depth": "1", "Content-Type": "application/xml"}
    with urllib.request.urlopen(urllib.request.Request(url, body and body.encode(), headers, method=method),
                                timeout=60) as response:
        return response.read().decode()


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


# Each server: its command line for a store and a port, the calendar's path on
# it, and whether the test makes that calendar (Xandikos makes its own).
SERVERS = {
    "radicale": (lambda store, port: ["radicale", "--config", "", "--server-hosts", f"127.0.0.1:{port}", "--auth-type",
                                      "none", "--storage-filesystem-folder", store, "--web-type", "none"],
                 "/orvexp/orvanel/", True),
    "xandikos": (lambda store, port: ["xandikos", "-d", store, "--defaults", "-l", "127.0.0.1", "-p", str(port)],
                 "/user/calendars/calendar/", False),
}


def sync_test(name, work):
    command, path, make = SERVERS[name]
    data, vdir, config = work + "/data", work + "/vdir", work + "/vdirsyncer.conf"
    port = free_port()
    calendar = f"http://127.0.0.1:{port}{path}"
    # The server dies with the test, even one killed by its timeout (PR_SET_PDEATHSIG).
    server = subprocess.Popen(command(work + "/store", port), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              preexec_fn=lambda: ctypes.CDLL(None).prctl(1, signal.SIGTERM))
    try:
        for _ in range(300):
            try:
                socket.create_connection(("127.0.0.1", port), timeout=1).close()
                break
            except OSError:
                assert server.poll() is None, f"{name} did not start"
                time.sleep(0.1)
        if make:
            request("MKCALENDAR", calendar)
        return in_step(calendar, data, vdir, config, work)
    finally:
        server.terminate()
        try:
            server.wait(timeout=10)
        except subprocess.TimeoutExpired:
            server.kill()


def in_step(calendar, data, vdir, config, work):
    # The shipped configuration and export command, pointed at this server and folder.
    values = {"status_path": f'"{work}/status/"', "path": f'"{vdir}/"', "url": f'"{calendar}"',
              "username": '"orvexp"', "password.fetch": f'["command", "cat", "{work}/password"]'}
    with open(recipe + "/vdirsyncer-config") as template, open(config, "w") as out:
        for line in template:
            key = line.split(" = ")[0]
            out.write(f"{key} = {values[key]}\n" if key in values else line)
    with open(work + "/password", "w") as out:
        out.write("x\n")
    with open(recipe + "/orvexp-sync.service") as service:
        shipped = next(line for line in service if line.startswith("ExecStart=/usr/bin/orvexp ")).split()[1:]
    export = [orvexp] + [{"--data": data + "/schedule.dat", "--vdir": vdir}.get(before, arg)
                         for before, arg in zip([""] + shipped, shipped)]

    def folder():
        return sorted(event for path in glob.glob(vdir + "/*.ics") for event in events(open(path, newline="").read()))

    def export_and_sync():
        line = run(*export)
        if not os.path.exists(work + "/status"):
            run("vdirsyncer", "-c", config, "discover", "orvanel")
        run("vdirsyncer", "-c", config, "sync", "orvanel")
        expected = folder()
        report = request("REPORT", calendar, '<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">'
                         '<D:prop><C:calendar-data/></D:prop><C:filter><C:comp-filter name="VCALENDAR"/></C:filter>'
                         '</C:calendar-query>')
        actual = sorted(event for item in ET.fromstring(report).iter("{urn:ietf:params:xml:ns:caldav}calendar-data")
                        for event in events(item.text))
        assert actual == expected, f"server {set(actual) - set(expected)} folder {set(expected) - set(actual)}"
        return line, set(expected)

    run(fixture, data)
    _, first = export_and_sync()
    run(fixture, data, "--change")
    memo = next(name for name in sorted(os.listdir(data + "/Memo")) if os.path.getsize(f"{data}/Memo/{name}") > 20)
    os.remove(f"{data}/Memo/{memo}")
    line, second = export_and_sync()
    titles = {summary for _, summary, _ in second - first}
    assert len(first - second) == 2 and len(titles) == 2 and "同期テストで増えた予定" in titles, (first - second, titles)
    assert any(title.endswith(" (edited)") for title in titles), titles
    # The edited entry is another event (its UID comes from its content); the
    # entries' stamps are the schedule file's time, so the others are updated.
    assert re.search(rf": {len(second)} events, 2 added, [1-9][0-9]* updated, 2 deleted\n$", line), line

    stamps = {path: os.stat(path).st_mtime_ns for path in glob.glob(vdir + "/*")}
    line = run(*export)  # the same data again: no file changes
    assert line.endswith(f": {len(second)} events, 0 added, 0 updated, 0 deleted\n"), line
    assert stamps == {path: os.stat(path).st_mtime_ns for path in glob.glob(vdir + "/*")}
    return f"{len(first)} events, then {len(second)}: {len(first - second)} gone, {len(second - first)} new"


for name in SERVERS:
    work = tempfile.mkdtemp(prefix=f"orvexp-caldav-{name}-")
    try:
        print(f"{name}: {sync_test(name, work)}")
    finally:
        shutil.rmtree(work, ignore_errors=True)
