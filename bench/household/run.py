#!/usr/bin/env python3
"""Rokuban at a household's size: generated tuner-server weeks of 12, 50,
100 and 200 services over eight days, each imported into a fresh cache, then
the verbs and the web guide timed as whole processes and requests (best of
three, wall time) with each process's peak memory. Prints a Markdown table
and the growth from 50 to 200 services.

usage: run.py [--sizes 12,50,100,200] [--days 8] [--runs 3] [CLI]
CLI defaults to build/native/cli/rokuban-cli. Only loopback is used."""
import argparse
import datetime
import os
import shutil
import subprocess
import sys
import tempfile
import time
import urllib.parse
import urllib.request

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
WORD = "山﨑"


def japan_today():
    now = datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(hours=9)
    return (now - datetime.timedelta(hours=5)).date()


def timed(command, **options):
    """(seconds, peak KB) of one run of `command`, which must succeed. The
    peak is GNU time's: a forked Python's own pages would count in wait4's."""
    with tempfile.NamedTemporaryFile("r") as peak:
        started = time.perf_counter()
        status = subprocess.run(["/usr/bin/time", "-f", "%M", "-o", peak.name] + command,
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **options).returncode
        elapsed = time.perf_counter() - started
        if status not in (0, 1):  # search exits 1 when nothing matched
            raise RuntimeError("failed: %s" % " ".join(command))
        return elapsed, int(peak.read().split()[-1])


def best(runs, measure):
    results = [measure() for _ in range(runs)]
    return min(r[0] for r in results), max(r[1] for r in results)


def fresh_cache(folder):
    shutil.rmtree(os.path.join(folder, "cache"), ignore_errors=True)
    ini = os.path.join(folder, "Rokuban.ini")
    with open(ini, "w", encoding="utf-8") as settings:
        settings.write("[_config]\ndirectory=%s\n" % os.path.join(folder, "cache"))
    return ini


def web_figures(cli, ini, runs):
    """First `/`, first search and first /guide.xml after a start, and the server's peak memory."""
    figures = {"/": [], "/search": [], "/guide.xml": []}
    peak = 0
    paths = {"/": "/", "/search": "/search?q=" + urllib.parse.quote(WORD), "/guide.xml": "/guide.xml"}
    for _ in range(runs):
        server = subprocess.Popen([cli, "--ini", ini, "guide-server", "--port", "0"], stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE, text=True)
        port = server.stdout.readline().split(":")[-1].strip()
        # It says it listens once it is ready to answer.
        while "serving" not in server.stderr.readline():
            pass
        for name, path in paths.items():
            started = time.perf_counter()
            with urllib.request.urlopen("http://127.0.0.1:%s%s" % (port, path)) as answer:
                answer.read()
            figures[name].append(time.perf_counter() - started)
        with open("/proc/%d/status" % server.pid) as status:
            peak = max(peak, next(int(line.split()[1]) for line in status if line.startswith("VmHWM:")))
        server.terminate()
        server.wait()
    return {name: min(times) for name, times in figures.items()}, peak


def settle(cache):
    """Dates the cache's files a minute back. The server trusts a listing only
    once the second its newest file was written in has passed, so one started
    within it reads the week again for the first requests; a household's
    server starts long after its import."""
    back = time.time() - 60
    for name in os.listdir(cache):
        os.utime(os.path.join(cache, name), (back, back))


def measure(cli, services, days, runs, folder):
    document = os.path.join(folder, "week-%d.xml" % services)
    subprocess.run([sys.executable, os.path.join(HERE, "tuner_week.py"), str(services), str(days),
                    japan_today().isoformat(), document], check=True, stdout=subprocess.DEVNULL)
    row = {"services": services, "bytes": os.path.getsize(document)}
    row["xmllint"] = best(runs, lambda: timed(["xmllint", "--noout", document]))

    def imported():
        ini = fresh_cache(folder)
        return timed([cli, "--ini", ini, "--quiet", "import-xmltv", document])
    row["import"] = best(runs, imported)
    ini = os.path.join(folder, "Rokuban.ini")
    environment = dict(os.environ, TZ="UTC")
    for name, args in (("show", ["show", "--hour", "21"]), ("search", ["search", WORD]),
                       ("export", ["export", "json"])):
        row[name] = best(runs, lambda: timed([cli, "--ini", ini] + args, env=environment))
    settle(os.path.join(folder, "cache"))
    row["web"], row["server peak"] = web_figures(cli, ini, runs)
    return row


def ms(seconds):
    return "%d ms" % round(seconds * 1000)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--sizes", default="12,50,100,200")
    parser.add_argument("--days", type=int, default=8)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("cli", nargs="?", default=os.path.join(ROOT, "build", "native", "cli", "rokuban-cli"))
    options = parser.parse_args()
    folder = tempfile.mkdtemp(prefix="rokuban-household-")
    try:
        rows = [measure(options.cli, int(size), options.days, options.runs, folder)
                for size in options.sizes.split(",")]
    finally:
        shutil.rmtree(folder, ignore_errors=True)
    columns = [("xmllint --noout", lambda r: ms(r["xmllint"][0])),
               ("import-xmltv", lambda r: "%s, %d MB" % (ms(r["import"][0]), r["import"][1] // 1024)),
               ("show --hour 21", lambda r: "%s, %d MB" % (ms(r["show"][0]), r["show"][1] // 1024)),
               ("search " + WORD, lambda r: "%s, %d MB" % (ms(r["search"][0]), r["search"][1] // 1024)),
               ("export json", lambda r: "%s, %d MB" % (ms(r["export"][0]), r["export"][1] // 1024)),
               ("web `/`", lambda r: ms(r["web"]["/"])),
               ("web `/search`", lambda r: ms(r["web"]["/search"])),
               ("web `/guide.xml`", lambda r: ms(r["web"]["/guide.xml"])),
               ("guide-server peak", lambda r: "%d MB" % (r["server peak"] // 1024))]
    print("| services (document) | " + " | ".join(name for name, _ in columns) + " |")
    print("|---" * (len(columns) + 1) + "|")
    for row in rows:
        print("| %d (%.1f MB) | " % (row["services"], row["bytes"] / 1e6) +
              " | ".join(cell(row) for _, cell in columns) + " |")
    by_size = {row["services"]: row for row in rows}
    if 50 in by_size and 200 in by_size:
        small, large = by_size[50], by_size[200]
        growth = []
        for name in ("import", "show", "search", "export"):
            growth.append("%s %.1f×" % (name, large[name][0] / small[name][0]))
        for name in ("/", "/search", "/guide.xml"):
            growth.append("%s %.1f×" % (name, large["web"][name] / small["web"][name]))
        print("\ngrowth from 50 to 200 services: " + ", ".join(growth))


if __name__ == "__main__":
    main()
