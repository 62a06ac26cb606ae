#!/usr/bin/env python3
"""Turns the raw samples of a benchmark run into the results table:
    report.py --samples FILE [--samples FILE...] --markdown OUT.md --svg OUT.svg [--header TEXT]

Every figure is the median of the samples with min and max beside it; the
goals are judged on the medians.
"""
import argparse
import math
import statistics
import sys
from collections import defaultdict

SIZES = (1000, 10000, 50000)


def read_samples(paths):
    values, notes = defaultdict(list), defaultdict(list)
    for path in paths:
        with open(path, encoding="utf-8", errors="replace") as f:
            for line in f:
                key, _, value = line.rstrip("\r\n").partition("\t")
                if not key:
                    continue
                try:
                    values[key].append(float(value))
                except ValueError:
                    notes[key].append(value)
    return values, notes


class Figure:
    def __init__(self, samples):
        self.samples = sorted(samples)
        self.median = statistics.median(self.samples) if self.samples else None

    def __bool__(self):
        return self.median is not None

    def text(self, unit="", digits=0):
        if not self:
            return "not measured"
        fmt = "{:,.%df}" % digits
        m, lo, hi = (fmt.format(v) for v in (self.median, self.samples[0], self.samples[-1]))
        return "%s%s (%s–%s, n=%d)" % (m, unit, lo, hi, len(self.samples))


class Report:
    def __init__(self, values, notes):
        self.values, self.notes = values, notes
        self.rows, self.verdicts = [], []

    def fig(self, key):
        return Figure(self.values.get(key, []))

    def row(self, number, measure, quelbrin, baseline, comparison, goal, status):
        self.rows.append((number, measure, quelbrin, baseline, comparison, goal, status))

    def judge(self, name, ok, how):
        """Records a goal: met, or missed with by how much."""
        if ok is None:
            self.verdicts.append("- %s: not measured in this run (see errors below)." % name)
            return "not measured"
        self.verdicts.append("- %s: %s. %s" % (name, "met" if ok else "**missed**", how))
        return "met" if ok else "**missed**"


def ratio(a, b):
    return a.median / b.median if a and b and b.median > 0 else None


