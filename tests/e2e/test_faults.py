"""Installations that go wrong, or nearly: for each case the box that page 6
shows, the exit code of "完成", what is on disk afterwards, and that nothing
outside the install folder changed."""
import io
import os
import shutil
import subprocess
import unittest
import zipfile

import e2e

wizard = None
SUCCESS = "安装成功"
TOP = "岚笺1.0"


def setUpModule():
    global wizard
    wizard = e2e.Wizard("faults")


def tearDownModule():
    wizard.close()


def unpack_payload(folder, content=None):
    """Puts an earlier installation into the Unix folder `folder`."""
    for name, data in e2e.payload_entries():
        path = e2e.unix_name(folder, name)
        if data is None:
            os.makedirs(path, exist_ok=True)
        else:
            with open(path, "wb") as f:
                f.write(data if content is None else content)


class Outcome:
    def __init__(self, title, text, code, changed):
        self.title, self.text, self.code, self.changed = title, text, code, changed


class InstallCase(unittest.TestCase):
    def tearDown(self):
        wizard.kill()
        wizard.driver.call("kill-spawned")

    def run_install(self, folder, target, cwd=None):
        """Installs into `folder` (as typed) and reports what happened; `target`
        is the Windows folder where the installation may write."""
        drive_c = wizard.drive_c
        skip = [os.path.join(drive_c, "windows"), os.path.join(drive_c, "users"),
                wizard.unix_path(target)]
        before = e2e.snapshot(drive_c, skip)
        wizard.install(folder, cwd=cwd)
        box = wizard.result_box(timeout=60)
        wizard.screenshot("result-" + "".join(c for c in target if c.isalnum()))
        wizard.answer(box.title, "OK")
        wizard.wait_page(6)
        wizard.press("finish")
        code = wizard.wait_exit()
        after = e2e.snapshot(drive_c, skip)
        # A missing install folder is made with its parents: new folders on
        # the way to the target are part of the installation.
        steps = os.path.relpath(wizard.unix_path(target), drive_c).split(os.sep)
        parents = {os.path.join(*steps[:n]) for n in range(1, len(steps))}
        changed = sorted(k for k in set(before) | set(after) if before.get(k) != after.get(k)
                         and not (k in parents and after.get(k) == "folder"))
        return Outcome(box.title, box.text, code, changed)

    def assert_installed(self, outcome, target, extra=()):
        self.assertEqual((outcome.title, outcome.text, outcome.code, outcome.changed),
                         ("信息：", SUCCESS, 0, []))
        folder = wizard.unix_path(target)
        self.assertEqual(e2e.install_problems(folder), [])
        names = sorted(os.listdir(os.fsencode(folder)))
        self.assertEqual(names, sorted([TOP.encode("gbk")] + [e.encode() for e in extra]))

    def assert_failed(self, outcome, folder):
        print("\n    %s: [%s] %s" % (folder, outcome.title, outcome.text.replace("\r\n", " / ")))
        self.assertNotEqual(outcome.text, SUCCESS)
        self.assertIn(folder.rstrip("\\").split("\\")[-1], outcome.text)
        self.assertEqual((outcome.code, outcome.changed), (1, []))


