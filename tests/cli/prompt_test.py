#!/usr/bin/env python3
"""Drives the interactive prompt of zelvora-cli through a pseudo-terminal: a statement, a bare
formula, help, a failing statement, completion of a function name, history recall, a continued
statement, Ctrl-C while typing and during a long computation, QUIT, and SIGTERM."""
import os
import pty
import select
import signal
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


def wait_exit(pid, fd, buffer):
    """Waits for the program to end, reading what it still shows; a program that does not end
    within TIMEOUT is killed and the test fails with what the terminal showed."""
    deadline = time.time() + TIMEOUT
    while True:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done:
            return status
        if time.time() > deadline:
            os.kill(pid, signal.SIGKILL)
            os.waitpid(pid, 0)
            raise AssertionError(f"the program did not end; the terminal showed:\n{buffer.decode(errors='replace')}")
        ready, _, _ = select.select([fd], [], [], 0.05)
        if ready:
            try:
                buffer += os.read(fd, 4096)
            except OSError:
                pass


def start(cli, home):
    env = dict(os.environ, HOME=home, XDG_STATE_HOME=os.path.join(home, "state"),
               XDG_CONFIG_HOME=os.path.join(home, "config"), LC_ALL="C.UTF-8", TERM="xterm")
    pid, fd = pty.fork()
    if pid == 0:
        os.chdir(home)
        os.execve(cli, [cli], env)
    return pid, fd


def journal_text(home):
    journal_dir = os.path.join(home, "Zelvora", "Journal")
    journals = [f for f in os.listdir(journal_dir) if f.endswith(".zvj")]
    if len(journals) != 1:
        raise AssertionError(f"expected one journal file, found {journals}")
    with open(os.path.join(journal_dir, journals[0]), encoding="utf-8") as f:
        return f.read()


def interrupted_session(cli):
    """Ctrl-C while typing drops the line; Ctrl-C during EigenSys of a 600 x 600 matrix stops it
    and the program goes on; SIGTERM ends the program with the journal and settings written."""
    with tempfile.TemporaryDirectory() as home:
        pid, fd = start(cli, home)
        rest = read_until(fd, b"Zelvora> ", b"")
        os.write(fd, b"W = 999")
        time.sleep(0.3)
        os.write(fd, b"\x03")
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"V = 5\r")
        shown, rest = read_through(fd, b"V = 5", rest)
        if b"W = 999\r\n" in shown or b"999" in rest:
            raise AssertionError(f"the dropped line ran:\n{shown.decode(errors='replace')}")
        os.write(fd, b"S = RandomN(600, 600, 0, 1)\r")
        rest = read_until(fd, b"S 600x600", rest)
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"E = EigenSys(S + S')\r")
        time.sleep(1.0)
        started = time.time()
        os.write(fd, b"\x03")
        rest = read_until(fd, b"Abgebrochen (auf Wunsch des Benutzers)", rest)
        if time.time() - started > 5:
            raise AssertionError("EigenSys did not stop at its next check point")
        os.write(fd, b"Z = 41 + 1\r")
        rest = read_until(fd, b"Z = 42", rest)
        os.kill(pid, signal.SIGTERM)
        status = wait_exit(pid, fd, rest)
        if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 128 + signal.SIGTERM:
            raise AssertionError(f"SIGTERM: status {status}")
        journal = journal_text(home)
        for line in ("V = 5", "E = EigenSys(S + S')", "Z = 41 + 1"):
            if line not in journal:
                raise AssertionError(f"journal lacks {line!r}:\n{journal}")
        if "W = 999" in journal:
            raise AssertionError("the dropped line reached the journal")
        if not os.path.exists(os.path.join(home, "config", "zelvora", "Zelvora.ini")):
            raise AssertionError("the settings file was not written after SIGTERM")


