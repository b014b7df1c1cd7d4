"""The zelvora-cli process behind the kernel, spoken to in JSON lines (zelvora-cli --kernel)."""
import json
import os
import queue
import shutil
import signal
import subprocess
import threading


class ProcessEnded(Exception):
    """The zelvora-cli process ended or could not be started."""


def find_program():
    """zelvora-cli: $ZELVORA_CLI, else beside this installed kernel (PREFIX/bin when the kernel
    lies in PREFIX/share/jupyter/kernels/zelvora/), else on PATH."""
    named = os.environ.get("ZELVORA_CLI")
    if named:
        return named
    here = os.path.dirname(os.path.abspath(__file__))
    prefix = os.path.normpath(os.path.join(here, *[os.pardir] * 5))
    beside = os.path.join(prefix, "bin", "zelvora-cli")
    if os.access(beside, os.X_OK):
        return beside
    return shutil.which("zelvora-cli") or "zelvora-cli"


class ZelvoraProcess:
    """One zelvora-cli --kernel process: requests go out as lines, events come back in order.
    A reader thread takes the events, so that an interrupt (KeyboardInterrupt in the waiting
    thread) never loses part of a line."""

    def __init__(self, program=None, cwd=None):
        try:
            self._process = subprocess.Popen(
                [program or find_program(), "--kernel"],
                stdin=subprocess.PIPE, stdout=subprocess.PIPE, cwd=cwd)
        except OSError as error:
            raise ProcessEnded(f"zelvora-cli kann nicht gestartet werden: {error}") from error
        self._events = queue.Queue()
        self._next_id = 0
        threading.Thread(target=self._read_events, daemon=True).start()
        ready = self._next_event()
        if ready.get("event") != "ready":
            raise ProcessEnded("zelvora-cli hat sich nicht als Kernel gemeldet")

    def _read_events(self):
        for line in self._process.stdout:
            try:
                self._events.put(json.loads(line.decode("utf-8")))
            except ValueError:
                continue  # not an answer of the protocol
        self._events.put(None)

    def _next_event(self):
        while True:
            try:
                event = self._events.get(timeout=0.2)
            except queue.Empty:
                continue
            if event is None:
                raise ProcessEnded("Der Zelvora-Prozess ist beendet")
            return event

    def _send(self, message):
        data = (json.dumps(message) + "\n").encode("utf-8")
        # An interrupt while the line is written would cut it; it is delivered afterwards.
        blocked = signal.pthread_sigmask(signal.SIG_BLOCK, {signal.SIGINT})
        try:
            self._process.stdin.write(data)
            self._process.stdin.flush()
        except OSError as error:
            raise ProcessEnded("Der Zelvora-Prozess ist beendet") from error
        finally:
            signal.pthread_sigmask(signal.SIG_SETMASK, blocked)

    def request(self, kind, on_event=None, **fields):
        """Sends a request and returns its "done" event; the events before it go to on_event.
        A KeyboardInterrupt while waiting stops the run and waits for its end."""
        self._next_id += 1
        ident = self._next_id
        try:
            self._send(dict(fields, id=ident, type=kind))
        except KeyboardInterrupt:
            self.interrupt()  # the line went out whole before the interrupt was delivered
        while True:
            try:
                event = self._next_event()
                if event.get("id") != ident:
                    continue
                if event.get("event") == "done":
                    return event
                if on_event:
                    on_event(event)
            except KeyboardInterrupt:
                self.interrupt()

    def interrupt(self):
        """Stops the running run (and those still waiting)."""
        try:
            self._send({"type": "interrupt"})
        except ProcessEnded:
            pass

    def alive(self):
        return self._process.poll() is None

    def close(self, timeout=5):
        """Asks the process to end; ends it when it does not within timeout seconds."""
        if self.alive():
            try:
                self._send({"id": 0, "type": "shutdown"})
                self._process.stdin.close()
                self._process.wait(timeout)
            except (ProcessEnded, OSError, subprocess.TimeoutExpired):
                self._process.kill()
                self._process.wait()
