#!/usr/bin/env python3
"""A fake Art-Net node for the end-to-end scenarios: it answers every ArtPoll
with an ArtPollReply that names one DMX output port on a given port-address,
and appends a line to a file for each poll it answered.
    fake_node.py OWN_IP SHORT_NAME PORT_ADDRESS LOG"""
import socket
import struct
import sys

own_ip, short_name, port_address, log_path = sys.argv[1], sys.argv[2], int(sys.argv[3], 0), sys.argv[4]
log = open(log_path, "a", buffering=1)


def reply():
    p = bytearray(240)
    p[0:8] = b"Art-Net\0"
    struct.pack_into("<H", p, 8, 0x2100)
    p[10:14] = socket.inet_aton(own_ip)
    struct.pack_into("<H", p, 14, 0x1936)
    p[18] = (port_address >> 8) & 0x7F         # NetSwitch
    p[19] = (port_address >> 4) & 0x0F         # SubSwitch
    name = short_name.encode()[:17]
    p[26:26 + len(name)] = name
    p[44:44 + len(name)] = name
    report = b"#0001 [0000] fake"
    p[108:108 + len(report)] = report
    p[173] = 1                                 # NumPortsLo
    p[174] = 0x80                              # port 1: DMX512 output
    p[190] = port_address & 0x0F               # SwOut of port 1
    return bytes(p)


sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
sock.setsockopt(socket.SOL_SOCKET, socket.SO_BROADCAST, 1)
sock.bind(("0.0.0.0", 6454))
answer = reply()
while True:
    packet, sender = sock.recvfrom(2048)
    if len(packet) < 14 or packet[:8] != b"Art-Net\0" or struct.unpack_from("<H", packet, 8)[0] != 0x2000:
        continue
    if sender[0] == own_ip:
        continue
    sock.sendto(answer, (sender[0], 6454))
    log.write("poll from %s\n" % sender[0])
