#!/usr/bin/env python3
"""Receives Art-Net on UDP 6454 and appends one line per ArtDmx to a file:
the monotonic arrival time, the packet's port-address (SubUni and Net as one
number) and the hex of the frame's slots."""
import socket
import struct
import sys
import time

out = open(sys.argv[1], "a", buffering=1)
sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
sock.bind(("0.0.0.0", 6454))
while True:
    packet = sock.recv(2048)
    now = time.monotonic()
    if len(packet) < 18 or packet[:8] != b"Art-Net\0":
        continue
    if struct.unpack_from("<H", packet, 8)[0] != 0x5000:
        continue
    port_address = struct.unpack_from("<H", packet, 14)[0]
    length = struct.unpack_from(">H", packet, 16)[0]
    data = packet[18:18 + min(length, 512)]
    out.write("%.6f %d %s\n" % (now, port_address, data.hex()))