def build(values, notes):
    r = Report(values, notes)

    # 1. Start-up.
    q, b = r.fig("startup.quelbrin_ms"), r.fig("startup.baseline_ms")
    files = int(r.fig("startup.files").median or 0)
    x = ratio(q, b)
    status = r.judge("Start-up ratio <= 1.2", None if x is None else x <= 1.2,
                     "" if x is None else "Ratio %.2f (Quelbrin %.0f ms, baseline %.0f ms)%s." % (
                         x, q.median, b.median, "" if x <= 1.2 else
                         "; %.0f ms over the goal" % (q.median - 1.2 * b.median)))
    r.row("1", "Start-up until the window shows its folder listed (%s packages), ms" % format(files, ","),
          q.text(), b.text(), "ratio %.2f" % x if x else "–", "ratio ≤ 1.2", status)
    m = r.fig("startup.baseline_manifest_ms")
    if m:
        r.row("1", "… the minimal window program with Quelbrin's manifest (common controls 6, DPI awareness), ms",
              q.text(), m.text(), "ratio %.2f; the manifest alone %+.0f ms" % (ratio(q, m), m.median - b.median),
              "(reported)", "–")
    qw, bw = r.fig("startup.quelbrin_window_ms"), r.fig("startup.baseline_window_ms")
    r.row("1", "… of which until its main window exists (not yet shown), ms", qw.text(), bw.text(),
          "%+.0f ms" % (qw.median - bw.median) if qw and bw else "–", "(reported)", "–")
    parts = [("window_ms", "create the window and its controls"), ("load_ms", "Load (installer path, listing)"),
             ("show_ms", "show and first paint"),
             ("after_paint_ms", "after the first paint (tooltips, screen-reader names with COM and ole32)"),
             ("shell32_load_ms", "shell32 loaded when \"Browse...\" is first used")]
    figs = [(label, r.fig("startup_parts." + key)) for key, label in parts]
    figs = [(label, f) for label, f in figs if f]
    if figs:
        r.row("1", "Quelbrin's start-up steps timed in-process, ms",
              "; ".join("%s %.0f" % (label, f.median) for label, f in figs), "", "", "(reported)", "–")
    sf, rf = r.fig("startup_parts.set_folder_ms"), r.fig("startup_parts.refresh_ms")
    if sf and rf:
        r.row("1", "The folder box's change event in-process: set the list's folder, then refresh it, ms",
              "set %s; refresh %s" % (sf.text(), rf.text()), "", "", "(reported)", "–")

    # 2. Re-listing: against a bare window program driven the same way.
    for n in SIZES:
        q, b = r.fig("relist.%d.quelbrin_ms" % n), r.fig("relist.%d.window_baseline_ms" % n)
        x = ratio(q, b)
        status = r.judge("Re-list %s files ratio <= 1.1" % format(n, ","), None if x is None else x <= 1.1,
                         "" if x is None else "Ratio %.2f (Quelbrin %.0f ms, bare window program %.0f ms)%s." % (
                             x, q.median, b.median, "" if x <= 1.1 else
                             "; %.0f ms over the goal" % (q.median - 1.1 * b.median)))
        r.row("2", "Re-list %s .hfz files (+ as many others), ms" % format(n, ","), q.text(),
              "bare window program (list, sort, fill a list box): " + b.text(),
              "ratio %.2f" % x if x else "–", "ratio ≤ 1.1", status)
        e = r.fig("relist.%d.bare_ms" % n)
        x = ratio(q, e)
        r.row("2", "… against the bare enumeration alone (no window, no list box), ms", q.text(),
              "enumerate, filter, sort: " + e.text(), "ratio %.2f" % x if x else "–", "(reported)", "–")
        c = r.fig("relist.%d.listing_code_ms" % n)
        x = ratio(c, e)
        r.row("2", "… of which Quelbrin's listing code alone (no list box, one pass), ms", c.text(), e.text(),
              "ratio %.2f" % x if x else "–", "(reported)", "–")
    for small, large in zip(SIZES, SIZES[1:]):
        qs, ql = r.fig("relist.%d.quelbrin_ms" % small), r.fig("relist.%d.quelbrin_ms" % large)
        bs, bl = r.fig("relist.%d.window_baseline_ms" % small), r.fig("relist.%d.window_baseline_ms" % large)
        allowed = (large * math.log(large)) / (small * math.log(small))
        grew = ql.median / qs.median if qs and ql else None
        bare = "×%.2f" % (bl.median / bs.median) if bs and bl else "–"
        status = r.judge("Re-list growth %s → %s no worse than n log n" % (format(small, ","), format(large, ",")),
                         None if grew is None else grew <= allowed,
                         "" if grew is None else "Time grew ×%.2f; n log n allows ×%.2f." % (grew, allowed))
        r.row("2", "Re-list growth %s → %s files" % (format(small, ","), format(large, ",")),
              "×%.2f" % grew if grew else "–", bare, "n log n: ×%.2f" % allowed, "≤ n log n", status)

    # 3. Batch overhead.
    o, s = r.fig("batch.overhead_per_file_ms"), r.fig("batch.bare_start_ms")
    nfiles = int(r.fig("batch.files").median or 0)
    ok = None if not (o and s) else o.median <= s.median + 50
    status = r.judge("Batch overhead per file <= bare start + 50 ms", ok,
                     "" if ok is None else "Overhead %.0f ms per file, bare start %.0f ms: %+.0f ms against the "
                     "allowed %.0f ms." % (o.median, s.median, o.median - (s.median + 50), s.median + 50))
    r.row("3", "Batch of %d files: overhead per file (total minus installer lifetimes), ms" % nfiles,
          o.text(), "bare start (CreateProcessW → first log line): " + s.text(),
          "%+.0f ms vs bare" % (o.median - s.median) if ok is not None else "–", "≤ bare + 50 ms", status)
    t, l = r.fig("batch.total_ms"), r.fig("batch.lifetimes_ms")
    r.row("3", "Batch of %d files: total time, ms" % nfiles, t.text(), "installer lifetimes: " + l.text(),
          "", "(reported)", "–")
    g = r.fig("batch.gap_ms")
    p, pb = r.fig("pause.quelbrin_ms"), r.fig("pause.bare_ms")
    r.row("3", "One installer's exit → next installer's first log line, ms", g.text(), s.text(),
          "%+.0f ms vs bare" % (g.median - s.median) if g and s else "–", "(reported)", "–")
    if g and s and p:
        # A gap longer than a bare start plus half a pause held an extra pause.
        slow = sum(1 for v in g.samples if v > s.median + p.median / 2)
        r.row("3", "Gaps longer than a bare start + half a pause", "%d of %d (%.0f%%)" % (slow, len(g.samples), 100.0 * slow / len(g.samples)),
              "", "", "(reported)", "–")
    x = ratio(p, pb)
    r.row("3", "One pause: 10,001 event-pump calls, ms", p.text(), "bare PeekMessageW loop: " + pb.text(),
          "ratio %.2f" % x if x else "–", "(reported)", "–")
    # The key floor: no key sooner than 300 ms after the window showed or the
    # keys before; one pause is the other floor.
    floor = max(p.median, 300) if p else None
    for key, what in (("batch.window_to_key_ms", "installer window shown → first key"),
                      ("batch.key_to_key_ms", "one pass's keys → the next pass's keys")):
        w = r.fig(key)
        ok = None if not (w and floor) else w.median <= floor + 50
        status = r.judge("In the batch, %s <= max(one pause, 300 ms) + 50 ms" % what, ok,
                         "" if ok is None else "%.0f ms against the allowed %.0f ms (one pause %.0f ms)." % (
                             w.median, floor + 50, p.median))
        r.row("3", "In the batch: %s, ms" % what, w.text(), "one pause: " + p.text(),
              "%+.0f ms vs max(pause, 300)" % (w.median - floor) if ok is not None else "–",
              "≤ max(pause, 300) + 50 ms", status)

    # 4. CPU and memory.
    c = r.fig("waiting.cpu_percent")
    ws = r.fig("waiting.wineserver_cpu_percent")
    r.row("4", "CPU while waiting on an installer window, % of one core", c.text(digits=1),
          "wineserver meanwhile: " + ws.text(digits=1) if ws else "", "", "(reported)", "–")
    pm = r.fig("waiting.pass_ms")
    r.row("4", "While waiting: one answer pass (activate, pause, Tab+Enter), ms", pm.text(), "", "",
          "(reported)", "–")
    ci, cb = r.fig("idle.quelbrin_cpu_percent"), r.fig("idle.baseline_cpu_percent")
    r.row("4", "CPU when idle (pointer elsewhere), % of one core", ci.text(digits=2), cb.text(digits=2), "",
          "(reported)", "–")
    hi, hb = r.fig("idle.quelbrin_hover_cpu_percent"), r.fig("idle.baseline_hover_cpu_percent")
    r.row("4", "CPU when idle with the pointer resting on the window, % of one core", hi.text(digits=2),
          hb.text(digits=2), "", "(reported)", "–")
    mq, mb = r.fig("memory.quelbrin_idle_mib"), r.fig("memory.baseline_idle_mib")
    x = ratio(mq, mb)
    status = r.judge("Idle working set ratio <= 1.3", None if x is None else x <= 1.3,
                     "" if x is None else "Ratio %.2f (Quelbrin %.1f MiB, baseline %.1f MiB)%s." % (
                         x, mq.median, mb.median, "" if x <= 1.3 else
                         "; %.1f MiB over the goal" % (mq.median - 1.3 * mb.median)))
    r.row("4", "Working set idle (%s packages listed), MiB" % format(files, ","), mq.text(digits=1),
          mb.text(digits=1), "ratio %.2f" % x if x else "–", "ratio ≤ 1.3", status)
    pq, pb2 = r.fig("memory.quelbrin_idle_private_mib"), r.fig("memory.baseline_idle_private_mib")
    x = ratio(pq, pb2)
    r.row("4", "Private bytes idle (%s packages listed), MiB" % format(files, ","), pq.text(digits=1),
          pb2.text(digits=1), "ratio %.2f" % x if x else "–", "(reported)", "–")
    listed = int(r.fig("memory.listed_files").median or 0)
    for key, what in (("memory.quelbrin_listed", "with %s files listed, read as the count shows" % format(listed, ",")),
                      ("memory.quelbrin_after_small", "after %s files, then a folder of three, read as the count shows" % format(listed, ","))):
        ml, pl = r.fig(key + "_mib"), r.fig(key + "_private_mib")
        x = ratio(ml, mb)
        status = "–"
        if key.endswith("after_small"):
            status = r.judge("Working set after %s files, then a folder of three, ratio <= 1.3" % format(listed, ","),
                             None if x is None else x <= 1.3,
                             "" if x is None else "Ratio %.2f (Quelbrin %.1f MiB, baseline %.1f MiB)%s." % (
                                 x, ml.median, mb.median, "" if x <= 1.3 else
                                 "; %.1f MiB over the goal" % (ml.median - 1.3 * mb.median)))
        r.row("4", "Working set %s, MiB" % what, ml.text(digits=1), mb.text(digits=1),
              "ratio %.2f" % x if x else "–", "ratio ≤ 1.3" if status != "–" else "(reported)", status)
        x = ratio(pl, pb2)
        r.row("4", "Private bytes %s, MiB" % what, pl.text(digits=1), pb2.text(digits=1),
              "ratio %.2f" % x if x else "–", "(reported)", "–")
    # What Wine's list box itself keeps: the bare re-list program, which fills one the same way.
    bi, ba = r.fig("memory.bare_relist_idle_mib"), r.fig("memory.bare_relist_after_small_mib")
    if bi and ba:
        r.row("4", "The bare re-list program: working set after 50,000 files, then a folder of three, MiB",
              "", ba.text(digits=1), "+%.1f MiB over its own start (%s MiB, 1,000 listed)" % (
                  ba.median - bi.median, bi.text(digits=1)), "(reported)", "–")

    # 5. Size and self-containment.
    size = r.fig("size.i686_bytes")
    ok = None if not size else size.median <= 300 * 1024
    status = r.judge("i686 Quelbrin.exe <= 300 KB", ok,
                     "" if ok is None else "%.1f KB (%s bytes)%s." % (
                         size.median / 1024, format(int(size.median), ","), "" if ok else
                         "; %.1f KB over" % (size.median / 1024 - 300)))
    r.row("5", "i686 Quelbrin.exe size, KB", "%.1f" % (size.median / 1024) if size else "not measured", "", "",
          "≤ 300 KB", status)
    imports = notes.get("size.imports", ["not measured"])[-1]
    foreign = notes.get("size.foreign_imports", [""])[-1]
    ok = None if imports == "not measured" else foreign in ("", "none")
    status = r.judge("Imports only Windows system DLLs", ok,
                     "Imports: %s%s." % (imports, "" if ok else "; not system DLLs: " + foreign))
    r.row("5", "Imported DLLs (i686)", imports, "", "", "Windows' own only", status)
    markers = notes.get("size.runtime_markers", ["not measured"])[-1]
    ok = None if markers == "not measured" else markers == "none"
    status = r.judge("No iostreams or locale machinery in the shipped program", ok,
                     "Marker strings of the C++ stream and locale library found: %s." % markers)
    r.row("5", "iostreams / locale machinery in the i686 program", markers, "", "", "none", status)
    return r


