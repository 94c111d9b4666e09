#!/usr/bin/env python3
"""The browser remote, from phones and tablets (headless Chromium).

The console runs with WebPort 8080, a WebPin and the veth interface as its
lighting interface. A phone-sized browser gets the PIN page, is refused with
a wrong PIN and gets the remote with the right one: the cue list with the
CP932 names, the presets, 64 swatches. GO puts cue 1 on the wire; a cue
tapped in the list (after its confirmation) starts a chase, and the swatches
follow its steps at no more than ten messages a second. A browser without
the session gets the PIN page and no state over a WebSocket of its own.
The time from a tap on GO to the first ArtDmx with the cue is measured over
30 taps, and the output rate with 20 logged-in WebSocket clients. Last, the
headless player's remote: the PIN it printed, and GO from it on the wire.
"""
import os
import struct
import subprocess
import sys
import threading
import time

HERE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
sys.path.insert(0, HERE)
from console import check, fixture_levels, frame_has, run  # noqa: E402
import webclient  # noqa: E402
import webdriver  # noqa: E402

HOST, PORT, PIN = "2.0.0.1", 8080, "246810"
URL = "http://%s:%d/" % (HOST, PORT)
FIXTURES = 16
RED, GREEN, BLUE = (255, 255, 0), (255, 0, 255), (0, 255, 255)  # (Y, M, C)
# Where the pages' screenshots go, when set.
SHOTS = os.environ.get("PRISMEL_WEB_SHOTS")


def cp932(text, size):
    return text.encode("cp932").ljust(size, b"\0")[:size]


def scene(name, colour):
    return cp932(name, 21) + struct.pack("<64h", *([colour] * FIXTURES + [-1] * (64 - FIXTURES))) + \
        bytes([255] * FIXTURES + [0] * (64 - FIXTURES))


def prepare(c):
    c.init_show()
    for f in range(FIXTURES):
        c.put_record("LPT", f, struct.pack("<hh", 1, 4 * f))
    for i, (name, (y, m, cy)) in enumerate([("RED", RED), ("GRN", GREEN), ("BLU", BLUE)]):
        c.put_record("COL", 400 + i, cp932(name, 6) + bytes([y, m, cy]))
    for i, (name, colour) in enumerate([("表ソ能", 400), ("緑", 401), ("青", 402), ("StepA", 400), ("StepB", 402)]):
        c.put_record("SCN", i, scene(name, colour))
    for i, name in enumerate(["走る", "Fade"]):
        c.put_record("CHS", i, cp932(name, 21) + bytes([2]) + struct.pack("<48h", 3, 4, *([-1] * 46)))
    # number, scene, scene cross, chase, rate, chase cross, mode, wait
    cues = [(10, 0, 0, -1, 20, 0), (20, 1, 0, -1, 20, 0), (30, 2, 0, -1, 20, 0),
            (40, -1, 0, 0, 15, 0), (50, -1, 0, 1, 50, 50)]
    for i, (n, s, sx, ch, rate, cx) in enumerate(cues):
        c.put_record("CUE", i, struct.pack("<8h", n, s, sx, ch, rate, cx, 0, 0))
    c.put_record("FKY", 0, cp932("表示", 8) + struct.pack("<4h", 1, 1, 0, 20))
    c.put_record("FKY", 1, cp932("ﾁｪｲｽ", 8) + struct.pack("<4h", 2, 0, 0, 20))
    with open(c.path("prismel.INI"), "w") as f:
        f.write("[Option]\nWebPort=%d\nWebPin=%s\nOutputInterface=pe2e0\n" % (PORT, PIN))


