"""The driver itself, checked against the stand-in window program."""
import unittest

import e2e

session = None


def setUpModule():
    global session
    session = e2e.Wizard("driver")


def tearDownModule():
    session.close()


class DriverTest(unittest.TestCase):
    def tearDown(self):
        session.kill()

    def test_pages_clicks_and_boxes(self):
        page = session.start()
        w, h = session.colors["screen"]
        self.assertEqual((page.left, page.top), ((w - 539) // 2, (h - 382) // 2))
        self.assertEqual(session.page_pixel(300, 10), "00ACFF")
        session.click(356 + 36, 337 + 16)
        session.wait_page(2)
        session.click(452 + 36, 337 + 16)
        box = session.answer("提示", "No")
        self.assertEqual(box.text, "您确定要退出安装程序吗？")
        session.wait_page(2)
        session.close_request()
        session.answer("关闭", "Yes")
        self.assertEqual(session.wait_exit(), 0)

    def test_drag_moves_the_page(self):
        page = session.start()
        session.drag(300, 10, 350, 50)
        moved = session.windows()[0]
        self.assertEqual((moved.left - page.left, moved.top - page.top), (50, 40))

    def test_query_end_session_refused(self):
        page = session.start()
        session.driver.call("query-end-session", page.hwnd)
        session.answer("关闭", "No")
        self.assertEqual(session.driver.call("query-result", 5000), {"done": True, "result": 0})

    def test_screenshot_and_bar_watch(self):
        session.start()
        image = session.screenshot("standin-page1")
        self.assertEqual(session.page_colour(image, 0, 200), "0088FF")
        self.assertEqual(session.page_colour(image, 300, 10), "00ACFF")
        sx, sy = session.at(1, 10)
        widths = session.driver.call("bar-watch", sx, sy, "00ACFF", 537, 500)["widths"]
        self.assertEqual(widths[0][0], 537)

    def test_typing_reaches_the_focused_window(self):
        session.start()
        session.type("abc 岚笺")
        session.key("ctrl+v")
        session.driver.call("clip", "岚笺")
        self.assertEqual(session.wait_exit(0.2), None)

    def test_folder_dialog_walked_by_keyboard(self):
        session.start()
        cases = [("setup", "OK", "C:\\setup\\"), (None, "OK", "C:\\\\"), ("users", "Cancel", "C:\\\\")]
        for folder, button, field in cases:
            session.pick(folder, button)
            self.assertEqual(session.field_text(), field, (folder, button))
