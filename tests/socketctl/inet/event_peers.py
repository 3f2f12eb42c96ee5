#!/usr/bin/env python3
"""Loopback peers for the event notification tests, run on Linux beside the Wine test program.

burst PORT SIZE   connect to 127.0.0.1:PORT (retried for up to 10 seconds), send SIZE bytes
                  at once in chunks of 4096, then close the connection gracefully
"""
import socket
import sys
import time


def connect(port):
    deadline = time.time() + 10
    while True:
        try:
            return socket.create_connection(("127.0.0.1", port), timeout=10)
        except OSError:
            if time.time() > deadline:
                raise
            time.sleep(0.05)


def burst(port, size):
    s = connect(port)
    data = bytes((i * 7) & 0xFF for i in range(size))
    for at in range(0, size, 4096):
        s.sendall(data[at:at + 4096])
    s.shutdown(socket.SHUT_WR)
    # Wait for the other side to close (or give up), so the data is never reset away.
    s.settimeout(20)
    try:
        while s.recv(4096):
            pass
    except OSError:
        pass
    s.close()


def main():
    mode = sys.argv[1]
    if mode == "burst":
        burst(int(sys.argv[2]), int(sys.argv[3]))
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
