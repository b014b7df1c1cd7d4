#!/usr/bin/env python3
"""Plays a demo in zelvora-cli on a pseudo-terminal: the text is printed, each code block is shown
and runs only after Enter, the end of a page waits for Enter, and "q" ends the demo without
running the waiting block."""
import os
import pty
import sys
import tempfile

from prompt_test import read_through, wait_exit

DEMO = b"""@D Probe
@K Kapitel
@F Seite eins
@T
Erst lesen.
@C
A = 40 + 2
@F Seite zwei
@C
B = 7
"""


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        path = os.path.join(home, "probe.zvd")
        with open(path, "wb") as demo:
            demo.write(DEMO)
        env = dict(os.environ, HOME=home, LC_ALL="C.UTF-8", TERM="xterm")
        pid, fd = pty.fork()
        if pid == 0:
            os.chdir(home)
            os.execve(cli, [cli, "--demo", path], env)
        shown, rest = read_through(fd, b"[Enter] Rechne", b"")
        for text in (b"==== Probe ====", b"## Kapitel", b"--- Seite eins ---", b"Erst lesen.",
                     b"    A = 40 + 2"):
            if text not in shown:
                raise AssertionError(f"missing {text!r} before the first question:\n{shown.decode()}")
        if b"A = 42" in shown:
            raise AssertionError("the code block ran before Enter")
        os.write(fd, b"\r")
        _, rest = read_through(fd, b"A = 42", rest)
        _, rest = read_through(fd, b"[Enter] weiter", rest)  # the end of the page
        os.write(fd, b"\r")
        _, rest = read_through(fd, b"[Enter] Rechne", rest)
        os.write(fd, b"q\r")
        shown, rest = read_through(fd, b"==== Ende der Demo ====", rest)
        if b"B  7" in shown:
            raise AssertionError("q ran the waiting code block")
        status = wait_exit(pid, fd, rest)
        if os.WEXITSTATUS(status) != 0:
            raise AssertionError(f"exit status {os.WEXITSTATUS(status)}")
    print("ok")


if __name__ == "__main__":
    main()
