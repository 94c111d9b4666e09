"""Driving the console as an operator would, for the end-to-end scenarios.

A Console runs the built program from a scratch copy of its folder under its
own Xvfb display, presses keys through xdotool and reads the show files it
writes; a Receiver follows what the peer namespace's receiver recorded. The
scenarios run inside scripts/e2e/netns.sh, never in the machine's own network
namespace.
"""
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import threading
import time

FIXTURES = 64
RECORDS = {"COL": (500, 9), "SCN": (200, 213), "CHS": (50, 118), "CUE": (1000, 16),
           "LPT": (64, 4), "FKY": (10, 16), "GRP": (10, 64)}


class Failure(Exception):
    pass


def check(condition, what):
    if not condition:
        raise Failure(what)


class Receiver:
    """Follows the receiver's file: one line per ArtDmx with its arrival time,
    port-address and slots."""

    def __init__(self, path):
        self.path = path
        self.lock = threading.Lock()
        self.packets = []  # (time, port_address, data)
        threading.Thread(target=self._follow, daemon=True).start()

    def _follow(self):
        with open(self.path, "r") as f:
            pending = ""
            while True:
                chunk = f.readline()
                if not chunk:
                    time.sleep(0.002)
                    continue
                pending += chunk
                if not pending.endswith("\n"):
                    continue
                parts = pending.split()
                pending = ""
                if len(parts) == 3:
                    with self.lock:
                        self.packets.append((float(parts[0]), int(parts[1]), bytes.fromhex(parts[2])))

    def count(self):
        with self.lock:
            return len(self.packets)

    def last(self):
        with self.lock:
            return self.packets[-1] if self.packets else (0.0, -1, b"")

    def wait_for(self, predicate, timeout, since=0.0):
        """The first packet after `since` for which predicate(port_address,
        data) holds, or None after timeout seconds."""
        end = time.monotonic() + timeout
        seen = 0
        while time.monotonic() < end:
            with self.lock:
                packets = self.packets[seen:]
                seen += len(packets)
            for t, port, data in packets:
                if t >= since and predicate(port, data):
                    return (t, port, data)
            time.sleep(0.01)
        return None


def frame_has(slots):
    """A predicate: the frame carries these levels ({slot: level})."""
    return lambda port, data: all(len(data) > s and data[s] == v for s, v in slots.items())


def fixture_levels(ymc, size=255, fixtures=4):
    """The slots of the first fixtures patched one after another in layout 1
    (the default type): size, M, C, Y on four channels each."""
    y, m, c = ymc
    return {4 * f + k: v for f in range(fixtures) for k, v in enumerate((size, m, c, y))}


