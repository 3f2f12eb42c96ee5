"""Tests of the scripted test server: frames both ways, the script, the control port."""
import json
import os
import re
import socket
import subprocess
import sys
import threading
import time
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import server  # noqa: E402


def client_frame(cmd, data):
    return ("\x1b" + cmd + "\x00" + data + "\x00\x01").encode("latin-1")


def read_frames(sock, count, timeout=5.0):
    sock.settimeout(timeout)
    data = b""
    while data.count(b"\x01") < count:
        chunk = sock.recv(4096)
        if not chunk:
            break
        data += chunk
    return data


class ServerTest(unittest.TestCase):
    def setUp(self):
        self.srv = server.GameServer(0, server.DEMO_SCRIPT)
        threading.Thread(target=self.srv.serve_forever, daemon=True).start()
        self.ctl_port = server.serve_control(self.srv, 0)

    def control(self, req):
        with socket.create_connection(("127.0.0.1", self.ctl_port), timeout=5) as c:
            c.sendall((json.dumps(req) + "\n").encode())
            return json.loads(c.makefile("rb").readline())

    def connect(self):
        return socket.create_connection(("127.0.0.1", self.srv.port), timeout=5)

    def test_login_is_recorded_and_answered_by_the_script(self):
        with self.connect() as c:
            c.sendall(client_frame("!", "robin\x00secret\x00123\x00203"))
            data = read_frames(c, 11)  # through the welcome line
        self.assertIn(b"\x1bv\x0010\x00500\x000\x000\x01", data)
        self.assertIn(b"\x1bL\x001\x001\x00robin\x0010\x01", data)
        self.assertIn(b"robin.", data)
        frames = self.control({"cmd": "frames"})["frames"]
        self.assertEqual(frames, [["!", "robin", "secret", "123", "203"]])

    def test_frames_split_across_reads_and_joined_in_one(self):
        with self.connect() as c:
            whole = client_frame("C", "look") + client_frame("n", "1")
            c.sendall(whole[:3])
            time.sleep(0.05)
            c.sendall(whole[3:])
            deadline = time.time() + 5
            while time.time() < deadline and len(self.control({"cmd": "frames"})["frames"]) < 2:
                time.sleep(0.02)
        self.assertEqual(self.control({"cmd": "frames"})["frames"], [["C", "look"], ["n", "1"]])

    def test_control_sends_frames_and_closes(self):
        with self.connect() as c:
            deadline = time.time() + 5
            while not self.control({"cmd": "status"})["connected"] and time.time() < deadline:
                time.sleep(0.02)
            self.assertTrue(self.control({"cmd": "send", "frames": [["M", "18", "1"]]})["ok"])
            self.assertEqual(read_frames(c, 1), b"\x1bM\x0018\x001\x01")
            self.assertTrue(self.control({"cmd": "raw", "data": "\x1bx\x00\x01"})["ok"])
            self.assertEqual(read_frames(c, 1), b"\x1bx\x00\x01")
            burst = self.control({"cmd": "burst", "frames": [["V", "x"], ["V", "1e10"]], "count": 3,
                                  "then": [["U"]]})
            self.assertEqual(burst["bytes"], 22)
            self.assertEqual(read_frames(c, 4), b"\x1bV\x00x\x01\x1bV\x001e10\x01\x1bV\x00x\x01\x1bU\x00\x01")
            self.control({"cmd": "close"})
            c.settimeout(5)
            self.assertEqual(c.recv(10), b"")

    def test_moves_are_walked_and_quit_closes(self):
        with self.connect() as c:
            c.sendall(client_frame("m", "&north&west&") + client_frame("C", "quit"))
            data = read_frames(c, 4) + c.recv(100)
        self.assertEqual(data, b"".join(server.encode_frame(f) for f in [
            ["C", "12", "12", "0"], ["P", "12", "11", "1", "10"], ["C", "12", "11", "0"], ["P", "11", "11", "1", "10"]]))

    def test_timeline_plays_after_the_login_at_its_rate_with_the_name(self):
        self.srv.rate = 10
        self.srv.script = {"timeline": {"once": [[1.0, ["c", "{user}", "once", "0"]]],
                                        "loop": {"period": 2.0, "events": [[0.5, ["B", "1"]]]}}}
        with self.connect() as c:
            c.sendall(client_frame("!", "robin\x00pw"))
            started = time.monotonic()
            data = read_frames(c, 4)
            took = time.monotonic() - started
        self.assertEqual(data, b"".join(server.encode_frame(f) for f in [
            ["B", "1"], ["c", "robin", "once", "0"], ["B", "1"], ["B", "1"]]))
        self.assertTrue(0.4 < took < 1.5, took)

    def test_random_frames_are_whole_and_spare_the_box_and_quit_shapes(self):
        rng = server.random.Random(5)
        frames = [server.random_frame(rng) for _ in range(3000)]
        self.assertEqual({f[0] for f in frames}, set(server.RANDOM_LETTERS))
        self.assertFalse([f for f in frames if f[0] == "M" and f[1] in ("29", "48", "49")])
        self.assertFalse([f for f in frames if f[0] == "P" and len(f) < 5])
        with self.connect() as c:
            deadline = time.time() + 5
            while not self.control({"cmd": "status"})["connected"] and time.time() < deadline:
                time.sleep(0.02)
            self.assertTrue(self.control({"cmd": "random", "count": 500, "seed": 1})["ok"])
            self.assertEqual(read_frames(c, 500).count(b"\x1b"), 500)

    def test_ports_bound_by_the_server_are_named_and_a_long_frame_comes_in_many_parts(self):
        script = os.path.join(os.path.dirname(os.path.abspath(__file__)), "server.py")
        proc = subprocess.Popen([sys.executable, script, "--port", "0", "--control-port", "0"], stdout=subprocess.PIPE)
        try:
            line = proc.stdout.readline().decode().strip()
            named = re.fullmatch(r"Skirmora test server on 127\.0\.0\.1:(\d+), control port (\d+)", line)
            self.assertTrue(named, line)
            game, ctl = int(named.group(1)), int(named.group(2))
            long_data = "".join(chr(ord("a") + i % 26) for i in range(300000))
            with socket.create_connection(("127.0.0.1", game), timeout=5) as c:
                whole = client_frame("C", long_data) + client_frame("n", "after")
                for i in range(0, len(whole), 1000):
                    c.sendall(whole[i:i + 1000])
                with socket.create_connection(("127.0.0.1", ctl), timeout=5) as k:
                    f = k.makefile("rwb")
                    deadline = time.time() + 30
                    status = {}
                    while time.time() < deadline and status.get("frames", 0) < 2:
                        f.write(b'{"cmd": "status"}\n'), f.flush()
                        status = json.loads(f.readline())
                    f.write(b'{"cmd": "frames"}\n'), f.flush()
                    self.assertEqual(json.loads(f.readline())["frames"], [["C", long_data], ["n", "after"]])
        finally:
            proc.kill()
            proc.wait()

    def test_bad_control_request_answers(self):
        self.assertFalse(self.control({"cmd": "nonsense"})["ok"])
        with socket.create_connection(("127.0.0.1", self.ctl_port), timeout=5) as c:
            c.sendall(b"not json\n")
            self.assertFalse(json.loads(c.makefile("rb").readline())["ok"])


if __name__ == "__main__":
    unittest.main()
