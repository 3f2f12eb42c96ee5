#!/usr/bin/env python3
"""A TCP echo peer on 127.0.0.1 for tests: echoes every byte back until the peer closes.

--port P      the port to listen on (0: a free one); the first output line names it,
              "echo peer on 127.0.0.1:<port>"
--once        stop after the first connection that carried data ends (a bare
              connect, such as a readiness probe, does not count)
"""
import argparse
import socket
import threading


def serve(conn):
    """Echoes until the peer closes; True when any data went through."""
    carried = False
    with conn:
        while True:
            data = conn.recv(65536)
            if not data:
                return carried
            carried = True
            conn.sendall(data)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, required=True)
    ap.add_argument("--once", action="store_true")
    a = ap.parse_args()
    srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind(("127.0.0.1", a.port))
    srv.listen(8)
    print("echo peer on 127.0.0.1:%d" % srv.getsockname()[1], flush=True)
    while True:
        conn, _ = srv.accept()
        if a.once:
            if serve(conn):
                return
            continue
        threading.Thread(target=serve, args=(conn,), daemon=True).start()


if __name__ == "__main__":
    main()