class Console:
    """The console from a scratch copy of the build's program folder."""

    def __init__(self, bin_dir, name="prismel_e2e_", accessible=False):
        self.bin_dir = bin_dir
        self.folder = tempfile.mkdtemp(prefix=name)
        for f in ("prismel", "prismel-show", "PRSMDATA.DEF", "PRSMTITL.BMP"):
            src = os.path.join(bin_dir, f)
            if os.path.exists(src):
                shutil.copy2(src, self.folder)
        self.display = ":%d" % (100 + os.getpid() % 150)
        self.env = dict(os.environ, DISPLAY=self.display, PRISMEL_REMOTE_PORT="none")
        self.xvfb = None
        self.proc = None
        self.bus = None
        self.shots = 0
        if accessible:
            # Qt's dialogs on the accessibility bus, read by atspi_tool.py.
            self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"

    # --- the show's files
    def path(self, name):
        return os.path.join(self.folder, name)

    def init_show(self):
        """An initialised show (every table at its defaults) beside the console."""
        subprocess.run([self.path("prismel-show"), "init", self.folder], check=True,
                       stdout=subprocess.DEVNULL, env=self.env)

    def record(self, ext, index):
        count, size = RECORDS[ext]
        with open(self.path("PRSMDATA." + ext), "rb") as f:
            data = f.read()
        check(len(data) == count * size, "PRSMDATA.%s has %d bytes" % (ext, len(data)))
        return data[index * size:(index + 1) * size]

    def put_record(self, ext, index, data):
        """Overwrites one record of a show file (before the console starts)."""
        count, size = RECORDS[ext]
        check(len(data) == size and 0 <= index < count, "a %s record is %d bytes" % (ext, size))
        with open(self.path("PRSMDATA." + ext), "r+b") as f:
            f.seek(index * size)
            f.write(data)

    # --- the program
    def start(self, run_screen=True):
        if not self.xvfb:
            self.xvfb = subprocess.Popen(["Xvfb", self.display, "-screen", "0", "1600x1000x24", "-nolisten", "tcp"],
                                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(1.0)
        if "QT_LINUX_ACCESSIBILITY_ALWAYS_ON" in self.env and not self.bus:
            launcher = "/usr/libexec/at-spi-bus-launcher"
            check(os.path.exists(launcher) and "DBUS_SESSION_BUS_ADDRESS" in self.env,
                  "no session bus or accessibility bus launcher")
            self.bus = subprocess.Popen([launcher, "--launch-immediately"], env=self.env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            time.sleep(1.0)
        self.proc = subprocess.Popen([self.path("prismel")], cwd=self.folder, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        time.sleep(4.0 if run_screen else 1.5)  # the 2.5 s title sequence ends on the run screen
        check(self.proc.poll() is None, "the console ended at start")
        self.xdo("mousemove", "5", "5")

    def xdo(self, *args):
        subprocess.run(["xdotool", *args], env=self.env, check=True, timeout=20)

    def keys(self, *names, pause=0.12):
        """Presses keys one after another (xdotool key names: F1, Escape,
        Return, shift+F1, ...), giving the console time for each."""
        for name in names:
            self.xdo("key", name)
            time.sleep(pause)

    def type(self, text, then="Return"):
        """Types text (into an open one-line input), then presses `then`."""
        time.sleep(0.3)  # the input opens modally
        if text:
            self.xdo("type", "--delay", "40", text)
        if then:
            time.sleep(0.1)
            self.keys(then, pause=0.3)

    def answer_yes(self):
        """The message box's YES: Y selects it, Enter closes."""
        time.sleep(0.4)
        self.keys("y", "Return", pause=0.3)

    def screenshot(self, name):
        out = os.environ.get("PRISMEL_E2E_SHOTS")
        if not out:
            return
        os.makedirs(out, exist_ok=True)
        self.shots += 1
        subprocess.run(["import", "-window", "root", os.path.join(out, "%02d_%s.png" % (self.shots, name))],
                       env=self.env, timeout=20)

    def quit(self):
        """F12 and YES from the main menu: the console ends by itself."""
        self.keys("F12")
        self.answer_yes()
        try:
            code = self.proc.wait(timeout=10)
        except subprocess.TimeoutExpired:
            raise Failure("the console did not end after F12 and YES")
        self.proc = None
        check(code == 0, "the console ended with %d" % code)

    def atspi(self, *args):
        """atspi_tool.py's output for a command on a window of the console."""
        tool = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_tool.py")
        r = subprocess.run(["/usr/bin/python3", tool, *args], env=self.env, capture_output=True, text=True,
                           timeout=30)
        check(r.returncode == 0, "atspi_tool %s: %s" % (" ".join(args), r.stderr.strip()))
        return r.stdout

    def click_at(self, x, y):
        self.xdo("mousemove", str(x), str(y))
        self.xdo("click", "1")
        time.sleep(0.3)

    def stop(self):
        for p in (self.proc, self.bus, self.xvfb):
            if p and p.poll() is None:
                p.send_signal(signal.SIGTERM)
                try:
                    p.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    p.kill()
        self.proc = None
        self.bus = None
        self.xvfb = None

    def cleanup(self):
        self.stop()
        shutil.rmtree(self.folder, ignore_errors=True)


def run(scenario, accessible=False):
    """Runs scenario(console, receiver, peer_pid) with the arguments netns.sh
    passes; prints the failure and returns 1, or 0."""
    bin_dir, lines, peer = sys.argv[1], sys.argv[2], int(sys.argv[3])
    console = Console(bin_dir, accessible=accessible)
    receiver = Receiver(lines)
    try:
        scenario(console, receiver, peer)
        print("e2e: %s passed" % os.path.basename(sys.argv[0]))
        return 0
    except Failure as e:
        console.screenshot("failure")
        print("e2e: %s FAILED: %s" % (os.path.basename(sys.argv[0]), e), file=sys.stderr)
        return 1
    finally:
        console.cleanup()


def unpack(fmt, data, offset=0):
    return struct.unpack_from(fmt, data, offset)
