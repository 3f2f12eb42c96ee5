#!/usr/bin/env python3
"""The scripted Skirmora game server for tests and development, on 127.0.0.1.

It accepts the client's TCP connection on --port, cuts what the client sends into frames
(Chr(27), command, Chr(0), data, Chr(0), Chr(1)), records every frame, and answers from a
script. A second loopback port (--control-port) lets a test drive it, one JSON object per
line each way (port 0, for either: a free port the server binds itself; its first output line
names both ports, "Skirmora test server on 127.0.0.1:<port>, control port <port>"):
  {"cmd": "send", "frames": [["c", "Server", "hello", "0"]]}  frames in the server's format
  {"cmd": "raw", "data": "<latin-1 text>"}                    bytes exactly as given
  {"cmd": "frames"}            -> {"ok": true, "frames": [["!", "user", "pass", ...], ...]}
  {"cmd": "clear"}             forget the recorded frames
  {"cmd": "close"}             drop the client's connection
  {"cmd": "script", "script": {...}}  replace the script
  {"cmd": "status"}            -> {"ok": true, "connected": bool, "connections": n, "frames": n}
  {"cmd": "burst", "frames": [...], "count": n, "then": [...]}  n frames taken in turn from
                               "frames", then those of "then", sent at once from a thread of
                               their own (the answer does not wait for the client to read them)
  {"cmd": "burst", ..., "close": true}  the same, and the connection dropped after them
  {"cmd": "stream", "frames": [...], "seconds": s, "then": [...]}  "frames" over and over for s
                               seconds, as fast as the client takes them, then those of "then",
                               from a thread of their own; "status" tells "streaming" (bool, true
                               from the request on), "streamed" (frames sent so far),
                               "streamed_u" (of them "U" frames), "stream_ms" (how long the
                               last stream ran) and "longest_send_ms" (the longest the client
                               held one send of it back)
  {"cmd": "random", "count": n, "seed": s}  n random frames of every server letter (or of
                               those of "letters" only)
A script is a JSON object (the default is demo.json beside this file):
  "on_connect": [frame, ...]  sent when a client connects;
  "on": {key: [frame, ...]}   sent when a client frame arrives whose command is key, or whose
      command and data start with key as "C:quit" (command, colon, data prefix). In reply
      frames "{field0}", "{field1}", ... stand for that field of the client's frame. The
      pseudo-frame ["close"] drops the connection.
  "player": {"x": .., "y": .., "index": .., "level": ..}  the client's own player: its move
      requests ("m" with "&north&east&" and the like) are answered, step by step, by clearing
      the square left ("C") and the new own position ("P").
  "timeline": {"once": [[seconds, frame, ...], ...],
               "loop": {"period": seconds, "events": [[seconds, frame, ...], ...],
                        "until": seconds}}
      frames sent at those times after the login ("!"), the loop over and over for as long as
      the connection lasts (or its rounds that begin before "until"); --rate N plays them N
      times as fast.
In every frame sent after the login, "{user}" stands for the name the client logged in with.
"""
import argparse
import json
import os
import random
import socket
import sys
import threading
import time

FIELD = "\x00"
END = "\x01"
START = "\x1b"
HERE = os.path.dirname(os.path.abspath(__file__))


def load_script(path):
    with open(path, encoding="utf-8") as f:
        return json.load(f)


DEMO_SCRIPT = load_script(os.path.join(HERE, "demo.json"))

STEPS = {"north": (0, -1), "south": (0, 1), "east": (1, 0), "west": (-1, 0)}

# Random fields for the server letters, in shapes that raise no modal box in the client (a box
# waits for a person) and with no notice that makes the client quit.
FIELD_POOL = ["-1", "0", "1", "2", "7", "12", "149", "150", "1e9", "32768", "-32769", "x", "", "1e39",
              "2.5", "-0.5", "ID", "W", "L", "None", "Zero", "a:b:c", "a~b~c", "1;2", "..\\m", "CON",
              "0:0:0:0:0:0:0", "[1]x:1:1\r[9]y:2:2", "http://x y", "\x7f\xff", "n:1;m:2:3:4:5:6:7"]
QUIET_NOTICES = [n for n in range(0, 62) if n not in (29, 48, 49)]
RANDOM_LETTERS = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ?"


def random_frame(rng, letters=RANDOM_LETTERS):
    letter = rng.choice(letters)
    fields = [rng.choice(FIELD_POOL) for _ in range(rng.randrange(0, 7))]
    if letter == "c":
        text = rng.choice(FIELD_POOL + ["Contents of your locker:\r\n[1] x"])
        fields = [rng.choice(FIELD_POOL), text, str(rng.randrange(0, 12))]
    elif letter == "a":
        fields = ["0;" + rng.choice(FIELD_POOL)]
    elif letter == "t":
        fields = ["1"] + fields
    elif letter == "P":
        fields = [rng.choice(FIELD_POOL) for _ in range(4 + rng.randrange(0, 2))]
    elif letter == "M":
        fields = [str(rng.choice(QUIET_NOTICES))] + fields[:3]
    elif letter == "?":
        fields = ["ID", "r%d" % rng.randrange(100), rng.choice(FIELD_POOL)]
    return [letter] + fields


