#!/usr/bin/env python3
"""zelvora-cli --kernel as a notebook drives it, without Jupyter: a long EigenSys stopped by SIGINT
and by an interrupt request within seconds, SIGINT between runs and twice in one run not ending the
kernel, hostile lines answered while the session goes on, and the end of the input ending it."""
import json
import os
import select
import signal
import subprocess
import sys
import time

TIMEOUT = 10.0
LONG_RUN = "M = RandomN(600,600)\nX, D, T = EigenSys(M * M')"


class Kernel:
    def __init__(self, program):
        self.process = subprocess.Popen([program, "--kernel"], stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE)
        self.buffer = b""
        ready = self.event()
        assert ready == {"id": None, "event": "ready", "protocol": 1}, ready

    def send(self, line):
        self.process.stdin.write(line if isinstance(line, bytes) else line.encode())
        self.process.stdin.write(b"\n")
        self.process.stdin.flush()

    def request(self, **fields):
        self.send(json.dumps(fields))

    def event(self, timeout=TIMEOUT):
        deadline = time.time() + timeout
        fd = self.process.stdout.fileno()
        while b"\n" not in self.buffer:
            remaining = deadline - time.time()
            if remaining <= 0:
                raise AssertionError(f"no answer within {timeout} s; got {self.buffer[:200]!r}")
            if select.select([fd], [], [], remaining)[0]:
                chunk = os.read(fd, 65536)
                if not chunk:
                    raise AssertionError("the kernel ended")
                self.buffer += chunk
        line, self.buffer = self.buffer.split(b"\n", 1)
        return json.loads(line)

    def done(self, ident, timeout=TIMEOUT):
        while True:
            event = self.event(timeout)
            if event.get("id") == ident and event["event"] == "done":
                return event

    def execute(self, ident, code, timeout=TIMEOUT):
        self.request(id=ident, type="execute", code=code)
        return self.done(ident, timeout)


def interrupted_within_seconds(kernel, ident, stop):
    kernel.request(id=ident, type="execute", code=LONG_RUN)
    time.sleep(1.5)  # well into the EigenSys, which alone takes a minute
    started = time.time()
    stop()
    done = kernel.done(ident)
    assert done["kind"] == "interrupted", done
    assert done["message"] == "Abgebrochen (auf Wunsch des Benutzers)", done
    assert time.time() - started < 5, time.time() - started


def main(program):
    kernel = Kernel(program)
    pid = kernel.process.pid

    # A stop by signal (Jupyter's interrupt reaches the kernel's process group) and by request.
    interrupted_within_seconds(kernel, 1, lambda: os.kill(pid, signal.SIGINT))
    interrupted_within_seconds(kernel, 2, lambda: kernel.request(type="interrupt"))
    # Twice in one run: still one stop, and the kernel lives on.
    interrupted_within_seconds(
        kernel, 3, lambda: (os.kill(pid, signal.SIGINT), os.kill(pid, signal.SIGINT)))
    # Between runs a SIGINT does nothing, and the next run is not stopped by it.
    os.kill(pid, signal.SIGINT)
    time.sleep(0.2)
    assert kernel.execute(4, "a = 1\nb = a + 1")["status"] == "ok"

    # Hostile lines are refused one by one; the session keeps its variables.
    for line in [b"\xff\xfe\x00garbage", b"[" * 100000, b'{"id":5,"type":"execute","code":"\\ud800"}',
                 b'{"id":6,"type":"complete","code":"x","cursor":"x"}', b"",
                 b"x" * (17 * 1024 * 1024)]:
        kernel.send(line)
        done = kernel.event()
        assert done["event"] == "done" and done["kind"] == "request", done
    kernel.request(id=7, type="execute", code="b")
    values = kernel.event()
    assert values["values"][0]["value"] == "2", values
    assert kernel.done(7)["status"] == "ok"

    # The end of the input ends the kernel in order.
    kernel.process.stdin.close()
    assert kernel.process.wait(TIMEOUT) == 0

    # A kernel reads no script and writes no files: other options are refused, not ignored.
    for others in (["x.rts"], ["--journal", "j.txt"], ["--quiet"]):
        refused = subprocess.run([program, "--kernel", *others], capture_output=True, text=True)
        assert refused.returncode == 64, refused
        assert "--kernel steht allein" in refused.stderr, refused.stderr
    print("ok")


if __name__ == "__main__":
    main(sys.argv[1])
