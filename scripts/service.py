#!/usr/bin/env python3
"""A stand-in for the maker's web service, on loopback only, for tests and trying things by hand.

    scripts/service.py [--port N] [--ver TEXT | --no-ver]

POST /ZRPost.ashx takes the zlib-compressed UTF-8 JSON request
    {"LGKey": ..., "command": "RUN", "m_Parame": {"ClassFullName", "FunctionName", "m_Parame"}}
and answers with a zlib-compressed UTF-8 JSON reply {"bOK", "sMsg", "command", "m_ReturnOBJ"}.

Classes and functions it knows:
  CoreSYS.SYS / StartApp  the check-in: "Ver" and the fourteen pane addresses, served here
  Test / Echo             m_ReturnOBJ is the request's parameter
  Test / Reply            the parameter {"text": ...} is sent back verbatim as the reply document
  Test / Slow             waits {"seconds": S} before answering with {"tag": T} ({"group": G})
  Test / Status           answers with HTTP status {"status": N}
  Test / Short            announces more bytes than it sends
  Test / Huge             announces a reply above ten megabytes
  Test / Bomb             a small body that inflates beyond the ten-megabyte limit
GET /pane/NAME serves a small page for each pane; GET /last gives the last request as JSON
(its inflated body and raw header lines); GET /stats/GROUP the most Slow calls of that group ever answered at once;
POST /control with {"ver": TEXT or null, "startapp": TEXT} changes the check-in's answer.
With --port 0 (the default) a free port is chosen; the port is printed on the first line.
"""
import argparse
import base64
import http.server
import json
import sys
import threading
import time
import zlib

PANES = ["MainHtml", "BuyHtml", "NetKuHtml", "TopHtml", "YingHtml", "ChengHtml", "PrintHtml", "NewHtml",
         "XiuLineHtml", "AddLineHtml", "PlaceHtml", "EmfHtml", "PrintSelHtml", "FuHaoHtml"]
REPLY_LIMIT = 10485760


class State:
    def __init__(self, ver):
        self.lock = threading.Lock()
        self.ver = ver
        self.startapp = None  # raw reply text replacing the check-in's answer
        self.last = None
        self.active = {}  # per group of Slow calls: how many are being answered now
        self.most = {}