def shot(browser, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        browser.screenshot(os.path.join(SHOTS, "web_%s.png" % name))


def is_page(b, kind):
    return b.wait("const m = document.querySelector('meta[name=prismel-page]'); return m && m.content === arguments[0];",
                  5.0, kind)


def log_in(b, pin):
    b.get(URL)
    check(is_page(b, "pin"), "the PIN page first")
    b.type("#pin", pin)
    b.click("#login")


def wait_wire(rx, ymc, since, what, timeout=3.0):
    got = rx.wait_for(frame_has(fixture_levels(ymc, fixtures=FIXTURES)), timeout, since)
    check(got is not None, what + "; last frame %s" % rx.last()[2][:16].hex())
    return got


def phone(c, rx):
    b = webdriver.Browser(375, 812)
    try:
        log_in(b, "000000")
        check(b.wait("return !!document.querySelector('#error');") and is_page(b, "pin"),
              "a wrong PIN is refused on the PIN page")
        check(not b.cookies(), "no cookie for a wrong PIN")
        shot(b, "phone_wrong_pin")
        log_in(b, PIN)
        check(is_page(b, "remote"), "the remote after the right PIN")
        cookie = [k for k in b.cookies() if k["name"] == "prismel_session"]
        check(cookie and cookie[0]["httpOnly"] and cookie[0].get("sameSite") == "Strict", "an HttpOnly, strict cookie")
        check(b.wait("return document.querySelectorAll('#cues li').length === 5;"), "five cues listed")
        names = b.script("return [...document.querySelectorAll('#cues li .name')].map(e => e.textContent);")
        check(names[:3] == ["表ソ能", "緑", "青"] and names[3] == "走る", "the cue names in UTF-8: %s" % names)
        check(b.text("#fkey0 span") == "表示" and b.text("#fkey1 span") == "ﾁｪｲｽ", "the preset labels")
        check(b.script("return document.querySelectorAll('.fx').length;") == 64, "64 swatches")
        check(b.text("#cue-num") == "STANDBY" and b.text("#next-name") == "表ソ能", "standby, cue 1 next")

        since = rx.last()[0]
        b.click("#go")
        wait_wire(rx, RED, since, "GO puts cue 1 on the wire")
        check(b.wait("return document.querySelector('#cue-name').textContent === '表ソ能';"), "cue 1 shown as current")
        check(b.wait("return document.querySelector('#fx1').dataset.size === '255';"), "the swatch of a lit fixture")
        shot(b, "phone_cue1")

        since = rx.last()[0]
        b.click("#cues li[data-n='40']")
        check(b.wait("return document.querySelector('#confirm').classList.contains('open');"), "a confirmation first")
        shot(b, "phone_confirm")
        time.sleep(0.3)
        check(rx.wait_for(frame_has(fixture_levels(BLUE, fixtures=FIXTURES)), 0.3, since) is None,
              "nothing played before the confirmation")
        b.click("#confirm-yes")
        wait_wire(rx, BLUE, since, "the chase's second step on the wire")
        b.script("window.__messages = 0; socket.addEventListener('message', () => window.__messages++);")
        seen = set()
        end = time.monotonic() + 2.0
        while time.monotonic() < end:
            seen.add(b.script("return document.querySelector('#fx1').style.background;"))
            time.sleep(0.05)
        count = b.script("return window.__messages;")
        check({"rgb(255, 0, 0)", "rgb(0, 0, 255)"} <= seen, "the swatches follow the chase: %s" % seen)
        check(count <= 21, "at most ten state messages a second (%d in 2 s)" % count)
        print("web: %d state messages in 2 s during a chase" % count)

        b.click("#standby")
        latencies = []
        b.script("window.__tap = 0; document.querySelector('#go').addEventListener('click',"
                 " e => { window.__tap = performance.timeOrigin + e.timeStamp; });")
        for round_ in range(10):
            b.click("#standby")
            time.sleep(0.25)
            for ymc in (RED, GREEN, BLUE):
                since = rx.last()[0]
                b.click("#go")
                got = wait_wire(rx, ymc, since, "a tapped GO on the wire")
                offset = time.time() - time.monotonic()
                latencies.append((got[0] + offset) * 1000.0 - b.script("return window.__tap;"))
                time.sleep(0.25)
        latencies.sort()
        p50, p99 = latencies[len(latencies) // 2], latencies[-1]
        print("web: tap on GO to the first ArtDmx with the cue over %d taps: p50 %.1f ms, p99 %.1f ms, min %.1f ms"
              % (len(latencies), p50, p99, latencies[0]))
        check(p99 < 500, "a tap reaches the wire promptly (p99 %.1f ms)" % p99)
    finally:
        b.quit()


def tablet(c, rx):
    b = webdriver.Browser(820, 1180)
    try:
        log_in(b, PIN)
        check(is_page(b, "remote") and b.wait("return document.querySelectorAll('#cues li').length === 5;"),
              "the remote on a tablet")
        check(b.script("return document.querySelector('#col-b').getBoundingClientRect().left > 300;"),
              "two columns on a tablet")
        time.sleep(0.5)
        shot(b, "tablet")
    finally:
        b.quit()


def stranger(c, rx):
    """A browser that never gave the PIN, and raw clients without a session
    or from another origin."""
    b = webdriver.Browser(375, 812)
    try:
        b.get(URL)
        check(is_page(b, "pin"), "the PIN page for a browser without the session")
        b.script("window.__got = 0; window.__opened = false; const s = new WebSocket('ws://%s:%d/ws');"
                 "s.onopen = () => window.__opened = true; s.onmessage = () => window.__got++;" % (HOST, PORT))
        time.sleep(1.5)
        check(b.script("return window.__got;") == 0 and not b.script("return window.__opened;"),
              "no state over a WebSocket without the session")
    finally:
        b.quit()
    token = webclient.login(HOST, PORT, PIN)
    check(token, "a login over plain HTTP")
    for t, origin, status in ((None, None, 403), (token, "http://evil.example", 403), (token, None, 101)):
        s = webclient.Socket(HOST, PORT, t, origin)
        check(s.status == status, "WebSocket upgrade (token %s, origin %s): %d" % (bool(t), origin, s.status))
        s.close()


def load(c, rx):
    """The output's rate with no browser and with 20 logged-in clients
    reading every state message while a fading chase changes every frame."""
    token = webclient.login(HOST, PORT, PIN)
    first = webclient.Socket(HOST, PORT, token)
    first.send("cue 50")
    time.sleep(1.0)

    def rate(seconds):
        start, n0 = time.monotonic(), rx.count()
        time.sleep(seconds)
        with rx.lock:
            packets = [p[0] for p in rx.packets[n0:] if p[1] == 0]
        gaps = [b - a for a, b in zip(packets, packets[1:])]
        return len(packets) / (time.monotonic() - start), max(gaps) * 1000 if gaps else 0

    alone, alone_gap = rate(5.0)
    clients, counts, stop = [], [], threading.Event()

    def reader(s, i):
        while not stop.is_set():
            try:
                s.receive()
                counts[i] += 1
            except (EOFError, OSError):
                return

    for i in range(20):
        s = webclient.Socket(HOST, PORT, token)
        check(s.status == 101, "client %d connected" % i)
        clients.append(s)
        counts.append(0)
        threading.Thread(target=reader, args=(s, i), daemon=True).start()
    time.sleep(1.0)
    base = list(counts)
    loaded, loaded_gap = rate(10.0)
    per_client = [(n - b) / 10.0 for n, b in zip(counts, base)]
    stop.set()
    for s in clients + [first]:
        s.close()
    print("web: output %.2f frames/s (longest gap %.1f ms) without browsers; %.2f frames/s (longest gap %.1f ms) "
          "with 20 clients, each getting %.1f-%.1f state messages/s"
          % (alone, alone_gap, loaded, loaded_gap, min(per_client), max(per_client)))
    check(loaded > 45.0, "the output keeps its rate with 20 clients (%.2f frames/s)" % loaded)
    check(max(per_client) <= 10.5 and min(per_client) >= 5.0, "ten state messages a second to each client")


def player(c, rx):
    """prismel-show play --web-port without --web-pin: the PIN it made on
    standard error, and GO from its remote on the wire (universe 1)."""
    proc = subprocess.Popen([c.path("prismel-show"), "play", c.folder, "--universe", "1", "--web-port", "8081",
                             "--seconds", "15"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                            stderr=subprocess.PIPE, env=c.env)
    try:
        pin = None
        end = time.monotonic() + 5
        lines = []
        while pin is None and time.monotonic() < end:
            line = proc.stderr.readline().decode()
            lines.append(line)
            if "PIN " in line:
                pin = line.rsplit("PIN ", 1)[1].strip()
        check(pin and len(pin) == 6 and pin.isdigit(), "the player printed the PIN it made: %s" % lines)
        check(webclient.login("127.0.0.1", 8081, "000000") is None, "the player refuses a wrong PIN")
        token = webclient.login("127.0.0.1", 8081, pin)
        check(token, "the player's PIN logs in")
        s = webclient.Socket("127.0.0.1", 8081, token)
        check(s.status == 101, "the player's state socket")
        since = rx.last()[0]
        s.send("go")
        got = rx.wait_for(lambda port, data: port == 1 and frame_has(fixture_levels(RED, fixtures=FIXTURES))(port, data),
                          3.0, since)
        check(got is not None, "GO from the player's remote on the wire")
        s.close()
    finally:
        proc.terminate()
        out, err = proc.communicate(timeout=10)
    check(token.encode() not in out + err, "the token never appears in the player's output")


def scenario(c, rx, peer):
    prepare(c)
    c.start()
    phone(c, rx)
    tablet(c, rx)
    stranger(c, rx)
    load(c, rx)
    c.keys("Escape")
    c.quit()
    player(c, rx)


if __name__ == "__main__":
    if not webdriver.available():
        print("e2e: skipped: needs chromium and chromium-driver", file=sys.stderr)
        sys.exit(77)
    sys.exit(run(scenario))
