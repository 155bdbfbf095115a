"""Headless Chromium driven through the DevTools protocol over a pipe
(--remote-debugging-pipe: no network port, no npm package), and a local
web server for the browser build. Shared by the browser test and the web
benchmark."""

import fcntl
import functools
import http.server
import json
import os
import queue
import shutil
import subprocess
import tempfile
import threading
import time


class Server:
    """The build folder served on 127.0.0.1 at a free port, in a thread."""

    def __init__(self, folder):
        handler = functools.partial(_QuietHandler, directory=folder)
        self.httpd = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = "http://127.0.0.1:%d/" % self.httpd.server_address[1]
        threading.Thread(target=self.httpd.serve_forever, daemon=True).start()

    def close(self):
        self.httpd.shutdown()
        self.httpd.server_close()


class _QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map, ".wasm": "application/wasm",
                      ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class BrowserError(Exception):
    pass


def find_chromium():
    for name in ("chromium", "chromium-browser", "google-chrome"):
        path = shutil.which(name)
        if path:
            return path
    raise BrowserError("no Chromium found: run scripts/install-deps --web")


class Browser:
    """One headless browser with one page. Message boxes (window.alert) are
    accepted as they open; their texts collect in `dialogs`."""

    def __init__(self, timeout=30.0):
        self.timeout = timeout
        self.dialogs = []
        self.errors = []
        self.console = []  # the console's errors and warnings, in order
        self._next_id = 0
        self._replies = {}
        self._events = queue.Queue()
        self._profile = tempfile.TemporaryDirectory(prefix="qw-chromium-")
        to_browser_r, to_browser_w = os.pipe()
        from_browser_r, from_browser_w = os.pipe()
        # Chromium reads commands on fd 3 and writes replies on fd 4. Moved
        # above 10 first, so that placing them cannot overwrite one another.
        child_in = fcntl.fcntl(to_browser_r, fcntl.F_DUPFD, 10)
        child_out = fcntl.fcntl(from_browser_w, fcntl.F_DUPFD, 10)
        os.close(to_browser_r)
        os.close(from_browser_w)

        def place_fds():
            os.dup2(child_in, 3)
            os.dup2(child_out, 4)

        args = [find_chromium(), "--headless", "--no-sandbox", "--disable-gpu", "--remote-debugging-pipe",
                "--no-first-run", "--no-default-browser-check", "--disable-extensions",
                "--user-data-dir=" + self._profile.name, "about:blank"]
        self.process = subprocess.Popen(args, stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                        stderr=subprocess.DEVNULL, pass_fds=(3, 4), preexec_fn=place_fds)
        os.close(child_in)
        os.close(child_out)
        self._write = os.fdopen(to_browser_w, "wb", buffering=0)
        self._read = os.fdopen(from_browser_r, "rb", buffering=0)
        self._closed = False
        self._write_lock = threading.Lock()
        self._lock = threading.Lock()
        self._arrived = threading.Condition(self._lock)
        threading.Thread(target=self._reader, daemon=True).start()
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget", {"targetId": target, "flatten": True})["sessionId"]
        self.page("Page.enable")
        self.page("Runtime.enable")
        self.page("Log.enable")

    def close(self):
        try:
            self.call("Browser.close")
        except Exception:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        self._profile.cleanup()

    def _reader(self):
        buffer = b""
        while True:
            chunk = self._read.read(65536)
            if not chunk:
                with self._lock:
                    self._closed = True
                    self._arrived.notify_all()
                return
            buffer += chunk
            while b"\0" in buffer:
                raw, buffer = buffer.split(b"\0", 1)
                message = json.loads(raw)
                if "id" in message:
                    with self._lock:
                        self._replies[message["id"]] = message
                        self._arrived.notify_all()
                else:
                    self._on_event(message)

    def _on_event(self, message):
        method = message.get("method")
        params = message.get("params", {})
        if method == "Page.javascriptDialogOpening":
            self.dialogs.append(params.get("message", ""))
            # Accepted from this thread: the command that opened the box
            # waits for it to close.
            self._send("Page.handleJavaScriptDialog", {"accept": True}, message.get("sessionId"))
        elif method == "Runtime.exceptionThrown":
            self.errors.append(json.dumps(params.get("exceptionDetails", {}))[:500])
        elif method == "Runtime.consoleAPICalled" and params.get("type") in ("error", "warning"):
            self.console.append(" ".join(str(a.get("value", "")) for a in params.get("args", [])))
        elif method == "Log.entryAdded" and params["entry"].get("level") in ("error", "warning"):
            entry = params["entry"]
            self.console.append("%s %s" % (entry.get("text", ""), entry.get("url", "")))

    def _send(self, method, params, session):
        with self._lock:
            self._next_id += 1
            ident = self._next_id
        message = {"id": ident, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        with self._write_lock:
            self._write.write(json.dumps(message).encode() + b"\0")
        return ident

    def call(self, method, params=None, session=None):
        ident = self._send(method, params, session)
        deadline = time.monotonic() + self.timeout
        with self._lock:
            while ident not in self._replies:
                if self._closed:
                    raise BrowserError("the browser closed during " + method)
                left = deadline - time.monotonic()
                if left <= 0:
                    raise BrowserError("no reply to " + method)
                self._arrived.wait(left)
            reply = self._replies.pop(ident)
        if "error" in reply:
            raise BrowserError("%s: %s" % (method, reply["error"].get("message")))
        return reply.get("result", {})

    def page(self, method, params=None):
        return self.call(method, params, self.session)

    def evaluate(self, expression):
        result = self.page("Runtime.evaluate", {"expression": expression, "returnByValue": True,
                                                "awaitPromise": True})
        if "exceptionDetails" in result:
            raise BrowserError("script failed: %s" % json.dumps(result["exceptionDetails"])[:500])
        return result["result"].get("value")

    def viewport(self, width, height, scale=1, mobile=False):
        self.page("Emulation.setDeviceMetricsOverride", {"width": width, "height": height,
                                                         "deviceScaleFactor": scale, "mobile": mobile})

    def open(self, url, ready="window.quenchway && window.quenchway.ready === true"):
        """Navigates and waits until `ready` holds; the seconds it took."""
        start = time.monotonic()
        self.page("Page.navigate", {"url": url})
        deadline = start + self.timeout
        while time.monotonic() < deadline:
            try:
                if self.evaluate(ready):
                    return time.monotonic() - start
            except BrowserError:
                pass  # the new document is not there yet
            time.sleep(0.02)
        raise BrowserError("the page did not become ready: %s" % "; ".join(self.errors))
