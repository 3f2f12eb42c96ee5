#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 for the download tests.

  /file/<n>   200, n bytes of a repeating pattern
  /empty      200, no body
  /missing    404 with a short page
  /error      500 with a short page
  /drop       200 announcing 1000 bytes, sends 10, then closes the connection
  /reset      closes the connection without an answer
  /stall...   200 announcing 1000 bytes, sends 10, then sends nothing for a minute
  /silent...  reads the request and answers nothing for a minute
  /maps/<n>   with --root DIR: 200 with the bytes of the file DIR/<n> (n percent-decoded, a plain
              file name), 404 when there is none; a name that begins with "silent" is read and
              answered nothing for a minute
With --log FILE every request's path is appended to FILE, one line each, before it is answered.
With --port 0 it binds a free port itself; its first output line names the port, "HTTP files on
127.0.0.1:<port>".
"""
import argparse
import http.server
import socketserver
import os
import time
import urllib.parse


def pattern(n):
    unit = b"0123456789abcdefghijklmnopqrstuvwxyz\r\n"
    return (unit * (n // len(unit) + 1))[:n]


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, length=None):
        self.send_response(status)
        self.send_header("Content-Type", "application/octet-stream")
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)
        self.wfile.flush()

    def do_GET(self):
        path = self.path
        if self.server.log:
            with open(self.server.log, "a", encoding="latin-1") as f:
                f.write(path + "\n")
        if path.startswith("/maps/") and self.server.root:
            name = urllib.parse.unquote(path[len("/maps/"):], encoding="latin-1")
            full = os.path.join(self.server.root, name)
            if name.startswith("silent"):
                time.sleep(60)
            elif "/" in name or name in ("", ".", "..") or not os.path.isfile(full):
                self.reply(404, b"")
            else:
                with open(full, "rb") as f:
                    self.reply(200, f.read())
        elif path.startswith("/file/"):
            self.reply(200, pattern(int(path[len("/file/"):])))
        elif path == "/empty":
            self.reply(200, b"")
        elif path == "/missing":
            self.reply(404, b"<html>Not Found</html>")
        elif path == "/error":
            self.reply(500, b"<html>Server Error</html>")
        elif path == "/drop":
            self.reply(200, b"0123456789", length=1000)
            self.close_connection = True
        elif path == "/reset":
            self.close_connection = True
            self.connection.close()
        elif path.startswith("/silent"):
            time.sleep(60)
        elif path.startswith("/stall"):
            self.reply(200, b"0123456789", length=1000)
            time.sleep(60)
        else:
            self.reply(404, b"")


class Server(socketserver.ThreadingMixIn, http.server.HTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--port", type=int, required=True)
    parser.add_argument("--root", help="folder served under /maps/")
    parser.add_argument("--log", help="file the request paths are appended to")
    args = parser.parse_args()
    server = Server(("127.0.0.1", args.port), Handler)
    server.root, server.log = args.root, args.log
    print("HTTP files on 127.0.0.1:%d" % server.server_address[1], flush=True)
    server.serve_forever()


if __name__ == "__main__":
    main()
