#!/usr/bin/env python3
"""A TCP client peer on 127.0.0.1 for tests of listening sockets.

--port P      the port to connect to (retried for up to 10 seconds until it listens)
--send TEXT   the text to send once connected
Then keeps the connection open until the other side closes it (at most 30 seconds).
"""
import argparse
import socket
import time


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, required=True)
    ap.add_argument("--send", default="")
    a = ap.parse_args()
    deadline = time.time() + 10
    while True:
        try:
            conn = socket.create_connection(("127.0.0.1", a.port), timeout=30)
            break
        except OSError:
            if time.time() > deadline:
                raise
            time.sleep(0.05)
    with conn:
        if a.send:
            conn.sendall(a.send.encode("latin-1"))
        try:
            while conn.recv(4096):
                pass
        except OSError:
            pass


if __name__ == "__main__":
    main()
