#!/usr/bin/env python3
"""A TCP peer on 127.0.0.1 that listens with the smallest queue and never accepts: once one
connection waits in its queue, further connects get no answer (their handshakes are dropped).

--port P      the port to listen on (0: a free one); the first output line names it,
              "silent peer on 127.0.0.1:<port>"
"""
import argparse
import socket
import time


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--port", type=int, required=True)
    a = ap.parse_args()
    srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind(("127.0.0.1", a.port))
    srv.listen(0)
    print("silent peer on 127.0.0.1:%d" % srv.getsockname()[1], flush=True)
    while True:
        time.sleep(3600)


if __name__ == "__main__":
    main()
