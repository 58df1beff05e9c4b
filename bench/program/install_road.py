"""Times the install road of a setup program that carries a big archive:
from the click on "安装" on page 5 until page 6 shows its bar, which it does
once the install run (writing the temporary archive, extract, removing it)
is over. Against it, in the same Wine prefix and on the same display:
install_run_bench, the same install run without a page, and engine_bench,
extract alone, on the same archive. The three take turns, each run into a
fresh folder; prints every run, then median, minimum and maximum, and what
the temporary archive and the page switch add.

Usage: install_road.py --product EXE --driver EXE --install-run-bench EXE
                       --engine-bench EXE --archive ZIP --build DIR --run-dir DIR
                       [--runs N]
It expects DISPLAY to name the display of the whole run
(scripts/with-display.sh) and WINE_TEMPLATE to name the template prefix.
"""
import argparse
import os
import re
import shutil
import statistics
import subprocess
import sys
import time
import zipfile

SOURCE = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
sys.path.insert(0, os.path.join(SOURCE, "tests", "e2e"))
import e2e  # noqa: E402

BAR_COLOUR = "0088FF"
POLL_SECONDS = 0.02
ROAD_TIMEOUT = 600

# The figures, as the report names them.
ROAD = '"安装" to page 6 shown'
RUN_ALONE = "install run alone (install_run_bench)"
EXTRACT_ALONE = "extract alone (engine_bench)"


def windows_path(unix_path):
    return "Z:" + os.path.abspath(unix_path).replace("/", "\\")


def fresh_folder(wizard, folder):
    shutil.rmtree(os.fsencode(wizard.unix_path(folder)), ignore_errors=True)


def road_ms(wizard, folder):
    """Milliseconds from the click on "安装" to page 6's bar on the screen."""
    wizard.start()
    wizard.forward(4)
    wizard.commit(folder)
    bar = wizard.at(e2e.BAR_LEFT, e2e.BAR_ROW)
    if wizard.pixel(*bar) == BAR_COLOUR:
        raise AssertionError("page 5 shows the bar's colour where page 6's bar begins")
    wizard.driver.call("click", *wizard.at(*e2e.BUTTONS[5]["next"]))
    clicked = time.monotonic()
    while wizard.pixel(*bar) != BAR_COLOUR:
        if time.monotonic() - clicked > ROAD_TIMEOUT:
            raise AssertionError("page 6 not shown after %d s" % ROAD_TIMEOUT)
        time.sleep(POLL_SECONDS)
    elapsed = (time.monotonic() - clicked) * 1000
    wizard.wait_page(6)
    box = wizard.result_box(timeout=60)
    if box.text != "安装成功":
        raise AssertionError("the install failed: %r" % box.text)
    wizard.kill()
    return elapsed


def wine_environment(wizard):
    """The environment scripts/wine-run.sh gives a program, in the session's prefix."""
    return dict(os.environ, WINEPREFIX=os.path.join(wizard.run_dir, "prefix"), WINEDEBUG="-all",
                LC_ALL="zh_CN.GBK", LANG="zh_CN.GBK",
                WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=")


def timed_inside(wizard, program, archive, folder):
    """The milliseconds that `program` reports for its work on `archive` into `folder`."""
    done = subprocess.run(["wine", program, windows_path(archive), folder],
                          env=wine_environment(wizard), capture_output=True, text=True)
    found = re.search(r"=(-?\d+) ms=(\d+)", done.stdout)
    if not found or found.group(1) != "1":
        raise AssertionError("%s failed: %r %r" % (os.path.basename(program), done.stdout,
                                                   done.stderr[-500:]))
    return float(found.group(2))


def describe(archive):
    with zipfile.ZipFile(archive) as z:
        entries = z.infolist()
    files = sum(1 for i in entries if not i.is_dir())
    unpacked = sum(i.file_size for i in entries)
    return "%s: %d files, %.1f MB packed, %.1f MB unpacked" % (
        os.path.basename(archive), files, os.path.getsize(archive) / 2**20, unpacked / 2**20)


def report(archive, runs, times):
    print("\ninstall benchmark, %s" % describe(archive))
    print("(ms, %d runs each, taking turns, each into a fresh folder; the road is wall time "
          "with page 6 seen by polling every %d ms, the others are timed inside the process)"
          % (runs, POLL_SECONDS * 1000))
    print("%-44s %9s %9s %9s" % ("", "median", "min", "max"))
    median = {}
    for name, values in times.items():
        median[name] = statistics.median(values)
        print("%-44s %9.0f %9.0f %9.0f" % (name, median[name], min(values), max(values)))
    # Runs next to each other share the machine's load of the moment, so each
    # difference is taken within a run and the median of those is shown.
    print("\nwhat each part adds (median of the differences within each run)")
    for name, later, earlier in (("temporary archive (run - extract)", RUN_ALONE, EXTRACT_ALONE),
                                 ("page switch (road - run)", ROAD, RUN_ALONE),
                                 ("both (road - extract)", ROAD, EXTRACT_ALONE)):
        added = statistics.median(a - b for a, b in zip(times[later], times[earlier]))
        print("%-44s %9.0f   %5.1f %% of the road" % (name, added, 100 * added / median[ROAD]))
    print("%-44s %9.2f" % ("road / extract alone (medians)", median[ROAD] / median[EXTRACT_ALONE]))


def main():
    parser = argparse.ArgumentParser()
    for option in ("--product", "--driver", "--install-run-bench", "--engine-bench", "--archive",
                   "--build", "--run-dir"):
        parser.add_argument(option, required=True)
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    e2e.config.update(product=args.product, driver=args.driver, build=args.build,
                      run_dir=args.run_dir, group="bench-install")
    wizard = e2e.Wizard("road")
    folder = "C:\\bench-install"
    measures = {
        ROAD: lambda: road_ms(wizard, folder),
        RUN_ALONE: lambda: timed_inside(wizard, args.install_run_bench, args.archive, folder),
        EXTRACT_ALONE: lambda: timed_inside(wizard, args.engine_bench, args.archive, folder),
    }
    times = {name: [] for name in measures}
    try:
        for run in range(1, args.runs + 1):
            for name, measure in measures.items():
                fresh_folder(wizard, folder)
                times[name].append(measure())
            fresh_folder(wizard, folder)
            print("run %d: " % run + ", ".join("%s %.0f ms" % (name, values[-1])
                                               for name, values in times.items()), flush=True)
    finally:
        wizard.close()
    report(args.archive, args.runs, times)


if __name__ == "__main__":
    main()