def encode_frame(frame):
    """A server frame: Chr(27), the letter, Chr(0), the fields joined by Chr(0), Chr(1)."""
    letter, fields = frame[0], frame[1:]
    return (START + letter + FIELD + FIELD.join(fields) + END).encode("latin-1")


def split_client_frames(buffer):
    """Whole client frames cut off buffer (bytes or a bytearray): ([(command, [fields])], rest)."""
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


def fill(frame, values):
    out = []
    for item in frame:
        for name, value in values.items():
            item = item.replace("{%s}" % name, value)
        out.append(item)
    return out


class Session:
    """What the server keeps of one connection: the login name and the own player."""

    def __init__(self, conn, script):
        self.conn = conn
        self.user = ""
        player = script.get("player") or {}
        self.player = dict(player) if player else None
        self.closed = threading.Event()


class GameServer:
    def __init__(self, port, script, record_path=None, rate=1.0):
        self.script = script
        self.record_path = record_path
        self.rate = rate if rate > 0 else 1.0
        self.frames = []
        self.lock = threading.Lock()
        self.dropped = set()  # connections ended by the server, read until the client closes
        self.client = None
        self.connections = 0
        self.streaming, self.streamed = False, 0
        self.streamed_u, self.stream_ms, self.longest_send_ms = 0, 0, 0
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
        values = {"field%d" % i: f for i, f in enumerate(fields)}
        return [fill(frame, values) for frame in frames]

    def send_frames(self, session, frames):
        for frame in frames:
            if frame == ["close"]:
                self.drop(session.conn)
                return
            self.send(encode_frame(fill(frame, {"user": session.user})), session.conn)

    def stream(self, conn, req):
        """Sends the frames over and over for the given seconds: a send blocks while the client
        reads no more, so the client's pace sets how many go."""
        frames = [encode_frame(f) for f in req["frames"]]
        chunk, count, u = b"", 0, 0
        while len(chunk) < 65536:
            chunk += frames[count % len(frames)]
            u += req["frames"][count % len(frames)][0] == "U"
            count += 1
        # A small send buffer: what the connection holds beyond the client's own backlog stays
        # small, so that the client works it down soon after the stream ends.
        try:
            conn.setsockopt(socket.SOL_SOCKET, socket.SO_SNDBUF, 65536)
        except OSError:
            pass
        started = time.monotonic()
        until = started + float(req.get("seconds", 1))
        try:
            while time.monotonic() < until:
                before = time.monotonic()
                conn.sendall(chunk)
                took = int((time.monotonic() - before) * 1000)
                with self.lock:
                    self.streamed += count
                    self.streamed_u += u
                    self.longest_send_ms = max(self.longest_send_ms, took)
            conn.sendall(b"".join(encode_frame(f) for f in req.get("then", [])))
        except OSError:
            pass
        with self.lock:
            self.streaming = False
            self.stream_ms = int((time.monotonic() - started) * 1000)

    def drop(self, conn):
        """Ends the connection as a server closing it does: the client reads the end of the
        stream (a FIN, not a reset), and what it still sends is read and ignored until it closes
        its side; closing with unread data would reset the connection instead."""
        with self.lock:
            if self.client is conn:
                self.client = None
            self.dropped.add(conn)
        try:
            conn.shutdown(socket.SHUT_WR)
        except OSError:
            pass
        timer = threading.Timer(10.0, self.close_quietly, args=(conn,))
        timer.daemon = True
        timer.start()

    def close_quietly(self, conn):
        try:
            conn.close()
        except OSError:
            pass

    def walk(self, session, steps):
        """Answers a move request: each step word moves the own player one square (wrapping)."""
        p = session.player
        out = []
        for word in steps.split("&"):
            if word not in STEPS:
                continue
            out.append(["C", str(p["x"]), str(p["y"]), "0"])
            p["x"] = (p["x"] + STEPS[word][0]) % 150
            p["y"] = (p["y"] + STEPS[word][1]) % 150
            out.append(["P", str(p["x"]), str(p["y"]), str(p["index"]), str(p["level"])])
        self.send_frames(session, out)

    def play_timeline(self, session):
        timeline = self.script.get("timeline") or {}
        started = time.monotonic()

        def wait_until(at):
            delay = started + at / self.rate - time.monotonic()
            return not session.closed.wait(delay) if delay > 0 else not session.closed.is_set()

        loop = timeline.get("loop") or {}
        period = float(loop.get("period", 0)) if loop.get("events") else 0
        until = float(loop.get("until", 0))
        # The first round holds the events played once; the loop's rounds follow one another.
        rounds = 0
        pending = list(timeline.get("once", []))
        while True:
            if period > 0 and until and rounds * period >= until:
                period = 0
            if period > 0:
                pending += [[rounds * period + e[0]] + e[1:] for e in loop.get("events", [])]
            elif not pending:
                return
            pending.sort(key=lambda e: e[0])
            for event in pending:
                if not wait_until(event[0]):
                    return
                self.send_frames(session, event[1:])
            pending = []
            rounds += 1

    def serve_client(self, conn):
        session = Session(conn, self.script)
        self.send_frames(session, self.script.get("on_connect", []))
        buffer = bytearray()
        while True:
            try:
                chunk = conn.recv(65536)
            except OSError:
                chunk = b""
            if not chunk:
                break
            with self.lock:
                if conn in self.dropped:
                    continue  # dropped: read to the end, nothing kept
            buffer += chunk
            # Only a chunk with a frame's end completes one: a long frame is not searched again
            # with each of its parts.
            if END.encode() not in chunk:
                continue
            frames, buffer = split_client_frames(buffer)
            buffer = bytearray(buffer)
            for command, fields in frames:
                with self.lock:
                    self.frames.append([command] + fields)
                if self.record_path:
                    with open(self.record_path, "a", encoding="utf-8") as f:
                        f.write(json.dumps([command] + fields) + "\n")
                if command == "!" and not session.user:
                    session.user = fields[0]
                    threading.Thread(target=self.play_timeline, args=(session,), daemon=True).start()
                self.send_frames(session, self.replies_for(command, fields))
                if command == "m" and session.player:
                    self.walk(session, fields[0])
        session.closed.set()
        with self.lock:
            if self.client is conn:
                self.client = None
            self.dropped.discard(conn)
        self.close_quietly(conn)

    def control(self, req):
        cmd = req.get("cmd")
        if cmd == "send":
            ok = all(self.send(encode_frame(f)) for f in req.get("frames", []))
            return {"ok": ok}
        if cmd == "raw":
            return {"ok": self.send(req.get("data", "").encode("latin-1"))}
        if cmd == "burst":
            frames = [encode_frame(f) for f in req.get("frames", [])]
            count = int(req.get("count", len(frames)))
            data = b"".join(frames[i % len(frames)] for i in range(count)) if frames else b""
            data += b"".join(encode_frame(f) for f in req.get("then", []))
            with self.lock:
                conn = self.client

            def send_all():
                if self.send(data, conn) and req.get("close"):
                    self.drop(conn)
            threading.Thread(target=send_all, daemon=True).start()
            return {"ok": conn is not None, "bytes": len(data)}
        if cmd == "stream":
            with self.lock:
                conn = self.client
            if conn is None or not req.get("frames"):
                return {"ok": False}
            # Streaming from the request on: a status asked before the thread's first send sees it.
            with self.lock:
                self.streaming, self.streamed = True, 0
                self.streamed_u, self.stream_ms, self.longest_send_ms = 0, 0, 0
            threading.Thread(target=self.stream, args=(conn, req), daemon=True).start()
            return {"ok": True}
        if cmd == "random":
            rng = random.Random(req.get("seed", 0))
            letters = req.get("letters") or RANDOM_LETTERS
            data = b"".join(encode_frame(random_frame(rng, letters)) for _ in range(int(req.get("count", 1))))
            return {"ok": self.send(data)}
        if cmd == "frames":
            with self.lock:
                return {"ok": True, "frames": list(self.frames)}
        if cmd == "clear":
            with self.lock:
                self.frames.clear()
            return {"ok": True}
        if cmd == "close":
            with self.lock:
                conn = self.client
            if conn is not None:
                self.drop(conn)
            return {"ok": True}
        if cmd == "script":
            self.script = req.get("script", {})
            return {"ok": True}
        if cmd == "status":
            with self.lock:
                return {"ok": True, "connected": self.client is not None,
                        "connections": self.connections, "frames": len(self.frames),
                        "streaming": self.streaming, "streamed": self.streamed,
                        "streamed_u": self.streamed_u, "stream_ms": self.stream_ms,
                        "longest_send_ms": self.longest_send_ms}
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
    ap.add_argument("--port", type=int, default=10001, help="0: a free port")
    ap.add_argument("--control-port", type=int, help="none: no control port; 0: a free port")
    ap.add_argument("--script", help="JSON script file (default: demo.json beside this file)")
    ap.add_argument("--record", help="append every client frame to this file, one JSON list a line")
    ap.add_argument("--rate", type=float, default=1.0, help="play the timeline this many times as fast")
    a = ap.parse_args(argv)
    script = load_script(a.script) if a.script else DEMO_SCRIPT
    server = GameServer(a.port, script, a.record, a.rate)
    line = "Skirmora test server on 127.0.0.1:%d" % server.port
    if a.control_port is not None:
        line += ", control port %d" % serve_control(server, a.control_port)
    print(line, flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        return 0


if __name__ == "__main__":
    sys.exit(main())