def markdown(r, header, analysis):
    out = ["# Benchmark results", "", header, "",
           "Each figure: median (min–max, n = number of samples). Ratios are of the medians.", "",
           "| # | Measure | Quelbrin | Baseline | Comparison | Goal | Status |",
           "|---|---|---|---|---|---|---|"]
    for row in r.rows:
        out.append("| " + " | ".join(str(c).replace("|", "/") for c in row) + " |")
    out += ["", "![Re-list time against file count](relist.png)", "", "## Goals", ""] + r.verdicts
    errors = [(k, v) for k, vs in sorted(r.notes.items()) if k.startswith("error.") for v in vs]
    if analysis:
        out += ["", analysis.rstrip()]
    out += ["", "## Errors during the run", ""]
    out += ["- %s: %s" % (k[len("error."):], v) for k, v in errors] or ["None."]
    return "\n".join(out) + "\n"


def table_text(r):
    widths = [max(len(str(row[i])) for row in r.rows) for i in range(7)]
    lines = []
    for row in r.rows:
        lines.append("  ".join(str(c).ljust(min(w, 60)) for c, w in zip(row, widths)).rstrip())
    return "\n".join(lines)


def svg_chart(values):
    """Re-list time against file count, log-log: Quelbrin, the bare window program and the bare listing, min–max bars."""
    W, H, left, right, top, bottom = 760, 480, 90, 190, 50, 70
    series = []
    for key, label, colour in (("quelbrin", "Quelbrin (set TxPath → Status2)", "#c0392b"),
                               ("window_baseline", "bare window program (list, sort, fill a list box)", "#1e8449"),
                               ("bare", "bare FindFirstFileExW + filter + sort", "#2471a3")):
        pts = []
        for n in SIZES:
            s = sorted(values.get("relist.%d.%s_ms" % (n, key), []))
            if s:
                pts.append((n, statistics.median(s), s[0], s[-1]))
        series.append((label, colour, pts))
    all_y = [v for _, _, pts in series for p in pts for v in p[1:]]
    if not all_y:
        all_y = [1, 10]
    ylo = 10 ** math.floor(math.log10(max(min(all_y), 0.01)))
    yhi = 10 ** math.ceil(math.log10(max(all_y) * 1.05))
    xlo, xhi = 500, 100000
    X = lambda n: left + (math.log10(n) - math.log10(xlo)) / (math.log10(xhi) - math.log10(xlo)) * (W - left - right)
    Y = lambda v: H - bottom - (math.log10(max(v, ylo)) - math.log10(ylo)) / (math.log10(yhi) - math.log10(ylo)) * (H - top - bottom)
    e = ['<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" font-family="DejaVu Sans" font-size="13">' % (W, H),
         '<rect width="100%" height="100%" fill="white"/>',
         '<text x="%d" y="28" font-size="16" font-weight="bold">Re-list time against file count (log scales)</text>' % left]
    d = ylo
    while d <= yhi * 1.001:
        for m in (1, 2, 5):
            v = d * m
            if ylo <= v <= yhi:
                e.append('<line x1="%d" x2="%d" y1="%.1f" y2="%.1f" stroke="#ddd"/>' % (left, W - right, Y(v), Y(v)))
                e.append('<text x="%d" y="%.1f" text-anchor="end">%s</text>' % (left - 6, Y(v) + 4, format(v, ",g")))
        d *= 10
    for n in SIZES:
        e.append('<line x1="%.1f" x2="%.1f" y1="%d" y2="%d" stroke="#ddd"/>' % (X(n), X(n), top, H - bottom))
        e.append('<text x="%.1f" y="%d" text-anchor="middle">%s</text>' % (X(n), H - bottom + 18, format(n, ",")))
    e.append('<rect x="%d" y="%d" width="%d" height="%d" fill="none" stroke="#333"/>' % (left, top, W - left - right, H - top - bottom))
    e.append('<text x="%.1f" y="%d" text-anchor="middle">.hfz files in the folder (plus as many others)</text>' % ((left + W - right) / 2, H - 22))
    e.append('<text transform="translate(22 %.1f) rotate(-90)" text-anchor="middle">milliseconds (median, bars: min–max)</text>' % ((top + H - bottom) / 2))
    # n log n through Quelbrin's smallest point, for the growth goal.
    q = series[0][2]
    if q:
        n0, t0 = q[0][0], q[0][1]
        ref = [(n, t0 * n * math.log(n) / (n0 * math.log(n0))) for n in (1000, 2000, 5000, 10000, 20000, 50000)]
        e.append('<polyline fill="none" stroke="#888" stroke-dasharray="6 4" points="%s"/>' %
                 " ".join("%.1f,%.1f" % (X(n), Y(v)) for n, v in ref))
    for i, (label, colour, pts) in enumerate(series):
        if pts:
            e.append('<polyline fill="none" stroke="%s" stroke-width="2.5" points="%s"/>' %
                     (colour, " ".join("%.1f,%.1f" % (X(n), Y(m)) for n, m, _, _ in pts)))
        for n, m, lo, hi in pts:
            e.append('<line x1="%.1f" x2="%.1f" y1="%.1f" y2="%.1f" stroke="%s" stroke-width="1.5"/>' % (X(n), X(n), Y(lo), Y(hi), colour))
            e.append('<circle cx="%.1f" cy="%.1f" r="4.5" fill="%s"/>' % (X(n), Y(m), colour))
            e.append('<text x="%.1f" y="%.1f" fill="%s" font-size="11">%s</text>' % (X(n) + 8, Y(m) + (-6 if i == 0 else 14 if i == 1 else 28), colour, format(round(m), ",")))
    ly = top + 10
    for label, colour, _ in series + [("n log n from 1,000 (growth limit)", "#888", None)]:
        dash = ' stroke-dasharray="6 4"' if colour == "#888" else ""
        e.append('<line x1="%d" x2="%d" y1="%d" y2="%d" stroke="%s" stroke-width="2.5"%s/>' % (W - right + 12, W - right + 36, ly, ly, colour, dash))
        words, line = label.split(), ""
        rows = []
        for w in words:
            if len(line + " " + w) > 20 and line:
                rows.append(line)
                line = w
            else:
                line = (line + " " + w).strip()
        rows.append(line)
        for k, text in enumerate(rows):
            e.append('<text x="%d" y="%d" font-size="12">%s</text>' % (W - right + 42, ly + 4 + 15 * k, text))
        ly += 22 + 15 * len(rows)
    e.append("</svg>")
    return "\n".join(e) + "\n"


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--samples", action="append", required=True)
    ap.add_argument("--markdown", required=True)
    ap.add_argument("--svg", required=True)
    ap.add_argument("--header", default="")
    ap.add_argument("--analysis", help="markdown appended after the goals: why they are missed")
    a = ap.parse_args()
    values, notes = read_samples(a.samples)
    r = build(values, notes)
    with open(a.markdown, "w", encoding="utf-8") as f:
        analysis = open(a.analysis, encoding="utf-8").read() if a.analysis else ""
        f.write(markdown(r, a.header, analysis))
    with open(a.svg, "w", encoding="utf-8") as f:
        f.write(svg_chart(values))
    print(table_text(r))
    print()
    print("\n".join(r.verdicts))
    errors = sum(len(v) for k, v in notes.items() if k.startswith("error."))
    if errors:
        print("%d error(s) during the run: see %s" % (errors, a.markdown))
    return 0


if __name__ == "__main__":
    sys.exit(main())