class FaultTest(InstallCase):
    # (typed folder, folder made beforehand, where the product lands)
    GOOD_FOLDERS = [
        ("C:\\exist-a", "C:\\exist-a", "C:\\exist-a"),
        ("C:\\exist-b\\", "C:\\exist-b", "C:\\exist-b"),
        ("C:\\new-c\\deeper", None, "C:\\new-c\\deeper"),
    ]

    def test_good_folders_are_installed_into(self):
        for typed, made, target in self.GOOD_FOLDERS:
            with self.subTest(folder=typed):
                if made:
                    os.makedirs(wizard.unix_path(made), exist_ok=True)
                self.assert_installed(self.run_install(typed, target), target)

    def test_relative_folder_lands_beside_the_setup_program(self):
        # started from another folder: the program's own folder still counts
        outcome = self.run_install("rel-d\\sub", "C:\\setup\\rel-d", cwd="C:\\users")
        self.assert_installed(outcome, "C:\\setup\\rel-d\\sub")

    def test_spaces_only_are_reported_honestly(self):
        def trees():
            return {top for top, dirs, _ in os.walk(os.fsencode(wizard.unix_path("C:\\setup")))
                    if TOP.encode("gbk") in dirs}
        earlier = trees()
        outcome = self.run_install("   ", "C:\\setup")
        print("\n    spaces: [%s] %s" % (outcome.title, outcome.text))
        trees = sorted(trees() - earlier)
        if outcome.text == SUCCESS:
            self.assertEqual(outcome.code, 0)
            self.assertEqual(len(trees), 1, trees)
            self.assertEqual(e2e.install_problems(os.fsdecode(trees[0])), [])
        else:
            self.assertEqual((outcome.code, trees), (1, []))

    def test_name_the_file_system_refuses(self):
        outcome = self.run_install("C:\\bad<name>|x", "C:\\bad<name>|x")
        self.assert_failed(outcome, "C:\\bad<name>|x")

    def test_reinstall_over_read_only_files(self):
        folder = wizard.unix_path("C:\\ro-g")
        unpack_payload(folder, content=b"an older version")
        for top, _, files in os.walk(os.fsencode(folder)):
            for name in files:
                os.chmod(os.path.join(top, name), 0o444)
        self.assert_installed(self.run_install("C:\\ro-g", "C:\\ro-g"), "C:\\ro-g")

    def test_installed_program_running_fails_and_says_so(self):
        unpack_payload(wizard.unix_path("C:\\busy-h"))
        program = "C:\\busy-h\\" + e2e.program_file().replace("/", "\\")
        wizard.driver.call("spawn", program)
        outcome = self.run_install("C:\\busy-h", "C:\\busy-h")
        self.assert_failed(outcome, "C:\\busy-h")
        self.assertNotIn(b"stup.zip", os.listdir(os.fsencode(wizard.unix_path("C:\\busy-h"))))

    def test_users_own_stup_zip_is_kept(self):
        folder = wizard.unix_path("C:\\mine-j")
        os.makedirs(folder, exist_ok=True)
        mine = os.path.join(folder, "stup.zip")
        with open(mine, "wb") as f:
            f.write(b"the user's own archive")
        self.assert_installed(self.run_install("C:\\mine-j", "C:\\mine-j"), "C:\\mine-j",
                              extra=["stup.zip"])
        self.assertEqual(open(mine, "rb").read(), b"the user's own archive")

    def test_full_disk_fails_and_says_so(self):
        mount = os.path.join(wizard.run_dir, "small-disk")
        os.makedirs(mount, exist_ok=True)
        if subprocess.run(["mount", "-t", "tmpfs", "-o", "size=256k", "tmpfs", mount]).returncode:
            self.skipTest("cannot mount a small tmpfs (mount needs root); full disk not tried")
        self.addCleanup(subprocess.run, ["umount", "-l", mount])
        drive = os.path.join(wizard.run_dir, "prefix", "dosdevices", "t:")
        if os.path.lexists(drive):
            os.remove(drive)
        os.symlink(mount, drive)
        filler = os.path.join(mount, "filler")
        archive = os.path.getsize(os.path.join(e2e.config["build"], "payload", "payload.zip"))
        free = os.statvfs(mount).f_bavail * os.statvfs(mount).f_frsize
        with open(filler, "wb") as f:
            f.write(b"\xa5" * max(0, free - archive // 2))
        kept = open(filler, "rb").read()
        outcome = self.run_install("T:\\full", "C:\\nowhere")
        self.assert_failed(outcome, "T:\\full")
        self.assertEqual(open(filler, "rb").read(), kept)
        left = os.listdir(os.path.join(mount, "full")) if os.path.isdir(os.path.join(mount, "full")) else []
        self.assertNotIn("stup.zip", left)


def small_archive(names):
    """A ZIP of ASCII-named entries: folders end in "/", files hold some text."""
    buffer = io.BytesIO()
    with zipfile.ZipFile(buffer, "w", zipfile.ZIP_DEFLATED) as z:
        for name in names:
            if name.endswith("/"):
                z.writestr(zipfile.ZipInfo(name), b"")
            else:
                z.writestr(name, ("line of the diary's help text\r\n" * 200).encode())
    return buffer.getvalue()


def with_wrong_crc(data):
    """Flips one bit of the file entry's CRC-32 in its local header and its
    central record alike, so only the data disagrees."""
    data = bytearray(data)
    with zipfile.ZipFile(io.BytesIO(bytes(data))) as z:
        entry = next(i for i in z.infolist() if not i.is_dir())
    data[entry.header_offset + 14] ^= 1
    central = data.find(b"PK\x01\x02")
    while central >= 0:
        name_length = int.from_bytes(data[central + 28:central + 30], "little")
        if data[central + 46:central + 46 + name_length] == entry.filename.encode():
            data[central + 16] ^= 1
            break
        central = data.find(b"PK\x01\x02", central + 4)
    return bytes(data)


def truncated(data):
    """The first two thirds: the entries' start without the central directory."""
    return data[:len(data) * 2 // 3]


VARIANTS = {
    "bad-crc": lambda: with_wrong_crc(small_archive(["lj/", "lj/help.txt"])),
    "truncated": lambda: truncated(small_archive(["lj/", "lj/help.txt", "lj/more.txt"])),
    "dotdot": lambda: small_archive(["lj/", "lj/../../escape.txt"]),
}


def build_variant(name, archive):
    """lanjian-setup.exe built with `archive` as its payload, in
    <build>/payload-variants/NAME; one shared tree keeps the rebuilds short."""
    root = os.path.join(e2e.config["build"], "payload-variants")
    tree, out = os.path.join(root, "tree"), os.path.join(root, name)
    os.makedirs(out, exist_ok=True)
    payload = os.path.join(out, "payload.zip")
    with open(payload, "wb") as f:
        f.write(archive)
    log = open(os.path.join(out, "build.log"), "w")
    subprocess.run(["cmake", "-S", e2e.SOURCE, "-B", tree, "-G", "Ninja",
                    "--toolchain", os.path.join(e2e.SOURCE, "cmake", "mingw-i686.cmake"),
                    "-DCMAKE_BUILD_TYPE=MinSizeRel", "-DSETUP_PAYLOAD=" + payload],
                   check=True, stdout=log, stderr=subprocess.STDOUT)
    subprocess.run(["cmake", "--build", tree, "--target", "lanjian-setup"],
                   check=True, stdout=log, stderr=subprocess.STDOUT)
    exe = os.path.join(out, "lanjian-setup.exe")
    shutil.copyfile(os.path.join(tree, "lanjian-setup.exe"), exe)
    return exe


class DamagedPayloadTest(InstallCase):
    def test_damaged_payloads_fail_and_say_so(self):
        self.addCleanup(wizard.install_product, e2e.config["product"])
        for name, make in VARIANTS.items():
            with self.subTest(payload=name):
                wizard.install_product(build_variant(name, make()))
                target = "C:\\variant-" + name
                outcome = self.run_install(target, target)
                self.assert_failed(outcome, target)
                # The fault lies in the setup program, not in the folder the
                # user typed, and the message should say so.
                self.assertIn("损坏", outcome.text)
                self.assertFalse(os.path.exists(wizard.unix_path("C:\\escape.txt")))
                wizard.kill()


if __name__ == "__main__":
    unittest.main()
