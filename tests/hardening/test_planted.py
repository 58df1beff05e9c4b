"""DLLs planted beside the setup program are never loaded by it.

Installers run from download folders, where anybody may have left a DLL named
like a system one. Each planted DLL here leaves a marker file when it is loaded.
Wine would take its own built-in copies even where Windows takes the planted
one, so the prefix is told to prefer a native DLL for every planted name, as
Windows does for DLLs that are not KnownDLLs. The one exception is version.dll:
Wine's own user32 imports it when a process starts, before any code of the
program runs (Windows' user32 does not), so preferring a native copy would test
Wine's loader instead of the program; it stays planted with Wine's default.
The control case shows that a program without protection does load a planted
DLL, so the check can fail.
"""
import os
import shutil
import unittest

import e2e

PLANTED = [
    "version.dll", "uxtheme.dll", "dwmapi.dll", "cryptbase.dll", "propsys.dll",
    "winmm.dll", "userenv.dll", "profapi.dll", "wtsapi32.dll", "msimg32.dll",
    "comctl32.dll", "riched20.dll", "shfolder.dll", "secur32.dll", "netapi32.dll",
    "cryptsp.dll", "oleacc.dll", "apphelp.dll", "dbghelp.dll", "textshaping.dll",
]
MARKER_DLL = os.environ["PLANTED_MARKER_DLL"]
LOADER = os.environ["PLANTED_LOADER"]

wizard = None


WINE_STARTUP_IMPORTS = {"version.dll"}


def setUpModule():
    global wizard
    names = ",".join(name[:-4] for name in PLANTED if name not in WINE_STARTUP_IMPORTS)
    os.environ["WINEDLLOVERRIDES"] = names + "=n,b"
    wizard = e2e.Wizard("planted")
    for name in PLANTED:
        shutil.copyfile(MARKER_DLL, os.path.join(wizard.unix_path(e2e.SETUP_DIR), name))
    shutil.copyfile(LOADER, os.path.join(wizard.unix_path(e2e.SETUP_DIR), "loader.exe"))


def tearDownModule():
    wizard.close()


class PlantedDllTest(unittest.TestCase):
    def markers(self):
        folder = os.path.join(wizard.unix_path(e2e.SETUP_DIR), "planted-markers")
        return sorted(os.listdir(folder)) if os.path.isdir(folder) else []

    def clear_markers(self):
        shutil.rmtree(os.path.join(wizard.unix_path(e2e.SETUP_DIR), "planted-markers"),
                      ignore_errors=True)

    def test_an_unprotected_program_loads_the_planted_dll(self):
        self.clear_markers()
        wizard.driver.call("start", e2e.SETUP_DIR + "\\loader.exe")
        self.assertEqual(wizard.wait_exit(), 0)
        self.assertIn("dwmapi.dll", self.markers())

    def test_the_setup_program_loads_none_through_a_whole_install(self):
        self.clear_markers()
        wizard.start()
        wizard.forward(4)
        wizard.pick(button="Cancel")  # the folder dialog loads DLLs of its own
        wizard.commit("C:\\planted-install")
        wizard.press("next")
        wizard.wait_page(6, timeout=120)
        wizard.result_box()
        wizard.answer("信息：", "OK")
        wizard.press("finish")
        self.assertEqual(wizard.wait_exit(), 0)
        # Wine names files on the Linux side in the locale's encoding, GBK here.
        installed = os.path.join(wizard.unix_path("C:\\planted-install").encode(), "岚笺1.0".encode("gbk"))
        self.assertTrue(os.path.isdir(installed))
        self.assertEqual(self.markers(), [])
