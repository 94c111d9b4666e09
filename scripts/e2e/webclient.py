"""A plain HTTP and WebSocket client for the browser remote's scenarios:
logs in with a PIN, opens the state socket with or without a session, sends
actions and reads state messages. Used only inside the scenarios' private
network namespace."""
import base64
import os
import socket
import struct
import urllib.parse


def request(host, port, text, timeout=5.0):
    """Sends raw request bytes; returns (status, headers dict, body)."""
    with socket.create_connection((host, port), timeout=timeout) as s:
        s.sendall(text if isinstance(text, bytes) else text.encode())
        data = b""
        while True:
            try:
                chunk = s.recv(65536)
            except socket.timeout:
                break
            if not chunk:
                break
            data += chunk
            head, _, body = data.partition(b"\r\n\r\n")
            length = [l for l in head.split(b"\r\n") if l.lower().startswith(b"content-length:")]
            if length and len(body) >= int(length[0].split(b":")[1]):
                break
    head, _, body = data.partition(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    status = int(lines[0].split()[1]) if lines and len(lines[0].split()) > 1 else 0
    headers = {}
    for line in lines[1:]:
        name, _, value = line.partition(":")
        headers.setdefault(name.strip().lower(), value.strip())
    return status, headers, body


def login(host, port, pin):
    """The session token for a PIN, or None."""
    body = urllib.parse.urlencode({"pin": pin})
    status, headers, _ = request(host, port, "POST /login HTTP/1.1\r\nHost: %s:%d\r\nContent-Type: "
                                 "application/x-www-form-urlencoded\r\nContent-Length: %d\r\n\r\n%s"
                                 % (host, port, len(body), body))
    cookie = headers.get("set-cookie", "")
    if status != 303 or not cookie.startswith("prismel_session="):
        return None
    return cookie.split(";")[0].split("=", 1)[1]


class Socket:
    """A WebSocket to /ws; status is the handshake's HTTP status."""

    def __init__(self, host, port, token=None, origin=None, timeout=5.0):
        self.sock = socket.create_connection((host, port), timeout=timeout)
        key = base64.b64encode(os.urandom(16)).decode()
        origin = origin or "http://%s:%d" % (host, port)
        head = ("GET /ws HTTP/1.1\r\nHost: %s:%d\r\nUpgrade: websocket\r\nConnection: Upgrade\r\n"
                "Sec-WebSocket-Key: %s\r\nSec-WebSocket-Version: 13\r\nOrigin: %s\r\n" % (host, port, key, origin))
        if token:
            head += "Cookie: prismel_session=%s\r\n" % token
        self.sock.sendall((head + "\r\n").encode())
        self.buf = b""
        while b"\r\n\r\n" not in self.buf:
            chunk = self.sock.recv(4096)
            if not chunk:
                break
            self.buf += chunk
        line = self.buf.split(b"\r\n", 1)[0].split()
        self.status = int(line[1]) if len(line) > 1 else 0
        self.buf = self.buf.partition(b"\r\n\r\n")[2]

    def send(self, payload, opcode=1):
        data = payload.encode() if isinstance(payload, str) else payload
        mask = os.urandom(4)
        if len(data) < 126:
            head = struct.pack("!BB", 0x80 | opcode, 0x80 | len(data))
        elif len(data) < 65536:
            head = struct.pack("!BBH", 0x80 | opcode, 0x80 | 126, len(data))
        else:
            head = struct.pack("!BBQ", 0x80 | opcode, 0x80 | 127, len(data))
        self.sock.sendall(head + mask + bytes(b ^ mask[i % 4] for i, b in enumerate(data)))

    def _need(self, n):
        while len(self.buf) < n:
            chunk = self.sock.recv(65536)
            if not chunk:
                raise EOFError
            self.buf += chunk

    def receive(self):
        """The next message's (opcode, payload); EOFError when closed."""
        self._need(2)
        opcode, length = self.buf[0] & 0x0F, self.buf[1] & 0x7F
        at = 2
        if length == 126:
            self._need(4)
            length, at = struct.unpack("!H", self.buf[2:4])[0], 4
        elif length == 127:
            self._need(10)
            length, at = struct.unpack("!Q", self.buf[2:10])[0], 10
        self._need(at + length)
        payload, self.buf = self.buf[at:at + length], self.buf[at + length:]
        if opcode == 8:
            raise EOFError
        return opcode, payload

    def close(self):
        try:
            self.sock.close()
        except OSError:
            pass
