#!/usr/bin/env python3
"""A throwaway RFC 3161 time-stamp server on 127.0.0.1 for the signing tests.

Usage: timestamp_server.py FOLDER PORT_FILE
FOLDER holds ts.cnf and the authority's certificate and key, as `openssl ts -reply`
reads them. The server writes the port it listens on into PORT_FILE and answers:
  POST /          the time stamp openssl makes for the request
  POST /refuse    HTTP 500
  POST /garbage   an HTML page, status 200
It serves until killed.
"""
import http.server
import os
import subprocess
import sys
import tempfile

folder, port_file = sys.argv[1], sys.argv[2]


class Handler(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        request = self.rfile.read(int(self.headers.get("Content-Length", "0")))
        if self.path == "/refuse":
            self.send_error(500, "refused for the test")
            return
        if self.path == "/garbage":
            self.answer(b"<html>not a time stamp</html>", "text/html")
            return
        with tempfile.TemporaryDirectory() as work:
            query = os.path.join(work, "request.tsq")
            reply = os.path.join(work, "reply.tsr")
            with open(query, "wb") as out:
                out.write(request)
            made = subprocess.run(
                ["openssl", "ts", "-reply", "-config", "ts.cnf", "-queryfile", query, "-out", reply],
                cwd=folder, capture_output=True)
            if made.returncode != 0:
                self.send_error(500, "openssl ts failed")
                return
            with open(reply, "rb") as answer:
                self.answer(answer.read(), "application/timestamp-reply")

    def answer(self, body, kind):
        self.send_response(200)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        self.wfile.write(body)

    def log_message(self, *args):
        pass


server = http.server.HTTPServer(("127.0.0.1", 0), Handler)
with open(port_file + ".part", "w") as out:
    out.write(str(server.server_address[1]))
os.replace(port_file + ".part", port_file)
server.serve_forever()
