#!/usr/bin/env python3
"""The scripted Skirmora game server for tests and development, on 127.0.0.1.

It accepts the client's TCP connection on --port, cuts what the client sends into frames
(Chr(27), command, Chr(0), data, Chr(0), Chr(1)), records every frame, and answers from a
script. A second loopback port (--control-port) lets a test drive it, one JSON object per
line each way:
  {"cmd": "send", "frames": [["c", "Server", "hello", "0"]]}  frames in the server's format
  {"cmd": "raw", "data": "<latin-1 text>"}                    bytes exactly as given
  {"cmd": "frames"}            -> {"ok": true, "frames": [["!", "user", "pass", ...], ...]}
  {"cmd": "clear"}             forget the recorded frames
  {"cmd": "close"}             drop the client's connection
  {"cmd": "script", "script": {...}}  replace the script
  {"cmd": "status"}            -> {"ok": true, "connected": bool, "connections": n}
A script is a JSON object: "on_connect": [frame, ...] sent when a client connects, and
"on": {key: [frame, ...]} sent when a client frame arrives whose command is key, or whose
command and data start with key as "C:quit" (command, colon, data prefix). In reply frames,
the text "{field0}", "{field1}", ... stands for that field of the client's frame.
"""
import argparse
import json
import os
import socket
import sys
import threading

FIELD = "\x00"
END = "\x01"
START = "\x1b"

DEMO_SCRIPT = {
    "on_connect": [],
    "on": {
        "!": [
            ["v", "10", "500", "0", "0"],
            ["L", "1", "1", "{field0}", "10"],
            ["c", "Server", "Welcome to the Skirmora test server, {field0}.", "0"],
        ],
        "C:quit": [],
    },
}


def encode_frame(frame):
    """A server frame: Chr(27), the letter, Chr(0), the fields joined by Chr(0), Chr(1)."""
    letter, fields = frame[0], frame[1:]
    return (START + letter + FIELD + FIELD.join(fields) + END).encode("latin-1")


def split_client_frames(buffer):
    """Whole client frames cut off buffer: ([(command, [fields])], rest)."""
    frames = []
    while True:
        end = buffer.find(END.encode())
        if end < 0:
            return frames, buffer
        piece, buffer = buffer[:end], buffer[end + 1:]
        text = piece.decode("latin-1")
        if len(text) < 2 or text[0] != START:
            continue
        command = text[1]
        data = text[3:] if len(text) > 2 else ""
        if data.endswith(FIELD):
            data = data[:-1]
        frames.append((command, data.split(FIELD)))


class GameServer:
    def __init__(self, port, script, record_path=None):
        self.script = script
        self.record_path = record_path
        self.frames = []
        self.lock = threading.Lock()
        self.client = None
        self.connections = 0
        self.listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.listener.bind(("127.0.0.1", port))
        self.listener.listen(4)
        self.port = self.listener.getsockname()[1]

    def serve_forever(self):
        while True:
            conn, _ = self.listener.accept()
            with self.lock:
                if self.client is not None:
                    try:
                        self.client.close()
                    except OSError:
                        pass
                self.client = conn
                self.connections += 1
            threading.Thread(target=self.serve_client, args=(conn,), daemon=True).start()

    def send(self, data, conn=None):
        with self.lock:
            target = conn or self.client
        if target is None:
            return False
        try:
            target.sendall(data)
            return True
        except OSError:
            return False

    def replies_for(self, command, fields):
        on = self.script.get("on", {})
        data = FIELD.join(fields)
        frames = []
        for key, reply in on.items():
            if ":" in key and len(key) > 1 and key[1] == ":":
                if key[0] == command and data.startswith(key[2:]):
                    frames.extend(reply)
            elif key == command:
                frames.extend(reply)
        out = []
        for frame in frames:
            filled = []
            for item in frame:
                for i, f in enumerate(fields):
                    item = item.replace("{field%d}" % i, f)
                filled.append(item)
            out.append(filled)
        return out

    def serve_client(self, conn):
        for frame in self.script.get("on_connect", []):
            self.send(encode_frame(frame), conn)
        buffer = b""
        while True:
            try:
                chunk = conn.recv(65536)
            except OSError:
                chunk = b""
            if not chunk:
                break
            buffer += chunk
            frames, buffer = split_client_frames(buffer)
            for command, fields in frames:
                with self.lock:
                    self.frames.append([command] + fields)
                if self.record_path:
                    with open(self.record_path, "a", encoding="utf-8") as f:
                        f.write(json.dumps([command] + fields) + "\n")
                for reply in self.replies_for(command, fields):
                    self.send(encode_frame(reply), conn)
        with self.lock:
            if self.client is conn:
                self.client = None
        try:
            conn.close()
        except OSError:
            pass

    def control(self, req):
        cmd = req.get("cmd")
        if cmd == "send":
            ok = all(self.send(encode_frame(f)) for f in req.get("frames", []))
            return {"ok": ok}
        if cmd == "raw":
            return {"ok": self.send(req.get("data", "").encode("latin-1"))}
        if cmd == "frames":
            with self.lock:
                return {"ok": True, "frames": list(self.frames)}
        if cmd == "clear":
            with self.lock:
                self.frames.clear()
            return {"ok": True}
        if cmd == "close":
            with self.lock:
                conn, self.client = self.client, None
            if conn is not None:
                try:
                    conn.shutdown(socket.SHUT_RDWR)
                except OSError:
                    pass
                conn.close()
            return {"ok": True}
        if cmd == "script":
            self.script = req.get("script", {})
            return {"ok": True}
        if cmd == "status":
            with self.lock:
                return {"ok": True, "connected": self.client is not None,
                        "connections": self.connections}
        return {"ok": False, "error": "unknown command"}


def serve_control(server, port):
    ctl = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    ctl.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    ctl.bind(("127.0.0.1", port))
    ctl.listen(8)

    def one(conn):
        with conn:
            f = conn.makefile("rwb")
            for line in f:
                try:
                    reply = server.control(json.loads(line.decode("utf-8")))
                except Exception as exc:  # a bad request answers, never stops the server
                    reply = {"ok": False, "error": str(exc)}
                f.write((json.dumps(reply) + "\n").encode("utf-8"))
                f.flush()

    def loop():
        while True:
            conn, _ = ctl.accept()
            threading.Thread(target=one, args=(conn,), daemon=True).start()

    threading.Thread(target=loop, daemon=True).start()
    return ctl.getsockname()[1]


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--port", type=int, default=10001)
    ap.add_argument("--control-port", type=int, default=0, help="0: no control port")
    ap.add_argument("--script", help="JSON script file (default: the demo script)")
    ap.add_argument("--record", help="append every client frame to this file, one JSON list a line")
    a = ap.parse_args(argv)
    script = DEMO_SCRIPT
    if a.script:
        with open(a.script, encoding="utf-8") as f:
            script = json.load(f)
    server = GameServer(a.port, script, a.record)
    if a.control_port:
        serve_control(server, a.control_port)
    print("Skirmora test server on 127.0.0.1:%d" % server.port, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        return 0


if __name__ == "__main__":
    sys.exit(main())
