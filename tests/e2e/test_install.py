"""Page 6: the whole road of an installation, the bar as the screen shows it,
the result box and its modality, and leaving while the bar still grows."""
import os
import time
import unittest

import e2e
import test_look

wizard = None


def setUpModule():
    global wizard
    wizard = e2e.Wizard("install")


def tearDownModule():
    wizard.close()


def titles_until_exit(timeout=10):
    """Titles of every box that shows before the program ends, and its exit code."""
    titles = set()
    deadline = time.time() + timeout
    while time.time() < deadline:
        code = wizard.wait_exit(0)
        if code is not None:
            return titles, code
        titles |= {b.title for b in wizard.boxes()}
        time.sleep(0.05)
    return titles, None


class InstallTest(unittest.TestCase):
    def tearDown(self):
        wizard.kill()

    def assert_page_ignores_input(self, page):
        for button in ("finish", "minimise", "close"):
            wizard.press(button, 6)
        wizard.drag(*e2e.STRIP, e2e.STRIP[0] + 80, e2e.STRIP[1] + 60)
        time.sleep(0.5)
        self.assertIsNone(wizard.wait_exit(0))
        self.assertEqual([b.title for b in wizard.boxes()], ["信息："])
        now = next(w for w in wizard.windows() if w.hwnd == page.hwnd)
        self.assertEqual((now.left, now.top, now.iconic, now.enabled),
                         (page.left, page.top, False, False))

    def test_whole_road_with_a_picked_folder(self):
        os.makedirs(wizard.unix_path("C:\\picked"), exist_ok=True)
        wizard.start()
        wizard.forward(4)
        wizard.pick("picked")
        self.assertEqual(wizard.field_text(), "C:\\picked\\")
        wizard.press("next")
        wizard.wait_page(5)
        wizard.press("next")
        widths = [w for w in wizard.watch_bar(timeout=60) if w]
        box = wizard.result_box()
        self.assertEqual((box.text, list(box.buttons)), ("安装成功", [1]))
        page = wizard.page = wizard.pages()[0]
        image = wizard.screenshot("page6-result-box")
        # The box comes up at once after the last step and may hide the
        # bar's end on screen; the last width is read across it.
        if widths[-1] != e2e.BAR_FULL:
            widths[-1:] = [wizard.bar_width(image)]
        self.assertEqual(widths, e2e.BAR_WIDTHS)
        self.assert_page_ignores_input(page)
        wizard.answer("信息：", "OK")
        time.sleep(1)
        self.assertEqual(wizard.boxes(), [])
        self.assertEqual(wizard.bar_width(), e2e.BAR_FULL)
        folder = wizard.unix_path("C:\\picked")
        self.assertEqual(e2e.install_problems(folder), [])
        self.assertEqual(os.listdir(os.fsencode(folder)), ["岚笺1.0".encode("gbk")])
        # After OK both confirmations still ask, and No keeps the page.
        wizard.press("close", 6)
        wizard.answer("提示", "No")
        wizard.close_request()
        wizard.answer("关闭", "No")
        wizard.wait_page(6)
        wizard.press("finish")
        self.assertEqual(wizard.wait_exit(), 0)

    # how the user leaves while the bar grows, and the box that asks first
    LEAVING = [("finish", None), ("close", "提示"), ("request", "关闭")]

    def test_leaving_during_the_animation_ends_with_0_and_no_result(self):
        for how, title in self.LEAVING:
            with self.subTest(how=how):
                wizard.install("C:\\leaving")
                wrong_look = []
                if how == "finish":
                    image = wizard.screenshot("page6-start")
                    wrong_look = test_look.wrong_points(wizard, image, 6)
                    wizard.watch_bar(until=e2e.BAR_WIDTHS[len(e2e.BAR_WIDTHS) // 2])
                    wizard.screenshot("page6-half-way")
                    wizard.press("finish")
                else:
                    wizard.close_request() if how == "request" else wizard.press("close")
                    wizard.answer(title, "Yes")
                titles, code = titles_until_exit()
                self.assertEqual(code, 0)
                self.assertNotIn("信息：", titles)
                self.assertEqual(wrong_look, [])

    def test_cancel_box_left_open_while_the_bar_completes(self):
        for answer, code in (("Yes", 0), ("No", None)):
            with self.subTest(answer=answer):
                wizard.install("C:\\left-open")
                wizard.press("close")
                wizard.wait_box("提示")
                wizard.result_box()
                self.assertEqual(sorted(b.title for b in wizard.boxes()), ["信息：", "提示"])
                wizard.screenshot("page6-two-boxes")
                wizard.answer("信息：", "OK")
                self.assertEqual([b.title for b in wizard.boxes()], ["提示"])
                wizard.answer("提示", answer)
                if code is None:
                    wizard.wait_page(6)
                    self.assertEqual(wizard.bar_width(), e2e.BAR_FULL)
                    wizard.press("finish")
                    code = 0
                self.assertEqual(wizard.wait_exit(), code)

    def test_minimised_page_still_gets_its_result(self):
        wizard.install("C:\\minimised")
        wizard.press("minimise")
        box = wizard.result_box()
        self.assertTrue(box.window.visible)
        self.assertTrue(any(w.iconic for w in wizard.pages(visible_only=False)))
        wizard.screenshot("page6-minimised-result")
        wizard.answer("信息：", "OK")
        wizard.restore()
        wizard.wait_page(6)
        wizard.press("finish")
        self.assertEqual(wizard.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
