#!/usr/bin/python3
"""The download server of the online tests, on 127.0.0.1: prints "PORT <n>", then "GET <path>"
for each request; ends when its standard input closes. Standard library only."""
# --mode, or with --mode day each answer in turn from --cycle (good: normal):
#   normal          both files, as given by --site-text and --banner
#   not_found       404 for everything
#   banner_missing  the site text, then 404 for the banner
#   slow            like normal, each answer after --delay seconds
#   reset           closes every connection abruptly (TCP reset) without answering
#   huge_declared   a 200 announcing and sending a body past the program's limits
#   huge_streamed   the same body, with no length, ended by closing the connection
#   redirect_file   302 to a file:// address
#   redirect_http   302 to the same path under /moved, answered as in normal
#   truncated       a 200 announcing the whole file and sending half of it
#   cut             a 200 with no length sending half the file, ended by closing the connection
#   garbage         a 200 with noise: behind a GIF header for the banner, control bytes else
import itertools, os, random, socket, struct, sys, threading, time  # noqa: E401
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer

SITE, BANNER = "/download/Test01/Site.eff", "/download/Test01/Pub.gif"
HUGE = 3 * 1024 * 1024

# Options as "--name value" pairs; --site-text, --banner (a file), --delay, --cycle.
opts = {"--mode": "normal", "--site-text": "https://site.tirelix.example/\r\n", "--delay": "1",
        "--cycle": "good", **dict(zip(sys.argv[1::2], sys.argv[2::2]))}
banner = open(opts["--banner"], "rb").read() if opts.get("--banner") else b"GIF89a"
files = {SITE: opts["--site-text"].encode("utf-8", "surrogateescape"), BANNER: banner}
cycle, cycle_lock = itertools.cycle(opts["--cycle"].split(",")), threading.Lock()


class Handler(BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    # Headers and body go out as two writes: without this each answer waits some 40 ms for the
    # client's delayed acknowledgement.
    disable_nagle_algorithm = True

    def log_message(self, *_):
        pass

    # length: True for the body's own, None for none, else the length announced.
    def answer(self, status, body=b"", length=True, location=None):
        self.send_response(status)
        if location:
            self.send_header("Location", location)
        if length is not None:
            self.send_header("Content-Length", str(len(body) if length is True else length))
        self.send_header("Connection", "close")
        self.end_headers()
        self.wfile.write(body)

    def do_GET(self):
        print("GET " + self.path, flush=True)
        mode = opts["--mode"]
        if mode == "day":
            with cycle_lock:
                mode = next(cycle).replace("good", "normal")
        path = self.path.removeprefix("/moved")
        body = None if mode == "banner_missing" and path == BANNER else files.get(path)
        if mode == "slow":
            time.sleep(float(opts["--delay"]))
        try:
            if mode == "reset":
                self.connection.setsockopt(socket.SOL_SOCKET, socket.SO_LINGER,
                                           struct.pack("ii", 1, 0))
                self.connection.close()
            elif mode.startswith("huge"):
                self.answer(200, length=HUGE if mode == "huge_declared" else None)
                for _ in range(HUGE // 65536):
                    self.wfile.write(b"x" * 65536)
            elif mode.startswith("redirect") and path == self.path:
                self.answer(302, location="file:///etc/hostname" if mode == "redirect_file"
                            else "/moved" + path)
            elif mode == "garbage":
                noise = random.Random(path).randbytes(4090)
                self.answer(200, b"GIF89a" + noise if path == BANNER else b"\x01\x02" + noise[:40])
            elif body is None or mode == "not_found":
                self.answer(404, b"<html>Not Found</html>")
            elif mode in ("truncated", "cut"):
                self.answer(200, body[:len(body) // 2], len(body) if mode == "truncated" else None)
            else:
                self.answer(200, body)
        except OSError:
            pass  # the client gave up, as it should on a slow or a huge answer


# The test that started us holds our standard input: when it ends, even by a crash, so do we.
def end_with_parent():
    while sys.stdin.buffer.read(4096):
        pass
    os._exit(0)


threading.Thread(target=end_with_parent, daemon=True).start()
server = ThreadingHTTPServer(("127.0.0.1", 0), Handler)
print("PORT %d" % server.server_address[1], flush=True)
server.serve_forever()
