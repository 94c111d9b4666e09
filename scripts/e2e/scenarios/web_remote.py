#!/usr/bin/env python3
"""The browser remote, from phones and tablets (headless Chromium).

The console runs with WebPort 8080, a WebPin and the veth interface as its
lighting interface. A phone-sized browser gets the PIN page, is refused with
a wrong PIN and gets the remote with the right one (cue names in CP932, the
presets, 64 swatches). GO puts cue 1 on the wire; a cue tapped in the list
plays only after its confirmation, and the swatches follow its chase. A
browser without the session gets no state. Measured: a tap on GO to the
first ArtDmx with the cue (30 taps), and the output's rate with 20 sockets
open. Last, the headless player's remote with the PIN it printed.
"""
import os
import struct
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from console import check, fixture_levels, frame_has, run  # noqa: E402
import webdriver  # noqa: E402

HOST, PORT, PIN = "2.0.0.1", 8080, "246810"
FIXTURES = 16
RED, GREEN, BLUE = (255, 255, 0), (255, 0, 255), (0, 255, 255)  # (Y, M, C)
SHOTS = os.environ.get("PRISMEL_WEB_SHOTS")  # where the pages' screenshots go, when set


def cp932(text, size):
    return text.encode("cp932").ljust(size, b"\0")[:size]


def prepare(c):
    c.init_show()
    for f in range(FIXTURES):
        c.put_record("LPT", f, struct.pack("<hh", 1, 4 * f))
    for i, (name, ymc) in enumerate([("RED", RED), ("GRN", GREEN), ("BLU", BLUE)]):
        c.put_record("COL", 400 + i, cp932(name, 6) + bytes(ymc))
    for i, (name, colour) in enumerate([("表ソ能", 400), ("緑", 401), ("青", 402), ("StepA", 400), ("StepB", 402)]):
        c.put_record("SCN", i, cp932(name, 21) + struct.pack("<64h", *([colour] * FIXTURES + [-1] * 48)) +
                     bytes([255] * FIXTURES + [0] * 48))
    for i, name in enumerate(["走る", "Fade"]):
        c.put_record("CHS", i, cp932(name, 21) + bytes([2]) + struct.pack("<48h", 3, 4, *([-1] * 46)))
    # number, scene, scene cross, chase, rate, chase cross (durations in 50 ms)
    for i, cue in enumerate([(10, 0, 0, -1, 20, 0), (20, 1, 0, -1, 20, 0), (30, 2, 0, -1, 20, 0),
                             (40, -1, 0, 0, 6, 0), (50, -1, 0, 1, 50, 50)]):
        c.put_record("CUE", i, struct.pack("<8h", *cue, 0, 0))
    c.put_record("FKY", 0, cp932("表示", 8) + struct.pack("<4h", 1, 1, 0, 20))
    c.put_record("FKY", 1, cp932("ﾁｪｲｽ", 8) + struct.pack("<4h", 2, 0, 0, 20))
    with open(c.path("prismel.INI"), "w") as f:
        f.write("[Option]\nWebPort=%d\nWebPin=%s\nOutputInterface=pe2e0\n" % (PORT, PIN))


def shot(b, name):
    if SHOTS:
        os.makedirs(SHOTS, exist_ok=True)
        b.screenshot(os.path.join(SHOTS, "web_%s.png" % name))


def is_page(b, kind):
    return b.wait("return document.querySelector('meta[name=prismel-page]')?.content === arguments[0];", 5, kind)


def log_in(b, pin, url="http://%s:%d/" % (HOST, PORT)):
    b.get(url)
    check(is_page(b, "pin"), "the PIN page first")
    b.type("#pin", pin)
    b.click("#login")


def on_wire(rx, ymc, since, what, port=0):
    got = rx.wait_for(lambda p, d: p == port and frame_has(fixture_levels(ymc, fixtures=FIXTURES))(p, d), 3.0, since)
    check(got is not None, what + "; last frame %s" % rx.last()[2][:16].hex())
    return got


