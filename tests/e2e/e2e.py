"""Acting on the setup program like a user, through the driver in its Wine prefix.

A Session owns one Wine prefix, the driver running in it (through
scripts/wine-run.sh, on the display that the whole run shares) and a copy of
the program under test in the prefix's C: drive. Each scenario starts the
program afresh; what it installs lands under the prefix's drive_c.
"""
import json
import os
import select
import shutil
import struct
import subprocess
import time
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(os.path.dirname(HERE))
WINE_RUN = os.path.join(SOURCE, "scripts", "wine-run.sh")

# Filled in by run.py from the command line.
config = {"product": None, "driver": None, "build": None, "run_dir": None, "group": "e2e"}

PAGE_SIZE = (539, 382)
CAPTIONS = {1: "安装程序", 2: "用户协议", 3: "说明自述", 4: "安装选项", 5: "安装选项", 6: "安装进度"}
FRAME_COLOURS = {1: "0088FF", 2: "FF0000", 3: "000000", 4: "00FF00", 5: "FF8000", 6: "9000FF"}
BOX_BUTTONS = {"OK": 1, "Cancel": 2, "Yes": 6, "No": 7}
WM_CLOSE = 0x10
SETUP_DIR = "C:\\setup"
SETUP_EXE = SETUP_DIR + "\\lanjian-setup.exe"
AWAY = (3, 3)  # a screen point outside every page, where the mouse rests


class DriverError(Exception):
    pass


class Driver:
    """The driver process: one request line out, one JSON line back."""

    def __init__(self, run_dir, driver_exe):
        env = dict(os.environ, WITH_DISPLAY_KEEP="1")
        self.proc = subprocess.Popen(
            [WINE_RUN, run_dir, driver_exe], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
            stderr=open(os.path.join(run_dir, "driver.log"), "ab"), env=env)

    def call(self, *fields, timeout=120):
        line = "\t".join(str(f) for f in fields) + "\n"
        self.proc.stdin.write(line.encode("utf-8"))
        self.proc.stdin.flush()
        ready, _, _ = select.select([self.proc.stdout], [], [], timeout)
        if not ready:
            raise DriverError("driver gave no answer to %r" % (fields,))
        answer = self.proc.stdout.readline()
        if not answer:
            raise DriverError("driver ended")
        reply = json.loads(answer.decode("utf-8"))
        if "error" in reply:
            raise DriverError("%s: %s" % (fields[0], reply["error"]))
        return reply

    def close(self):
        try:
            self.proc.stdin.write(b"quit\n")
            self.proc.stdin.close()
            self.proc.wait(30)
        except (OSError, subprocess.TimeoutExpired):
            self.proc.kill()


class Image:
    """A screenshot: RGB bytes of the whole screen."""

    def __init__(self, width, height, data):
        self.width, self.height, self.data = width, height, data

    def at(self, x, y):
        i = (y * self.width + x) * 3
        return "%02X%02X%02X" % tuple(self.data[i:i + 3])

    def save_png(self, path):
        rows = b"".join(b"\0" + self.data[y * self.width * 3:(y + 1) * self.width * 3]
                        for y in range(self.height))

        def chunk(kind, body):
            return (struct.pack(">I", len(body)) + kind + body +
                    struct.pack(">I", zlib.crc32(kind + body) & 0xFFFFFFFF))
        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n")
            f.write(chunk(b"IHDR", struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)))
            f.write(chunk(b"IDAT", zlib.compress(rows, 6)))
            f.write(chunk(b"IEND", b""))


def screen_size():
    out = subprocess.run(["xdpyinfo"], capture_output=True, text=True).stdout
    for line in out.splitlines():
        if "dimensions:" in line:
            w, h = line.split()[1].split("x")
            return int(w), int(h)
    return 1024, 768


def grab_screen():
    """The root window as it is on the X display: what a user sees."""
    w, h = screen_size()
    data = subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                          capture_output=True, check=True).stdout
    return Image(w, h, data[:w * h * 3])


def wait_until(condition, timeout, step=0.1):
    deadline = time.time() + timeout
    while True:
        value = condition()
        if value or time.time() > deadline:
            return value
        time.sleep(step)


class Window:
    def __init__(self, info):
        self.info = info
        self.hwnd = info["hwnd"]
        self.cls = info["class"]
        self.text = info["text"]
        self.left, self.top, self.width, self.height = info["screen"]
        self.visible, self.enabled, self.iconic = info["visible"], info["enabled"], info["iconic"]
        self.children = [Window(c) for c in info.get("children", [])]

    @property
    def is_box(self):
        return self.cls == "#32770"

    def __repr__(self):
        return "<%s %r %s vis=%s en=%s>" % (self.cls, self.text, self.info["screen"], self.visible,
                                             self.enabled)