class RecordingReader:
    """Keeps the raw header lines that the HTTP parser reads."""

    def __init__(self, inner):
        self.inner = inner
        self.lines = []
        self.in_headers = True

    def readline(self, *args):
        line = self.inner.readline(*args)
        if self.in_headers:
            self.lines.append(line)
            if line in (b"\r\n", b"\n", b""):
                self.in_headers = False
        return line

    def read(self, *args):
        return self.inner.read(*args)

    def __getattr__(self, name):
        return getattr(self.inner, name)


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"
    server_version = "ZRService/1.0"

    def setup(self):
        super().setup()
        self.rfile = RecordingReader(self.rfile)

    def log_message(self, *args):
        pass

    def handle_one_request(self):
        self.rfile.lines = []
        self.rfile.in_headers = True
        super().handle_one_request()

    @property
    def state(self):
        return self.server.state

    def send_bytes(self, status, body, content_type="application/octet-stream", length=None):
        self.send_response(status)
        self.send_header("Content-Type", content_type)
        self.send_header("Content-Length", str(len(body) if length is None else length))
        self.end_headers()
        self.wfile.write(body)

    def reply(self, document, status=200):
        text = document if isinstance(document, str) else json.dumps(document, ensure_ascii=False,
                                                                      separators=(",", ":"))
        self.send_bytes(status, zlib.compress(text.encode("utf-8")))

    def base(self):
        host, port = self.server.server_address[:2]
        return "http://%s:%d" % (host, port)

    def do_GET(self):
        if self.path.startswith("/pane/"):
            name = self.path[len("/pane/"):]
            page = ("<!DOCTYPE html><html><head><meta charset='utf-8'><title>%s</title></head>"
                    "<body style='font-family:sans-serif;background:#fdf6ec'><h2>Brenmark</h2>"
                    "<p>Pane page <b>%s</b> from the reference service.</p></body></html>") % (name, name)
            self.send_bytes(200, page.encode("utf-8"), "text/html; charset=utf-8")
        elif self.path == "/last":
            with self.state.lock:
                last = self.state.last or {}
            self.send_bytes(200, json.dumps(last).encode(), "application/json")
        elif self.path.startswith("/stats/"):
            group = self.path[len("/stats/"):]
            with self.state.lock:
                most = self.state.most.get(group, 0)
            self.send_bytes(200, json.dumps({"most": most}).encode(), "application/json")
        else:
            self.send_bytes(404, b"not found", "text/plain")

    def read_body(self):
        length = int(self.headers.get("Content-Length", "0"))
        return self.rfile.read(length) if length > 0 else b""

    def do_POST(self):
        raw_headers = [line.decode("latin-1") for line in self.rfile.lines[1:]]
        body = self.read_body()
        if self.path == "/control":
            change = json.loads(body or b"{}")
            with self.state.lock:
                if "ver" in change:
                    self.state.ver = change["ver"]
                if "startapp" in change:
                    self.state.startapp = change["startapp"]
            self.send_bytes(200, b"{}", "application/json")
            return
        if self.path != "/ZRPost.ashx":
            # Anything else echoes the uncompressed body back, for posting JSON directly.
            self.send_bytes(200, body, "application/json")
            return
        try:
            text = zlib.decompress(body).decode("utf-8")
        except (zlib.error, UnicodeDecodeError):
            self.send_bytes(400, b"bad body", "text/plain")
            return
        with self.state.lock:
            self.state.last = {"body": text, "headers": raw_headers,
                               "body_base64": base64.b64encode(body).decode()}
        self.answer(json.loads(text))

    def answer(self, request):
        inner = request.get("m_Parame") or {}
        cls, fn, param = inner.get("ClassFullName"), inner.get("FunctionName"), inner.get("m_Parame")
        param = param if isinstance(param, dict) else {}
        if (cls, fn) == ("CoreSYS.SYS", "StartApp"):
            with self.state.lock:
                ver, raw = self.state.ver, self.state.startapp
            if raw is not None:
                self.reply(raw)
                return
            result = {name: "%s/pane/%s" % (self.base(), name) for name in PANES}
            if ver is not None:
                result["Ver"] = ver
            self.reply({"bOK": True, "sMsg": "", "command": "RUN", "m_ReturnOBJ": result})
        elif cls != "Test":
            self.reply({"bOK": False, "sMsg": "unknown class %s" % cls, "command": "RUN"})
        elif fn == "Echo":
            self.reply({"bOK": True, "sMsg": "echo", "command": "RUN", "m_ReturnOBJ": inner.get("m_Parame")})
        elif fn == "Reply":
            self.reply(param.get("text", ""))
        elif fn == "Slow":
            group = str(param.get("group", ""))
            with self.state.lock:
                self.state.active[group] = self.state.active.get(group, 0) + 1
                self.state.most[group] = max(self.state.most.get(group, 0), self.state.active[group])
            time.sleep(float(param.get("seconds", 1)))
            with self.state.lock:
                self.state.active[group] -= 1
            self.reply({"bOK": True, "sMsg": "", "command": "RUN", "m_ReturnOBJ": param.get("tag", 0)})
        elif fn == "Status":
            self.reply({"bOK": True, "sMsg": "", "m_ReturnOBJ": 1}, status=int(param.get("status", 500)))
        elif fn == "Short":
            body = zlib.compress(b'{"bOK":true,"m_ReturnOBJ":1}')
            self.send_bytes(200, body[:-4], length=len(body))
            self.close_connection = True
        elif fn == "Huge":
            self.send_bytes(200, b"", length=REPLY_LIMIT + 1)
            self.close_connection = True
        elif fn == "Bomb":
            self.send_bytes(200, zlib.compress(b"{" + b" " * REPLY_LIMIT + b"}"))
        else:
            self.reply({"bOK": False, "sMsg": "unknown function %s" % fn, "command": "RUN"})


def main():
    parser = argparse.ArgumentParser(description="Reference web service on loopback.")
    parser.add_argument("--port", type=int, default=0)
    parser.add_argument("--ver", default="5.0")
    parser.add_argument("--no-ver", action="store_true", help="leave Ver out of the check-in answer")
    args = parser.parse_args()
    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Handler)
    server.daemon_threads = True
    server.state = State(None if args.no_ver else args.ver)
    print(server.server_address[1], flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass
    sys.exit(0)


if __name__ == "__main__":
    main()
