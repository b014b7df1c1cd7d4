"""The kernel protocol's events as Jupyter display data: tables as HTML beside plain text,
pictures as PNG and SVG."""
import base64
import html

ERROR_NAMES = {
    "failure": "Fehler",
    "runtime": "Laufzeitfehler",
    "interrupted": "Abgebrochen",
    "request": "Anfrage",
}


def table_html(table):
    """A matrix table as HTML: caption, column numbers, row numbers, cells; a note when the
    table holds only part of the matrix."""
    cells = table.get("cells", [])
    rows, cols = table.get("rows", len(cells)), table.get("cols", 0)
    shown_cols = len(cells[0]) if cells else min(cols, 0)
    parts = ['<table class="zelvora-matrix">',
             f"<caption>{html.escape(table.get('caption', ''))}</caption>",
             "<thead><tr><th></th>"]
    parts += [f"<th>{c}</th>" for c in range(1, shown_cols + 1)]
    if shown_cols < cols:
        parts.append("<th>\u2026</th>")
    parts.append("</tr></thead><tbody>")
    for r, row in enumerate(cells, start=1):
        parts.append(f"<tr><th>{r}</th>")
        parts += [f'<td style="text-align:right">{html.escape(cell)}</td>' for cell in row]
        if shown_cols < cols:
            parts.append("<td>\u2026</td>")
        parts.append("</tr>")
    if len(cells) < rows:
        parts.append("<tr><th>\u2026</th></tr>")
    parts.append("</tbody></table>")
    if len(cells) < rows or shown_cols < cols:
        parts.append(f"<p>{len(cells)} von {rows} Zeilen, {shown_cols} von {cols} Spalten gezeigt</p>")
    return "".join(parts)


def table_bundle(table):
    """Display data of one table: a matrix as HTML and text, a scalar or empty value as text."""
    kind = table.get("kind")
    if kind == "matrix":
        return {"text/plain": table.get("text", "").rstrip("\n"), "text/html": table_html(table)}
    if kind == "scalar":
        return {"text/plain": f"{table.get('name', '')} = {table.get('value', '')}"}
    return {"text/plain": f"{table.get('name', '')} = (leer)"}


def picture_bundle(event):
    """Display data of a picture: PNG (base64 as Jupyter keeps it) and SVG (as text)."""
    bundle = {"text/plain": f"<Zeichnung {event.get('name', '')}>"}
    if "png" in event:
        bundle["image/png"] = event["png"]
    if "svg" in event:
        bundle["image/svg+xml"] = base64.b64decode(event["svg"]).decode("utf-8", "replace")
    return bundle


def error_content(done):
    """The error of a failed run: its kind, its message, and the located text that names the
    cell's line and the statement."""
    return {
        "ename": ERROR_NAMES.get(done.get("kind"), "Fehler"),
        "evalue": done.get("message", ""),
        "traceback": [done.get("text") or done.get("message", "")],
    }
