#!/usr/bin/env python3
"""Loopback peers for the socket library tests, run on Linux beside the Wine test program.

reset PORT   connect to 127.0.0.1:PORT, send b"x", wait for b"go", then reset the connection
"""
import socket
import struct
import sys


def reset(port):
    s = socket.create_connection(("127.0.0.1", port), timeout=10)
    s.sendall(b"x")
    s.settimeout(10)
    s.recv(2)
    s.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER, struct.pack("ii", 1, 0))
    s.close()


def main():
    mode, port = sys.argv[1], int(sys.argv[2])
    if mode == "reset":
        reset(port)
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
