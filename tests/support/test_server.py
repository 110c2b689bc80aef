#!/usr/bin/python3
"""The download server of the online tests, on 127.0.0.1 and a free port (or --port).

Prints "PORT <n>" once listening, then one line "GET <path>" per request it answers.
Modes:
  normal          both files, as given by --site-text and --banner
  not_found       404 for everything
  banner_missing  the site text, then 404 for the banner
  slow            like normal, each answer after --delay seconds
  reset           closes every connection abruptly (TCP reset) without answering
  huge_declared   a 200 announcing and sending a body past the program's limits
  huge_streamed   the same body, with no length, ended by closing the connection
  redirect_file   302 to a file:// address
  redirect_http   302 to the same paths under /moved, which are answered as in normal
  truncated       a 200 announcing the whole file and sending half of it
  cut             a 200 with no length sending half the file, ended by closing the connection
  garbage         a 200 with noise: behind a GIF header for the banner, control bytes for the site
  day             one answer after another from --cycle, in turn: good (as normal) or any of
                  slow, reset, not_found, truncated, cut, garbage
Standard library only.
"""
import argparse
import os
import random
import socket
import struct
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

SITE = "/download/Test01/Site.eff"
BANNER = "/download/Test01/Pub.gif"
HUGE = 3 * 1024 * 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--mode", default="normal")
    parser.add_argument("--site-text", default="https://site.tirelix.example/\r\n")
    parser.add_argument("--banner", help="file served as the banner")
    parser.add_argument("--delay", type=float, default=1.0)
    parser.add_argument("--port", type=int, default=0, help="0: a free one")
    parser.add_argument("--cycle", default="good", help="the answers of the day mode, by commas")
    parser.add_argument("--end-with-stdin", action="store_true",
                        help="exit when standard input closes")
    args = parser.parse_args()
    banner = open(args.banner, "rb").read() if args.banner else b"GIF89a"
    site = args.site_text.encode("utf-8", "surrogateescape")
    cycle = args.cycle.split(",")
    answered = [0]
    count_lock = threading.Lock()

    class Handler(BaseHTTPRequestHandler):
        protocol_version = "HTTP/1.1"
        # Headers and body go out as two writes: without this each answer waits for the
        # client's delayed acknowledgement, some 40 ms.
        disable_nagle_algorithm = True

        def log_message(self, *_):
            pass

        def send_body(self, status, body, content_type="application/octet-stream",
                      length=None, send=None):
            try:
                self.send_response(status)
                self.send_header("Content-Type", content_type)
                if length != "none":
                    self.send_header("Content-Length", str(len(body) if length is None else length))
                self.send_header("Connection", "close")
                self.end_headers()
                self.wfile.write(body if send is None else body[:send])
            except OSError:
                pass  # the client gave up (a slow answer past its time limit)

        def content(self, path):
            if path.startswith("/moved"):
                path = path[len("/moved"):]
            if path == SITE:
                return site
            if path == BANNER and args.mode != "banner_missing":
                return banner
            return None

        def do_GET(self):
            print("GET " + self.path, flush=True)
            mode = args.mode
            self.close_connection = True
            if mode == "day":
                with count_lock:
                    n = answered[0]
                    answered[0] += 1
                mode = cycle[n % len(cycle)]
                if mode == "good":
                    mode = "normal"
            if mode == "reset":
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                           struct.pack("ii", 1, 0))
                self.connection.close()
                return
            if mode == "slow":
                time.sleep(args.delay)
            if mode == "not_found":
                self.send_body(404, b"<html>Not Found</html>", "text/html")
            elif mode in ("truncated", "cut") and self.content(self.path) is not None:
                body = self.content(self.path)
                self.send_body(200, body, length=None if mode == "truncated" else "none",
                               send=len(body) // 2)
            elif mode == "garbage":
                noise = random.Random(self.path).randbytes(4090)
                self.send_body(200, b"GIF89a" + noise if self.path == BANNER
                               else b"\x01\x02" + noise[:40])
            elif mode == "huge_declared":
                self.send_response(200)
                self.send_header("Content-Length", str(HUGE))
                self.end_headers()
                self.stream_huge()
            elif mode == "huge_streamed":
                self.send_response(200)
                self.send_header("Connection", "close")
                self.end_headers()
                self.stream_huge()
            elif mode == "redirect_file" or (mode == "redirect_http"
                                             and not self.path.startswith("/moved")):
                target = ("file:///etc/hostname" if mode == "redirect_file"
                          else "/moved" + self.path)
                self.send_response(302)
                self.send_header("Location", target)
                self.send_header("Content-Length", "0")
                self.send_header("Connection", "close")
                self.end_headers()
            else:
                body = self.content(self.path)
                if body is None:
                    self.send_body(404, b"<html>Not Found</html>", "text/html")
                else:
                    self.send_body(200, body)

        def stream_huge(self):
            chunk = b"x" * 65536
            try:
                for _ in range(HUGE // len(chunk)):
                    self.wfile.write(chunk)
            except OSError:
                pass  # the client gave up, as it should

    # The test that started us holds our standard input: when it ends, even by a crash, so do we.
    def end_with_parent():
        while sys.stdin.buffer.read(4096):
            pass
        os._exit(0)

    if args.end_with_stdin:
        threading.Thread(target=end_with_parent, daemon=True).start()
    server = ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    print("PORT %d" % server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    sys.exit(main())
