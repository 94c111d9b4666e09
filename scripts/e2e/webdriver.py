"""Headless Chromium driven through chromedriver's WebDriver protocol, for
the end-to-end scenarios of the browser remote. Runs only inside the
scenarios' private network namespace; each browser gets a fresh profile and
is started without any of its own network services."""
import base64
import json
import os
import shutil
import socket
import subprocess
import tempfile
import time
import urllib.request

CHROME_FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                "--disable-component-update", "--disable-sync", "--no-first-run", "--disable-dev-shm-usage",
                "--disable-default-apps", "--disable-extensions", "--no-default-browser-check"]


def available():
    return shutil.which("chromium") and shutil.which("chromedriver")


class Browser:
    """One browser (its own profile and chromedriver) with a device's
    viewport: width x height CSS pixels, touch on."""

    def __init__(self, width, height, touch=True):
        self.profile = tempfile.mkdtemp(prefix="prismel_chromium_")
        with socket.socket() as s:
            s.bind(("127.0.0.1", 0))
            self.port = s.getsockname()[1]
        self.driver = subprocess.Popen(["chromedriver", "--port=%d" % self.port, "--allowed-ips=127.0.0.1"],
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.base = "http://127.0.0.1:%d" % self.port
        for _ in range(100):
            try:
                if self._call("GET", "/status")["ready"]:
                    break
            except OSError:
                time.sleep(0.1)
        options = {"binary": shutil.which("chromium"),
                   "args": CHROME_FLAGS + ["--user-data-dir=" + self.profile],
                   "mobileEmulation": {"deviceMetrics": {"width": width, "height": height, "pixelRatio": 1.0,
                                                         "touch": touch}}}
        caps = {"capabilities": {"alwaysMatch": {"browserName": "chrome", "goog:chromeOptions": options}}}
        self.session = self._call("POST", "/session", caps)["sessionId"]

    def _call(self, method, path, body=None):
        data = json.dumps(body).encode() if body is not None else None
        req = urllib.request.Request(self.base + path, data=data, method=method,
                                     headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(req, timeout=30) as r:
                return json.loads(r.read())["value"]
        except urllib.error.HTTPError as e:
            raise RuntimeError("webdriver %s %s: %s" % (method, path, e.read()[:300]))

    def _s(self, method, path, body=None):
        return self._call(method, "/session/%s%s" % (self.session, path), body)

    def get(self, url):
        self._s("POST", "/url", {"url": url})

    def find(self, css):
        """The element's id, or None."""
        found = self._s("POST", "/elements", {"using": "css selector", "value": css})
        return list(found[0].values())[0] if found else None

    def click(self, css):
        element = self.find(css)
        if element is None:
            raise RuntimeError("no element %s" % css)
        self._s("POST", "/element/%s/click" % element, {})

    def type(self, css, text):
        self._s("POST", "/element/%s/value" % self.find(css), {"text": text})

    def script(self, js, *args):
        return self._s("POST", "/execute/sync", {"script": js, "args": list(args)})

    def text(self, css):
        return self.script("return document.querySelector(arguments[0])?.textContent;", css)

    def cookies(self):
        return self._s("GET", "/cookie")

    def wait(self, js, timeout=5.0, *args):
        """Waits until the script returns something true; returns it, or None."""
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            value = self.script(js, *args)
            if value:
                return value
            time.sleep(0.05)
        return None

    def screenshot(self, path):
        """The whole page, beyond the viewport."""
        w, h = self.script("return [document.documentElement.scrollWidth, document.documentElement.scrollHeight];")
        clip = {"x": 0, "y": 0, "width": w, "height": h, "scale": 1}
        shot = self._s("POST", "/goog/cdp/execute", {"cmd": "Page.captureScreenshot", "params": {
            "format": "png", "captureBeyondViewport": True, "clip": clip}})
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def quit(self):
        try:
            self._call("DELETE", "/session/%s" % self.session)
        except Exception:
            pass
        self.driver.terminate()
        try:
            self.driver.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.driver.kill()
        shutil.rmtree(self.profile, ignore_errors=True)