def phone(c, rx):
    b = webdriver.Browser(375, 812)
    try:
        log_in(b, "000000")
        check(b.wait("return !!document.querySelector('#error');") and not b.cookies(), "a wrong PIN is refused")
        shot(b, "phone_wrong_pin")
        log_in(b, PIN)
        check(is_page(b, "remote"), "the remote after the right PIN")
        cookie = [k for k in b.cookies() if k["name"] == "prismel_session"]
        check(cookie and cookie[0]["httpOnly"] and cookie[0].get("sameSite") == "Strict", "an HttpOnly, strict cookie")
        check(b.wait("return document.querySelectorAll('#cues li').length === 5;"), "five cues listed")
        names = b.script("return [...document.querySelectorAll('#cues li .name')].map(e => e.textContent);")
        check(names[:4] == ["表ソ能", "緑", "青", "走る"], "the cue names in UTF-8: %s" % names)
        check(b.text("#fkey0 span") == "表示" and b.text("#fkey1 span") == "ﾁｪｲｽ", "the preset labels")
        check(b.script("return document.querySelectorAll('.fx').length;") == 64, "64 swatches")
        check(b.text("#cue-num") == "STANDBY" and b.text("#next-name") == "表ソ能", "standby, cue 1 next")

        since = rx.last()[0]
        b.click("#go")
        on_wire(rx, RED, since, "GO puts cue 1 on the wire")
        check(b.wait("return document.querySelector('#cue-name').textContent === '表ソ能';"), "cue 1 shown as current")
        shot(b, "phone_cue1")

        since = rx.last()[0]
        b.click("#cues li[data-n='40']")
        check(b.wait("return document.querySelector('#confirm').classList.contains('open');"), "a confirmation first")
        shot(b, "phone_confirm")
        time.sleep(0.5)
        check(rx.last()[2][:4] == bytes([255, 255, 0, 255]), "nothing played before the confirmation")
        b.click("#confirm-yes")
        on_wire(rx, BLUE, since, "the chase's second step on the wire")
        b.script("window.__messages = 0; socket.addEventListener('message', () => window.__messages++);")
        seen, end = set(), time.monotonic() + 2.0
        while time.monotonic() < end:
            seen.add(b.script("return document.querySelector('#fx1').style.background;"))
        count = b.script("return window.__messages;")
        check({"rgb(255, 0, 0)", "rgb(0, 0, 255)"} <= seen, "the swatches follow the chase: %s" % seen)
        check(5 <= count <= 21, "at most ten state messages a second (%d in 2 s)" % count)

        b.script("document.querySelector('#go').addEventListener('click',"
                 " e => { window.__tap = performance.timeOrigin + e.timeStamp; });")
        latencies = []
        for _ in range(10):
            b.click("#standby")
            time.sleep(0.25)
            for ymc in (RED, GREEN, BLUE):
                since = rx.last()[0]
                b.click("#go")
                got = on_wire(rx, ymc, since, "a tapped GO on the wire")
                latencies.append((got[0] + time.time() - time.monotonic()) * 1000 - b.script("return window.__tap;"))
                time.sleep(0.25)
        latencies.sort()
        print("web: tap on GO to the first ArtDmx with the cue over 30 taps: p50 %.1f ms, p99 %.1f ms (max)"
              % (latencies[15], latencies[-1]))
        check(latencies[-1] < 500, "a tap reaches the wire promptly")
        load(b, rx)
    finally:
        b.quit()


