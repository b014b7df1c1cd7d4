"""The Jupyter kernel of Zelvora: a wrapper kernel over one zelvora-cli --kernel process."""
import os

from ipykernel.kernelbase import Kernel

import zelvora_display
from zelvora_process import ProcessEnded, ZelvoraProcess

VERSION = "1.0"


class ZelvoraKernel(Kernel):
    implementation = "zelvora_kernel"
    implementation_version = VERSION
    language = "zelvora"
    language_version = VERSION
    language_info = {
        "name": "zelvora",
        "mimetype": "text/x-zelvora",
        "file_extension": ".rts",
    }
    banner = "Zelvora: Matrizen, Formeln und Faktorenanalysen"

    def __init__(self, **kwargs):
        super().__init__(**kwargs)
        self._process = None
        self._ended_note = None

    # -- the process -----------------------------------------------------------------------

    def _zelvora(self):
        """The process; started at first use, and again after it ended (the variables are gone
        then, which the first run says)."""
        if self._process and not self._process.alive():
            self._process = None
            self._ended_note = ("Der Zelvora-Prozess war beendet und wurde neu gestartet; "
                                "die Variablen sind verloren.\n")
        if self._process is None:
            self._process = ZelvoraProcess(cwd=os.getcwd())
        return self._process

    # -- requests --------------------------------------------------------------------------

    def do_execute(self, code, silent, store_history=True, user_expressions=None,
                   allow_stdin=False):
        def show(event):
            if not silent:
                self._show_event(event)

        try:
            process = self._zelvora()
            if self._ended_note and not silent:
                self._stream("stderr", self._ended_note)
            self._ended_note = None
            done = process.request("execute", on_event=show, code=code)
        except ProcessEnded as ended:
            done = {"status": "error", "kind": "runtime", "message": str(ended),
                    "text": str(ended)}
        if done.get("status") == "ok":
            return {"status": "ok", "execution_count": self.execution_count,
                    "payload": [], "user_expressions": {}}
        error = zelvora_display.error_content(done)
        if not silent:
            self.send_response(self.iopub_socket, "error", error)
        return dict(error, status="error", execution_count=self.execution_count)

    def do_complete(self, code, cursor_pos):
        try:
            done = self._zelvora().request("complete", code=code, cursor=cursor_pos)
        except ProcessEnded:
            done = {}
        return {"status": "ok", "matches": done.get("matches", []),
                "cursor_start": done.get("start", cursor_pos),
                "cursor_end": done.get("end", cursor_pos), "metadata": {}}

    def do_inspect(self, code, cursor_pos, detail_level=0, omit_sections=()):
        try:
            done = self._zelvora().request("inspect", code=code, cursor=cursor_pos)
        except ProcessEnded:
            done = {}
        found = bool(done.get("found"))
        data = {"text/plain": done["text"]} if found else {}
        return {"status": "ok", "found": found, "data": data, "metadata": {}}

    def do_is_complete(self, code):
        # A line ending in " _" goes on in the next one.
        if code.rstrip(" \t").endswith(" _"):
            return {"status": "incomplete", "indent": ""}
        return {"status": "complete"}

    def do_shutdown(self, restart):
        if self._process:
            self._process.close()
            self._process = None
        return {"status": "ok", "restart": restart}

    # -- outputs ---------------------------------------------------------------------------

    def _stream(self, name, text):
        self.send_response(self.iopub_socket, "stream", {"name": name, "text": text})

    def _display(self, bundle):
        self.send_response(self.iopub_socket, "display_data",
                           {"data": bundle, "metadata": {}})

    def _show_event(self, event):
        kind = event.get("event")
        if kind == "output":
            self._stream("stdout", event.get("text", ""))
        elif kind == "warning":
            self._stream("stderr", event.get("text", "") + "\n")
        elif kind == "values":
            for table in event.get("values", []):
                self._display(zelvora_display.table_bundle(table))
        elif kind == "variable":
            table = event.get("table", {})
            if table.get("kind") == "scalar":
                self._stream("stdout", zelvora_display.table_bundle(table)["text/plain"] + "\n")
            else:
                self._display(zelvora_display.table_bundle(table))
        elif kind == "picture":
            self._display(zelvora_display.picture_bundle(event))
