#!/usr/bin/env python3
"""TLS peers for the secure socket tests, run on Linux beside the Wine test program.

serve PORT CERT KEY [CIPHERS] [ASK]
    A TLS 1.2 server on 127.0.0.1:PORT (until killed), one thread per connection; PORT 0
    binds a free port, and the first output line names it ("TLS peer on 127.0.0.1:<port>");
    CIPHERS "-" keeps the defaults, ASK "ask" requests a client certificate issued by
    tls/ca.pem (optional: the handshake goes on without one). After the handshake it sends
    b"hello" in the same segment as its last handshake message, then answers each record the
    client sends:
      b"split:" + data  the data back as one record sent in two segments 0.4 s apart
      b"big:" + N       N bytes (i * 7 & 255) back, as records of up to 16 KB
      b"last?"          b"clean" or b"abrupt": how the connection accepted before this one
                        ended, once it has (b"open" when it has not within 10 s)
      b"who?"           the subject of the client's certificate, or b"nobody"
      b"bye"            a close notification, then the connection is closed
      anything else     echoed back as one record
client PORT CA
    Connects to 127.0.0.1:PORT, runs a TLS handshake against CA and sends b"ping"; exit
    status 0 when the handshake succeeded, 1 when it failed.
"""
import os
import socket
import ssl
import sys
import threading
import time

# How each connection ended, by its number in the order of acceptance; 0 stands before the first.
ends = threading.Condition()
ended = {0: b"none"}


def flush(sock, outgoing):
    data = outgoing.read()
    if data:
        sock.sendall(data)


def handshake(sock, obj, incoming, outgoing):
    while True:
        try:
            obj.do_handshake()
            return True
        except ssl.SSLWantReadError:
            flush(sock, outgoing)
            data = sock.recv(65536)
            if not data:
                return False
            incoming.write(data)
        except (ssl.SSLError, OSError):
            try:
                flush(sock, outgoing)
            except OSError:
                pass
            return False


def answer(sock, obj, outgoing, record, number):
    if record.startswith(b"split:"):
        obj.write(record[6:])
        data = outgoing.read()
        half = len(data) // 2
        sock.sendall(data[:half])
        time.sleep(0.4)
        sock.sendall(data[half:])
    elif record.startswith(b"big:"):
        size = int(record[4:])
        payload = bytes((i * 7) & 0xFF for i in range(size))
        for at in range(0, size, 16384):
            obj.write(payload[at:at + 16384])
        flush(sock, outgoing)
    elif record == b"last?":
        with ends:
            ends.wait_for(lambda: number - 1 in ended, timeout=10)
            obj.write(ended.get(number - 1, b"open"))
        flush(sock, outgoing)
    elif record == b"who?":
        peer = obj.getpeercert()
        names = [value for part in peer.get("subject", ()) for key, value in part if key == "commonName"] if peer else []
        obj.write(names[0].encode() if names else b"nobody")
        flush(sock, outgoing)
    elif record == b"bye":
        try:
            obj.unwrap()
        except ssl.SSLError:
            pass
        flush(sock, outgoing)
        return False
    else:
        obj.write(record)
        flush(sock, outgoing)
    return True


def close_after_the_client(sock):
    """Half-closes, then reads and drops what comes until the client closes (at most 10 s): the
    client has read everything sent to it before the socket goes, and nothing it sent late is
    answered with a reset."""
    try:
        sock.shutdown(socket.SHUT_WR)
        sock.settimeout(10)
        while sock.recv(65536):
            pass
    except OSError:
        pass
    sock.close()


def session(sock, context, number):
    incoming, outgoing = ssl.MemoryBIO(), ssl.MemoryBIO()
    obj = context.wrap_bio(incoming, outgoing, server_side=True)
    end = b"abrupt"
    try:
        if not handshake(sock, obj, incoming, outgoing):
            return
        obj.write(b"hello")
        flush(sock, outgoing)
        going = True
        while going:
            data = sock.recv(65536)
            if not data:
                break
            incoming.write(data)
            while going:
                try:
                    record = obj.read(65536)
                except ssl.SSLWantReadError:
                    break
                except ssl.SSLZeroReturnError:
                    end = b"clean"
                    going = False
                    break
                if not record:
                    # An empty read is the client's close notification.
                    end = b"clean"
                    going = False
                    break
                going = answer(sock, obj, outgoing, record, number)
    except (ssl.SSLError, OSError):
        pass
    finally:
        with ends:
            ended[number] = end
            ends.notify_all()
        close_after_the_client(sock)


def serve(port, cert, key, ciphers, ask):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
    context.maximum_version = ssl.TLSVersion.TLSv1_2
    context.load_cert_chain(cert, key)
    if ciphers and ciphers != "-":
        context.set_ciphers(ciphers)
    if ask == "ask":
        context.load_verify_locations(os.path.join(os.path.dirname(cert), "ca.pem"))
        context.verify_mode = ssl.CERT_OPTIONAL
    listener = socket.socket()
    listener.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
    listener.bind(("127.0.0.1", port))
    listener.listen(8)
    print("TLS peer on 127.0.0.1:%d" % listener.getsockname()[1], flush=True)
    number = 0
    while True:
        sock, _ = listener.accept()
        number += 1
        threading.Thread(target=session, args=(sock, context, number), daemon=True).start()


def client(port, ca):
    context = ssl.SSLContext(ssl.PROTOCOL_TLS_CLIENT)
    context.load_verify_locations(ca)
    deadline = time.time() + 10
    while True:
        try:
            raw = socket.create_connection(("127.0.0.1", port), timeout=10)
            break
        except OSError:
            if time.time() > deadline:
                sys.exit(1)
            time.sleep(0.05)
    try:
        with context.wrap_socket(raw, server_hostname="localhost") as tls:
            tls.sendall(b"ping")
            tls.recv(16)
    except (ssl.SSLError, OSError):
        sys.exit(1)
    sys.exit(0)


def main():
    mode, port = sys.argv[1], int(sys.argv[2])
    if mode == "serve":
        serve(port, sys.argv[3], sys.argv[4], sys.argv[5] if len(sys.argv) > 5 else "",
              sys.argv[6] if len(sys.argv) > 6 else "")
    elif mode == "client":
        client(port, sys.argv[3])
    else:
        sys.exit("unknown mode " + mode)


if __name__ == "__main__":
    main()