class Box:
    """A message box or another dialog of the program, as a user reads it."""

    def __init__(self, window):
        self.window = window
        self.title = window.text
        buttons = [c for c in window.children if c.cls.lower() == "button"]
        self.buttons = {b.info["id"]: b for b in buttons}
        self.button_texts = [b.text for b in buttons]
        self.text = "".join(c.text for c in window.children
                            if c.cls.lower() == "static" and c.text)

    def __repr__(self):
        return "<box %r %r %r>" % (self.title, self.text, self.button_texts)


class Session:
    """One Wine prefix with the driver in it; the program is started per scenario."""

    def __init__(self, name):
        self.name = name
        self.page = None
        self.run_dir = os.path.join(config["run_dir"], name)
        os.makedirs(self.run_dir, exist_ok=True)
        self.shots = os.path.join(config["build"], "screenshots", config["group"])
        os.makedirs(self.shots, exist_ok=True)
        self.driver = Driver(self.run_dir, config["driver"])
        self.colors = self.driver.call("syscolors")
        self.drive_c = os.path.join(self.run_dir, "prefix", "drive_c")
        self.install_product(config["product"])

    def install_product(self, exe):
        setup = os.path.join(self.drive_c, "setup")
        os.makedirs(setup, exist_ok=True)
        shutil.copyfile(exe, os.path.join(setup, "lanjian-setup.exe"))

    def close(self):
        self.kill()
        self.driver.close()

    # -- the program ------------------------------------------------------
    def start(self, cwd=None, page=1):
        self.kill()
        self.driver.call("move", *AWAY)
        args = ["start", SETUP_EXE] + ([cwd] if cwd else [])
        self.driver.call(*args)
        if page:
            return self.wait_page(page, timeout=30)

    def kill(self):
        self.driver.call("kill")

    def wait_exit(self, timeout=15):
        reply = self.driver.call("wait-exit", int(timeout * 1000), timeout=timeout + 60)
        return reply["code"] if reply["exited"] else None

    def windows(self):
        return [Window(w) for w in self.driver.call("windows")["windows"]]

    def pages(self, visible_only=True):
        return [w for w in self.windows()
                if not w.is_box and (w.visible or not visible_only)
                and ((w.width, w.height) == PAGE_SIZE or w.iconic)]

    def boxes(self):
        return [Box(w) for w in self.windows() if w.is_box and w.visible]

    def page_number(self, window):
        numbers = [n for n, c in CAPTIONS.items() if c == window.text]
        if len(numbers) <= 1 or window.iconic:
            return numbers[0] if numbers else None
        colour = self.pixel(window.left, window.top + 200)
        for n in numbers:
            if FRAME_COLOURS[n] == colour:
                return n
        return None

    def current(self):
        """The one open page, or None while a switch is under way."""
        pages = self.pages()
        return pages[0] if len(pages) == 1 else None

    def wait_page(self, number, timeout=10):
        def settled():
            page = self.current()
            if page and not self.boxes() and self.page_number(page) == number:
                return page
        page = wait_until(settled, timeout)
        if not page:
            raise AssertionError("page %d not shown alone; windows: %r" % (number, self.windows()))
        self.page = page
        return page

    def wait_box(self, title, timeout=10):
        def found():
            return next((b for b in self.boxes() if b.title == title and b.buttons), None)
        if not wait_until(found, timeout):
            raise AssertionError("no box %r; windows: %r" % (title, self.windows()))
        # A box is shown before its texts have all been read back once.
        time.sleep(0.2)
        return found()

    def answer(self, title, button):
        box = self.wait_box(title)
        target = box.buttons.get(BOX_BUTTONS.get(button, -1))
        if target is None:
            target = next((b for b in box.buttons.values() if b.text == button), None)
        if target is None:
            raise AssertionError("%r has no button %r" % (box, button))
        self.driver.call("click", target.left + target.width // 2, target.top + target.height // 2)
        self.driver.call("move", *AWAY)
        wait_until(lambda: all(b.window.hwnd != box.window.hwnd for b in self.boxes()), 5)
        return box

    # -- input at page coordinates ----------------------------------------
    def at(self, x, y, page=None):
        page = page or self.page
        return page.left + x, page.top + y

    def click(self, x, y, page=None):
        self.driver.call("click", *self.at(x, y, page))
        self.driver.call("move", *AWAY)

    def hover(self, x, y):
        self.driver.call("move", *self.at(x, y))

    def drag(self, x1, y1, x2, y2, steps=10):
        sx, sy = self.at(x1, y1)
        ex, ey = self.at(x2, y2)
        self.driver.call("down", sx, sy)
        for i in range(1, steps + 1):
            self.driver.call("move", sx + (ex - sx) * i // steps, sy + (ey - sy) * i // steps)
            self.driver.call("sleep", 20)
        self.driver.call("up", ex, ey)
        self.driver.call("move", *AWAY)

    def key(self, name):
        self.driver.call("key", name)

    def type(self, text):
        self.driver.call("type", text)

    def close_request(self, page=None):
        self.driver.call("post", (page or self.page).hwnd, WM_CLOSE, 0, 0)

    def pixel(self, sx, sy):
        return self.driver.call("pixel", sx, sy)["color"]

    def page_pixel(self, x, y):
        return self.pixel(*self.at(x, y))

    def control_at(self, x, y):
        """The deepest child window of the current page that holds page point x, y."""
        page = next(w for w in self.windows() if w.hwnd == self.page.hwnd)
        sx, sy = self.at(x, y)
        inside = [c for c in page.children if c.visible and
                  c.left <= sx < c.left + c.width and c.top <= sy < c.top + c.height]
        return min(inside, key=lambda c: c.width * c.height) if inside else None

    # -- pictures ----------------------------------------------------------
    def screenshot(self, name):
        image = grab_screen()
        image.save_png(os.path.join(self.shots, name + ".png"))
        return image

    def page_colour(self, image, x, y):
        return image.at(self.page.left + x, self.page.top + y)

    # -- files in the prefix -----------------------------------------------
    def unix_path(self, windows_path):
        """Where a C: path of the prefix lives on the Linux side."""
        assert windows_path[:3].upper() == "C:\\", windows_path
        return os.path.join(self.drive_c, *windows_path[3:].split("\\"))


def colour_name(session, value):
    """Resolves colour names of the system ("btnface") to RRGGBB."""
    return session.colors.get(value, value)


# Where a user clicks, in page coordinates: the centre of each button.
def _centre(left, top, width=72, height=32):
    return left + width // 2, top + height // 2


BUTTONS = {
    1: {"next": _centre(335, 309, 72, 56), "cancel": _centre(423, 333)},
    2: {"back": _centre(276, 337), "next": _centre(356, 337), "cancel": _centre(452, 337)},
    3: {"back": _centre(276, 337), "next": _centre(356, 337), "cancel": _centre(452, 337)},
    4: {"back": _centre(276, 337), "next": _centre(356, 337), "cancel": _centre(453, 337),
        "folder": _centre(471, 199, 40, 33), "field": (240, 215)},
    5: {"back": _centre(276, 337), "next": _centre(356, 337), "cancel": _centre(453, 337)},
    6: {"finish": _centre(452, 337)},
}
for _n in range(1, 7):
    # "×" lies at 506, 0 of the title strip (1, 1) on every page; "-" at 475, 1
    # of the strip on pages 2 to 6 and of the outer frame on page 1.
    BUTTONS[_n]["close"] = _centre(507, 1, 32, 28)
    BUTTONS[_n]["minimise"] = _centre(476, 2, 32, 27) if _n > 1 else _centre(475, 1, 32, 28)
AGREE = (32 + 12, 266 + 12)
REFUSE = (184 + 12, 266 + 12)
STRIP = (300, 15)
BAR_ROW = 174
BAR_LEFT = 4
BAR_FULL = 523
WM_SYSCOMMAND, SC_RESTORE = 0x112, 0xF120


class Wizard(Session):
    """The setup program's own road: its buttons, pages and boxes."""

    def press(self, button, page=None):
        number = page or self.page_number(self.page)
        self.click(*BUTTONS[number][button])

    def forward(self, to):
        """From the page shown now to page `to`, accepting the agreement on the way."""
        number = self.page_number(self.page)
        while number < to:
            if number == 2:
                self.click(*AGREE)
            if number == 4:
                raise AssertionError("forward() does not pass page 4; use commit()")
            self.press("next")
            number += 1
            self.wait_page(number)

    def field_text(self):
        field = self.control_at(*BUTTONS[4]["field"])
        return field.text if field else None

    def fill_field(self, text):
        self.click(*BUTTONS[4]["field"])
        self.key("ctrl+a")
        self.key("delete")
        self.type(text)

    def commit(self, folder):
        """On page 4: types the folder and presses "下一步"; page 5 follows."""
        self.fill_field(folder)
        self.press("next")
        return self.wait_page(5)

    def install(self, folder, cwd=None, timeout=120):
        """Starts the program and walks to page 6 with `folder`; returns page 6."""
        self.start(cwd=cwd)
        self.forward(4)
        self.commit(folder)
        self.press("next")
        return self.wait_page(6, timeout=timeout)

    def picker(self):
        return self.wait_box(next(b.title for b in wait_until(
            lambda: [b for b in self.boxes() if b.title != "提示"], 10)))

    def pick(self, folder=None, button="OK"):
        """Opens the folder dialog and picks C: or a folder right under it.

        The system's dialog is a tree of the desktop; the keyboard walks it as a
        user does: the last top item is the computer, its first child drive C:,
        and typing a child's name selects it.
        """
        self.press("folder", 4)
        box = self.picker()
        tree = next(c for c in box.window.children if c.cls == "SysTreeView32")
        self.driver.call("click", tree.left + 40, tree.top + 10)
        for key in ("end", "right", "down"):
            self.key(key)
            self.driver.call("sleep", 300)
        if folder:
            self.key("right")
            self.driver.call("sleep", 500)
            self.type(folder)
            self.driver.call("sleep", 300)
        self.screenshot("picker-%s" % (folder or "root"))
        self.answer(box.title, button)

    def restore(self):
        self.driver.call("post", self.page.hwnd, WM_SYSCOMMAND, SC_RESTORE, 0)

    def bar_width(self, image=None):
        """The bar's width as the screen shows it: the run of #0088FF from x=4 on
        row 174, read across any box that lies over the row."""
        if image is None:
            image = grab_screen()
        boxes = [b.window for b in self.boxes()]
        y = self.page.top + BAR_ROW

        def covered(x):
            return any(b.left <= x < b.left + b.width and b.top <= y < b.top + b.height
                       for b in boxes)
        width = 0
        for x in range(BAR_LEFT, 532):
            if self.page_colour(image, x, BAR_ROW) == "0088FF":
                width = x - BAR_LEFT + 1
            elif not covered(self.page.left + x):
                break
        return width

    def watch_bar(self, until=BAR_FULL, timeout=10):
        """Every width the bar shows on screen until it reaches `until` or stays
        put for a second (a box that comes up may hide its end)."""
        sx, sy = self.at(BAR_LEFT, BAR_ROW)
        reply = self.driver.call("bar-watch", sx, sy, "0088FF", until, int(timeout * 1000), 1000,
                                 timeout=timeout + 60)
        return [w for w, _ in reply["widths"]]

    def result_box(self, timeout=15):
        """The box that reports the outcome after the bar: OK is its only button
        (a success is titled "信息：", a failure may be titled otherwise)."""
        def found():
            return next((b for b in self.boxes() if list(b.buttons) == [1]), None)
        if not wait_until(found, timeout):
            raise AssertionError("no result box; windows: %r" % self.windows())
        return self.wait_box(found().title)


BAR_WIDTHS = list(range(13, BAR_FULL + 1, 15))


def entry_name(info):
    """An entry's name as the file system gets it: GBK unless flagged UTF-8."""
    if info.flag_bits & 0x800:
        return info.filename
    return info.filename.encode("cp437").decode("gbk")


def payload_entries(archive=None):
    """(relative path, bytes or None for a folder) of every entry of the payload."""
    import zipfile
    archive = archive or os.path.join(config["build"], "payload", "payload.zip")
    with zipfile.ZipFile(archive) as z:
        return [(entry_name(i).rstrip("/"), None if i.is_dir() else z.read(i)) for i in z.infolist()]


def unix_name(folder, name):
    """The Linux path of `name` ("/" between levels) inside `folder`. Wine names
    files on the Linux side in the locale's character set, GBK here."""
    return os.path.join(os.fsencode(folder), *[p.encode("gbk") for p in name.split("/")])


def install_problems(folder):
    """What is wrong with the tree installed in the Unix folder `folder`, if anything."""
    problems = []
    for name, data in payload_entries():
        path = unix_name(folder, name)
        if data is None and not os.path.isdir(path):
            problems.append("folder missing: " + name)
        elif data is not None and not os.path.isfile(path):
            problems.append("file missing: " + name)
        elif data is not None and open(path, "rb").read() != data:
            problems.append("file differs: " + name)
        elif data is not None and not os.stat(path).st_mode & 0o200:
            problems.append("file left read-only: " + name)
    return problems


def program_file():
    """The payload's program file, as a path relative to the install folder."""
    return next(name for name, data in payload_entries() if name.lower().endswith(".exe"))


def snapshot(root, skip=()):
    """Names, sizes and times of everything under `root`, leaving out `skip`."""
    seen = {}
    skip = [os.path.normpath(s) for s in skip]
    for top, dirs, files in os.walk(root):
        dirs[:] = [d for d in dirs if os.path.normpath(os.path.join(top, d)) not in skip]
        for name in dirs + files:
            path = os.path.join(top, name)
            st = os.lstat(path)
            # A folder counts by its name alone: a new entry inside it
            # changes its time.
            seen[os.path.relpath(path, root)] = (
                "folder" if name in dirs else (st.st_size, st.st_mtime_ns, st.st_mode))
    return seen
