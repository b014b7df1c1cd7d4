#!/usr/bin/python3
"""The Jupyter kernel, headless: Jupyter lists it; the shipped notebook runs to its end with tables
and a picture; a notebook's failing cell names its line; a long EigenSys stops on interrupt and the
session goes on; Tab completes Inv, Shift-Tab shows its help; a restart forgets the variables.
Runs with Debian's Python (python3-nbclient, python3-ipykernel, jupyter-core)."""
import base64
import os
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import nbformat
    from jupyter_client.manager import start_new_kernel
    from jupyter_client.utils import run_sync
    from nbclient import NotebookClient
except ImportError as missing:
    sys.exit(f"{missing}: tools/install-deps.sh installs python3-nbclient and python3-ipykernel")

CELL_TIMEOUT = 120
INTERRUPT_AFTER = 3  # seconds into the long cell


def outputs_of(cell, output_type):
    return [output for output in cell.outputs if output.output_type == output_type]


def html_tables(cell):
    return [output.data["text/html"] for output in outputs_of(cell, "display_data")
            if "text/html" in output.data]


def text_of(cell):
    return "".join(output.text for output in outputs_of(cell, "stream"))


def check_kernelspec_listed():
    listed = subprocess.run([sys.executable, "-m", "jupyter", "kernelspec", "list"],
                            capture_output=True, text=True, check=True).stdout
    assert any(line.split()[:1] == ["zelvora"] for line in listed.splitlines()), listed


def check_shipped_notebook(path, work):
    notebook = nbformat.read(path, as_version=4)
    NotebookClient(notebook, kernel_name="zelvora", timeout=CELL_TIMEOUT,
                   resources={"metadata": {"path": work}}).execute()
    code = [cell for cell in notebook.cells if cell.cell_type == "code"]
    for cell in code:
        assert not outputs_of(cell, "error"), (cell.source, cell.outputs)
    data, correlations = code[0], code[1]
    assert '<caption>X 12x6</caption>' in html_tables(data)[0], html_tables(data)
    assert "<td style=\"text-align:right\">17</td>" in html_tables(data)[0], html_tables(data)[0]
    assert '<caption>R 6x6</caption>' in html_tables(correlations)[0]
    plain = [output.data["text/plain"] for output in outputs_of(correlations, "display_data")]
    assert plain[0].startswith("R 6x6\n6x6"), plain
    picture = next(cell for cell in code if cell.source.startswith("ZEICHNE"))
    shown = outputs_of(picture, "display_data")[0].data
    assert base64.b64decode(shown["image/png"]).startswith(b"\x89PNG\r\n\x1a\n"), shown.keys()
    assert "<svg" in shown["image/svg+xml"]
    assert "Spaltenrotationen einer Matrix" in text_of(code[-1]), code[-1].outputs


def check_failure_interrupt_and_completion(work):
    cells = ["A = {{2,1},{1,3}}\nInv(A)",
             "b = 1\nc = Invv(A)",
             "M = RandomN(600,600)\nX, D, T = EigenSys(M * M')",
             "A * 2\nx = sqrt(-1)",
             's = "<b>fett</b> & mehr"\nT = {"<b>", "&amp;"}']
    notebook = nbformat.v4.new_notebook(cells=[nbformat.v4.new_code_cell(c) for c in cells])
    started = {}

    def timeout_of(cell):
        started[cell.source] = time.time()
        return INTERRUPT_AFTER if "EigenSys" in cell.source else CELL_TIMEOUT

    client = NotebookClient(notebook, kernel_name="zelvora", timeout_func=timeout_of,
                            interrupt_on_timeout=True, allow_errors=True,
                            resources={"metadata": {"path": work}})
    with client.setup_kernel():
        for index, cell in enumerate(notebook.cells):
            client.execute_cell(cell, index)
            if "EigenSys" in cell.source:
                lasted = time.time() - started[cell.source]
                assert lasted < INTERRUPT_AFTER + 10, lasted
        completion = run_sync(client.kc.complete)("y = Inv", 7, reply=True, timeout=30)
        inspection = run_sync(client.kc.inspect)("y = Inv(A)", 6, reply=True, timeout=30)

    inverse, failing, long_run, after, string = notebook.cells
    assert "<caption>Inv(A) 2x2</caption>" in html_tables(inverse)[-1], inverse.outputs
    assert ">-0.200</td>" in html_tables(inverse)[-1]
    error = outputs_of(failing, "error")[0]
    assert error.ename == "Fehler", error
    assert error.evalue == 'Unbekannter Name "Invv" an Stelle 1 der Formel', error
    assert error.traceback[0].startswith("Zelle:2: "), error.traceback
    stopped = outputs_of(long_run, "error")[0]
    assert stopped.ename == "Abgebrochen", stopped
    assert stopped.evalue == "Abgebrochen (auf Wunsch des Benutzers)", stopped
    # The session lives on: A is still there, and the warning names its line.
    assert "<caption>A * 2 2x2</caption>" in html_tables(after)[0], after.outputs
    warnings = [o.text for o in outputs_of(after, "stream") if o.name == "stderr"]
    assert warnings == ["Zelle:2: Warnung: Wurzel einer negativen Zahl, 0 genommen\n"], warnings
    # Text of the program is shown, never run: HTML in cells is escaped.
    assert text_of(string) == 's = <b>fett</b> & mehr\n', string.outputs
    table = html_tables(string)[0]
    assert ">&lt;b&gt;</td>" in table and ">&amp;amp;</td>" in table and "<b>" not in table, table

    matches = completion["content"]["matches"]
    assert "Inv" in matches and all(m.upper().startswith("INV") for m in matches), matches
    assert completion["content"]["cursor_start"] == 4, completion["content"]
    assert completion["content"]["cursor_end"] == 7, completion["content"]
    assert inspection["content"]["found"], inspection["content"]
    assert "Inverse einer quadr. Matrix" in inspection["content"]["data"]["text/plain"]


def check_restart_forgets():
    manager, client = start_new_kernel(kernel_name="zelvora")
    try:
        def run(code):
            reply = client.execute_interactive(code, timeout=CELL_TIMEOUT, output_hook=lambda m: None)
            return reply["content"]

        assert run("a = 1")["status"] == "ok"
        manager.restart_kernel()
        client.wait_for_ready(timeout=60)
        forgotten = run("b = a + 1")
        assert forgotten["status"] == "error", forgotten
        assert 'Unbekannter Name "a"' in forgotten["evalue"], forgotten
    finally:
        client.stop_channels()
        manager.shutdown_kernel(now=True)


def main(program, kernels, notebook):
    work = tempfile.mkdtemp()
    try:
        os.environ.update({
            "ZELVORA_CLI": program, "JUPYTER_PATH": kernels,
            "JUPYTER_RUNTIME_DIR": os.path.join(work, "runtime"),
            "JUPYTER_CONFIG_DIR": os.path.join(work, "config"),
            "JUPYTER_DATA_DIR": os.path.join(work, "data"), "HOME": work,
            "PYTHONDONTWRITEBYTECODE": "1", "PYDEVD_DISABLE_FILE_VALIDATION": "1"})
        check_kernelspec_listed()
        check_shipped_notebook(notebook, work)
        check_failure_interrupt_and_completion(work)
        check_restart_forgets()
    finally:
        shutil.rmtree(work, ignore_errors=True)
    print("ok")


if __name__ == "__main__":
    main(*sys.argv[1:4])
