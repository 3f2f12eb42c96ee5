#!/usr/bin/env python3
"""A small HTTP server on 127.0.0.1 for the download tests.

  /file/<n>   200, n bytes of a repeating pattern
  /empty      200, no body
  /missing    404 with a short page
  /error      500 with a short page
  /drop       200 announcing 1000 bytes, sends 10, then closes the connection
  /reset      closes the connection without an answer
  /stall      200 announcing 1000 bytes, sends 10, then sends nothing for a minute
"""
import argparse
import http.server
import socketserver
import time


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
        if path.startswith("/file/"):
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
        elif path == "/stall":
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
    args = parser.parse_args()
    Server(("127.0.0.1", args.port), Handler).serve_forever()


if __name__ == "__main__":
    main()