def main():
    cli = sys.argv[1]
    with tempfile.TemporaryDirectory() as home:
        pid, fd = start(cli, home)
        rest = read_until(fd, b"Zelvora Version", b"")  # the welcome text
        rest = read_until(fd, b"?Inv", rest)  # it names the help
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"X = 1+2\r")
        rest = read_until(fd, b"X = 3\r\n", rest)
        # A bare formula is shown, not stored; a name that is the prefix of several commands too.
        os.write(fd, b"M = {{4,1},{2,3}}\r")
        rest = read_until(fd, b"M 2x2", rest)
        os.write(fd, b"2+3\r")
        rest = read_until(fd, b"2+3 = 5", rest)
        os.write(fd, b"M\r")
        rest = read_until(fd, b"M 2x2", rest)
        os.write(fd, b"?Inv\r")
        rest = read_until(fd, b"Inv(MQ)", rest)
        rest = read_until(fd, b"Inverse einer quadr. Matrix", rest)
        # The shipped examples were copied into the data directory and run from there.
        os.write(fd, b'BATCH "gleichungssystem.rts"\r')
        rest = read_until(fd, b"Det(A) = 1.000", rest)
        if not os.path.exists(os.path.join(home, "Zelvora", "Beispiele", "daten.csv")):
            raise AssertionError("the examples were not copied into ~/Zelvora/Beispiele")
        os.write(fd, b"FOO 1\r")
        rest = read_until(fd, b'Unbekannter Name "FOO"', rest)
        rest = read_until(fd, b'"FOO 1"', rest)
        # Completion of a function name, then a statement that uses it.
        os.write(fd, b"Y = Trans\t({1,2})\r")
        rest = read_until(fd, b"Y 2x1", rest)
        # History: nine entries back is "X = 1+2"; running it again shows the changed scalar.
        os.write(fd, b"X = 5\r")
        rest = read_until(fd, b"X = 5", rest)
        os.write(fd, b"\x1b[A" * 9 + b"\r")
        rest = read_until(fd, b"X = 3", rest)
        # A statement continued on the next line.
        os.write(fd, b"Z = 1 + _\r")
        rest = read_until(fd, b"...> ", rest)
        os.write(fd, b"41\r")
        rest = read_until(fd, b"Z = 42", rest)
        # A range error while a new value is shown leaves the target as it was: the next statement
        # prints no stray grid and DISPLAY does not raise the error again.
        os.write(fd, b"R = 5 + 1..#hi\r")
        rest = read_until(fd, b"Fehler bei Bereichspr", rest)
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"Q = 1\rDISPLAY R\rQ = 2\r")
        shown, rest = read_through(fd, b"Q = 2", rest)
        if b"2147483652" in shown or b"Bereichspr" in shown:
            raise AssertionError(f"the failed value of R is still shown:\n{shown.decode(errors='replace')}")
        # A string that holds escape sequences is shown with them visible, not run.
        with open(os.path.join(home, "esc.rts"), "wb") as script:
            script.write(b'T = "a\x1b]0;evil\x07z"\n')
        os.write(fd, b'BATCH "' + os.path.join(home, "esc.rts").encode() + b'"\r')
        shown, rest = read_through(fd, b"a^[]0;evil^Gz", rest)
        if b"\x1b]0;" in shown + rest:
            raise AssertionError("an escape sequence reached the terminal")
        rest = read_until(fd, b"Zelvora> ", rest)
        os.write(fd, b"QUIT\r")
        status = wait_exit(pid, fd, rest)
        if os.WEXITSTATUS(status) != 0:
            raise AssertionError(f"exit status {os.WEXITSTATUS(status)}")
        history = os.path.join(home, "state", "zelvora", "history")
        with open(history, encoding="utf-8", errors="replace") as f:
            if "X = 1+2" not in f.read().replace("\\040", " "):  # libedit writes blanks as \040
                raise AssertionError("the history file does not hold the statements")
        # The journal is appended to this run's journal file and the settings are written.
        journal = journal_text(home)
        for line in ("X = 1+2", "FOO 1", "Z = 1 + _", "QUIT"):
            if line not in journal:
                raise AssertionError(f"journal lacks {line!r}:\n{journal}")
        if not os.path.exists(os.path.join(home, "config", "zelvora", "Zelvora.ini")):
            raise AssertionError("the settings file was not written")
    interrupted_session(cli)
    print("2 passed, 0 failed")


if __name__ == "__main__":
    main()
