#!/usr/bin/env python3
"""Drives the interactive prompt of zelvora-cli through a pseudo-terminal: a statement, a failing
statement, completion of a function name, history recall, a continued statement and QUIT."""
import os
import pty
import select
import sys
import tempfile
import time

TIMEOUT = 10.0


def read_until(fd, needle, buffer):
    return read_through(fd, needle, buffer)[1]


def read_through(fd, needle, buffer):
    """Reads until needle arrives; returns the text before it and the text after it."""
    deadline = time.time() + TIMEOUT
    while needle not in buffer:
        remaining = deadline - time.time()
        if remaining <= 0:
            raise AssertionError(f"timed out waiting for {needle!r}; got:\n{buffer.decode(errors='replace')}")
        ready, _, _ = select.select([fd], [], [], remaining)
        if ready:
            try:
                chunk = os.read(fd, 4096)
            except OSError:
                break
            if not chunk:
                break
            buffer += chunk
    if needle not in buffer:
        raise AssertionError(f"missing {needle!r}; got:\n{buffer.decode(errors='replace')}")
    return buffer[:buffer.index(needle)], buffer[buffer.index(needle) + len(needle):]


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        env = dict(os.environ, HOME=home, XDG_STATE_HOME=os.path.join(home, "state"),
                   XDG_CONFIG_HOME=os.path.join(home, "config"), LC_ALL="C.UTF-8", TERM="xterm")
        pid, fd = pty.fork()
        if pid == 0:
            os.chdir(home)
            os.execve(cli, [cli], env)
        rest = read_until(fd, b"Zelvora Version", b"")  # the welcome text
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"X = 1+2\r")
        rest = read_until(fd, b"X  3", rest)
        os.write(fd, b"FOO 1\r")
        rest = read_until(fd, b"Unbekannter Befehl", rest)
        rest = read_until(fd, b'"FOO 1"', rest)
        # Completion of a function name, then a statement that uses it.
        os.write(fd, b"Y = Trans\t({1,2})\r")
        rest = read_until(fd, b"Y 2x1", rest)
        # History: three entries back is "X = 1+2"; running it again shows the scalar window.
        os.write(fd, b"X = 5\r")
        rest = read_until(fd, b"X  5", rest)
        os.write(fd, b"\x1b[A\x1b[A\x1b[A\x1b[A\r")
        rest = read_until(fd, b"X  3", rest)
        # A statement continued on the next line.
        os.write(fd, b"Z = 1 + _\r")
        rest = read_until(fd, b"...> ", rest)
        os.write(fd, b"41\r")
        rest = read_until(fd, b"Z  42", rest)
        # A range error while a new value is shown leaves the target as it was: the next statement
        # prints no stray grid and DISPLAY does not raise the error again.
        os.write(fd, b"R = 5 + 1..#hi\r")
        rest = read_until(fd, b"Fehler bei Bereichspr", rest)
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"Q = 1\rDISPLAY R\rQ = 2\r")
        shown, rest = read_through(fd, b"Q  2", rest)
        if b"2147483652" in shown or b"Bereichspr" in shown:
            raise AssertionError(f"the failed value of R is still shown:\n{shown.decode(errors='replace')}")
        os.write(fd, b"QUIT\r")
        _, status = os.waitpid(pid, 0)
        if os.WEXITSTATUS(status) != 0:
            raise AssertionError(f"exit status {os.WEXITSTATUS(status)}")
        history = os.path.join(home, "state", "zelvora", "history")
        with open(history, encoding="utf-8", errors="replace") as f:
            if "X = 1+2" not in f.read().replace("\\040", " "):  # libedit writes blanks as \040
                raise AssertionError("the history file does not hold the statements")
        # The journal is appended to this run's journal file and the settings are written.
        journal_dir = os.path.join(home, "Zelvora", "Journal")
        journals = [f for f in os.listdir(journal_dir) if f.endswith(".zvj")]
        if len(journals) != 1:
            raise AssertionError(f"expected one journal file, found {journals}")
        with open(os.path.join(journal_dir, journals[0]), encoding="utf-8") as f:
            journal = f.read()
        for line in ("X = 1+2", "FOO 1", "Z = 1 + _", "QUIT"):
            if line not in journal:
                raise AssertionError(f"journal lacks {line!r}:\n{journal}")
        if not os.path.exists(os.path.join(home, "config", "zelvora", "Zelvora.ini")):
            raise AssertionError("the settings file was not written")
    print("1 passed, 0 failed")


if __name__ == "__main__":
    main()