def load(b, rx):
    """The output's rate while a fading chase changes every frame, without
    and with 20 more sockets of the session reading every state message."""
    b.click("#cues li[data-n='50']")
    b.click("#confirm-yes")

    def rate(seconds):
        n0 = rx.count()
        time.sleep(seconds)
        with rx.lock:
            times = [p[0] for p in rx.packets[n0:] if p[1] == 0]
        return (len(times) - 1) / (times[-1] - times[0]), max(b - a for a, b in zip(times, times[1:])) * 1000

    time.sleep(1.0)
    alone = rate(5.0)
    b.script("window.__n = []; window.__open = 0; for (let i = 0; i < 20; i++) { const s = new WebSocket("
             "'ws://' + location.host + '/ws'); window.__n.push(0); s.onopen = () => window.__open++;"
             " s.onmessage = () => window.__n[i]++; }")
    check(b.wait("return window.__open === 20;"), "20 more sockets open")
    time.sleep(1.0)
    before = b.script("return window.__n;")
    loaded = rate(10.0)
    per_socket = [(n - m) / 10.0 for n, m in zip(b.script("return window.__n;"), before)]
    print("web: output %.2f frames/s (longest gap %.1f ms) with no browser; %.2f frames/s (longest gap %.1f ms) "
          "with 21 sockets, each getting %.1f-%.1f state messages/s" % (*alone, *loaded, min(per_socket),
                                                                      max(per_socket)))
    check(loaded[0] > 45.0, "the output keeps its rate with 21 sockets")
    check(5.0 <= min(per_socket) and max(per_socket) <= 10.1, "at most ten state messages a second to each")


def others(c, rx):
    """A tablet, and a browser that never gave the PIN."""
    b = webdriver.Browser(820, 1180)
    try:
        log_in(b, PIN)
        check(b.wait("return document.querySelectorAll('#cues li').length === 5;"), "the remote on a tablet")
        check(b.script("return document.querySelector('#col-b').getBoundingClientRect().left > 300;"), "two columns")
        shot(b, "tablet")
    finally:
        b.quit()
    b = webdriver.Browser(375, 812)
    try:
        b.get("http://%s:%d/" % (HOST, PORT))
        check(is_page(b, "pin"), "the PIN page for a browser without the session")
        b.script("window.__got = 0; const s = new WebSocket('ws://%s:%d/ws'); s.onopen = () => window.__got = 100;"
                 "s.onmessage = () => window.__got++;" % (HOST, PORT))
        time.sleep(1.5)
        check(b.script("return window.__got;") == 0, "no state over a WebSocket without the session")
    finally:
        b.quit()


def player(c, rx):
    """prismel-show play --web-port without --web-pin: the PIN it printed
    logs a browser in, and its GO reaches the wire (universe 1)."""
    proc = subprocess.Popen([c.path("prismel-show"), "play", c.folder, "--universe", "1", "--web-port", "8081",
                             "--seconds", "30"], stdin=subprocess.PIPE, stderr=subprocess.PIPE, env=c.env)
    b = webdriver.Browser(375, 812)
    try:
        line = ""
        while "PIN " not in line and proc.poll() is None:
            line = proc.stderr.readline().decode()
        pin = line.rsplit("PIN ", 1)[-1].strip()
        check(len(pin) == 6 and pin.isdigit(), "the player printed the PIN it made: %s" % line)
        log_in(b, pin, "http://127.0.0.1:8081/")
        check(is_page(b, "remote") and b.wait("return document.querySelectorAll('#cues li').length === 5;"),
              "the player's remote")
        since = rx.last()[0]
        b.click("#go")
        on_wire(rx, RED, since, "GO from the player's remote on the wire", port=1)
        token = [k["value"] for k in b.cookies() if k["name"] == "prismel_session"][0]
    finally:
        b.quit()
        proc.terminate()
        err = proc.communicate(timeout=10)[1]
    check(token.encode() not in err, "the token never appears in the player's output")


def scenario(c, rx, peer):
    prepare(c)
    c.start()
    phone(c, rx)
    others(c, rx)
    c.keys("Escape")
    c.quit()
    player(c, rx)


if __name__ == "__main__":
    if not webdriver.available():
        print("e2e: skipped: needs chromium and chromium-driver", file=sys.stderr)
        sys.exit(77)
    sys.exit(run(scenario))
