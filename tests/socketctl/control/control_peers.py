#!/usr/bin/env python3
"""Loopback peers for the control tests, run on Linux beside the Wine test program.

answer PORT TEXT [SOURCE]
                   connect to 127.0.0.1:PORT (retried for up to 10 seconds), from the local
                   address SOURCE when given, send TEXT, then answer every piece of data received
                   with b"got:" and that data, until the other side closes the connection (at
                   most 30 seconds)
"""
import socket
import sys
import time


def connect(port, source=None):
    deadline = time.time() + 10
    while True:
        try:
            bind = (source, 0) if source else None
            return socket.create_connection(("127.0.0.1", port), timeout=30, source_address=bind)
        except OSError:
            if time.time() > deadline:
                raise
            time.sleep(0.05)


def answer(port, text, source=None):
    with connect(port, source) as s:
        s.sendall(text.encode("latin-1"))
        try:
            while True:
                data = s.recv(4096)
                if not data:
                    break
                s.sendall(b"got:" + data)
        except OSError:
            pass


def main():
    mode = sys.argv[1]
    if mode == "answer":
        answer(int(sys.argv[2]), sys.argv[3], sys.argv[4] if len(sys.argv) > 4 else None)
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
