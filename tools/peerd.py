#!/usr/bin/env python3
"""Starts and stops Linux helper programs (Python peers) for tests that run under Wine.

Wine cannot start a Linux program itself, so a test asks this daemon over a loopback TCP
connection. One request per connection, one JSON object per line each way:
  {"cmd": "start", "script": "tools/x.py", "args": "--port 5000"} -> {"ok": true, "pid": 123}
  {"cmd": "wait", "pid": 123, "timeout_ms": 1000} -> {"ok": true, "running": false, "code": 0}
  {"cmd": "kill", "pid": 123}                         -> {"ok": true}
With "announce": true in a start request the answer waits (up to "timeout_ms", 20 s when not
given) for the program's first line of output and holds it as "line": a server that binds
port 0 itself says there which port it got, so that no other program can take it between a
pick and a bind. A program that ends or says nothing in time is ended and the answer is not ok.
The script path is taken below the project folder; output goes to the daemon's log.
"""
import argparse
import json
import os
import queue
import shlex
import signal
import socket
import subprocess
import sys
import threading
import time

children = {}
lock = threading.Lock()


def handle(conn, root, log):
    with conn:
        data = b""
        while not data.endswith(b"\n"):
            chunk = conn.recv(4096)
            if not chunk:
                break
            data += chunk
        try:
            req = json.loads(data.decode("utf-8"))
            reply = serve(req, root, log)
        except Exception as exc:  # a bad request answers, never ends the daemon
            reply = {"ok": False, "error": str(exc)}
        conn.sendall((json.dumps(reply) + "\n").encode("utf-8"))


def end(proc):
    if proc.poll() is None:
        proc.terminate()
        try:
            proc.wait(timeout=3)
        except subprocess.TimeoutExpired:
            proc.kill()
            proc.wait()
    with lock:
        children.pop(proc.pid, None)


def first_line(proc, log, timeout):
    """The program's first output line (None when it ends or the time is up); the rest of its
    output goes on to the log."""
    lines = queue.Queue()

    def copy():
        lines.put(proc.stdout.readline())
        for chunk in iter(lambda: proc.stdout.read1(4096), b""):
            log.write(chunk)

    threading.Thread(target=copy, daemon=True).start()
    try:
        line = lines.get(timeout=timeout)
    except queue.Empty:
        return None
    return line.decode("latin-1").strip() if line.endswith(b"\n") else None


def serve(req, root, log):
    cmd = req.get("cmd")
    if cmd == "start":
        script = os.path.normpath(os.path.join(root, req["script"]))
        if not script.startswith(root + os.sep) or not os.path.isfile(script):
            return {"ok": False, "error": "no such script: " + req["script"]}
        argv = [sys.executable, script] + shlex.split(req.get("args", ""))
        announce = bool(req.get("announce"))
        proc = subprocess.Popen(argv, stdout=subprocess.PIPE if announce else log, stderr=log,
                                stdin=subprocess.DEVNULL, cwd=req.get("cwd") or root)
        with lock:
            children[proc.pid] = proc
        if not announce:
            return {"ok": True, "pid": proc.pid}
        line = first_line(proc, log, int(req.get("timeout_ms", 20000)) / 1000.0)
        if line is None:
            end(proc)
            return {"ok": False, "error": "no first line from " + req["script"]}
        return {"ok": True, "pid": proc.pid, "line": line}
    pid = int(req.get("pid", 0))
    with lock:
        proc = children.get(pid)
    if proc is None:
        return {"ok": False, "error": "unknown pid"}
    if cmd == "wait":
        deadline = time.monotonic() + int(req.get("timeout_ms", 0)) / 1000.0
        while proc.poll() is None and time.monotonic() < deadline:
            time.sleep(0.01)
        code = proc.poll()
        return {"ok": True, "running": code is None, "code": code if code is not None else -1}
    if cmd == "kill":
        end(proc)
        return {"ok": True}
    return {"ok": False, "error": "unknown command"}


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--root", required=True)
    ap.add_argument("--port-file", required=True)
    ap.add_argument("--log", required=True)
    a = ap.parse_args()
    root = os.path.realpath(a.root)
    log = open(a.log, "ab", buffering=0)
    srv = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    srv.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    srv.bind(("127.0.0.1", 0))
    srv.listen(16)
    with open(a.port_file + ".tmp", "w") as f:
        f.write(str(srv.getsockname()[1]))
    os.replace(a.port_file + ".tmp", a.port_file)

    def stop(*_):
        with lock:
            for p in children.values():
                if p.poll() is None:
                    p.kill()
        os._exit(0)

    signal.signal(signal.SIGTERM, stop)
    signal.signal(signal.SIGINT, stop)
    while True:
        conn, _ = srv.accept()
        threading.Thread(target=handle, args=(conn, root, log), daemon=True).start()


if __name__ == "__main__":
    main()
