"""The page flow and every road out of the program, as a user walks them."""
import os
import unittest

import e2e

wizard = None


def setUpModule():
    global wizard
    wizard = e2e.Wizard("flow")


def tearDownModule():
    wizard.close()


QUESTION = "您确定要退出安装程序吗？"


class FlowTest(unittest.TestCase):
    def tearDown(self):
        wizard.kill()

    def assert_alone(self, number):
        """Page `number` is shown, and no other page window exists, hidden or not."""
        page = wizard.wait_page(number)
        self.assertEqual(len(wizard.pages(visible_only=False)), 1, wizard.windows())
        w, h = wizard.colors["screen"]
        self.assertEqual((page.left, page.top), ((w - 539) // 2, (h - 382) // 2))
        return page

    def test_forward_to_5_and_back_to_1(self):
        wizard.start()
        self.assert_alone(1)
        for number in (2, 3, 4):
            wizard.forward(number)
            self.assert_alone(number)
        wizard.commit("C:\\flow")
        self.assert_alone(5)
        for number in (4, 3, 2, 1):
            wizard.press("back")
            self.assert_alone(number)
        wizard.screenshot("flow-back-at-page1")

    def test_forward_to_6_and_finish(self):
        wizard.install("C:\\flow6")
        self.assert_alone(6)
        wizard.result_box()
        wizard.answer("信息：", "OK")
        wizard.press("finish")
        self.assertEqual(wizard.wait_exit(), 0)

    def test_the_last_commit_is_the_install_folder(self):
        wizard.start()
        wizard.forward(4)
        wizard.commit("C:\\first")
        wizard.press("back")
        wizard.wait_page(4)
        self.assertEqual(wizard.field_text(), "")
        wizard.press("back")
        wizard.wait_page(3)
        wizard.forward(4)
        wizard.commit("C:\\second")
        wizard.press("next")
        wizard.wait_page(6, timeout=60)
        wizard.result_box()
        self.assertEqual(e2e.install_problems(wizard.unix_path("C:\\second")), [])
        self.assertFalse(os.path.exists(wizard.unix_path("C:\\first")))

    # page, how the user asks to leave, the box's title
    ROADS = [
        (1, "cancel", "提示"), (1, "close", "提示"), (1, "request", "关闭"),
        (3, "cancel", "提示"), (3, "close", "提示"), (3, "request", "关闭"),
        (5, "cancel", "提示"), (5, "close", "提示"), (5, "request", "关闭"),
    ]

    def ask_to_leave(self, how):
        if how == "request":
            wizard.close_request()
        else:
            wizard.press(how)

    def go_to(self, number):
        wizard.start()
        if number <= 4:
            wizard.forward(number)
        else:
            wizard.forward(4)
            wizard.commit("C:\\roads")

    def test_every_road_out_answered_yes_ends_with_0(self):
        for number, how, title in self.ROADS:
            with self.subTest(page=number, how=how):
                self.go_to(number)
                self.ask_to_leave(how)
                box = wizard.answer(title, "Yes")
                self.assertEqual(box.text, QUESTION)
                self.assertEqual(wizard.wait_exit(), 0)

    def test_no_in_either_box_leaves_the_page_as_it_was(self):
        wizard.start()
        wizard.forward(2)
        wizard.click(*e2e.AGREE)
        for how, title in (("cancel", "提示"), ("close", "提示"), ("request", "关闭")):
            with self.subTest(how=how):
                self.ask_to_leave(how)
                box = wizard.answer(title, "No")
                self.assertEqual((box.text, len(box.buttons)), (QUESTION, 2))
                self.assert_alone(2)
                self.assertIsNone(wizard.wait_exit(0.3))
        # The agreement is still accepted: "下一步" leads on.
        wizard.press("next")
        self.assert_alone(3)

    def test_log_off_query_asks_and_no_refuses_it(self):
        page = wizard.start()
        wizard.driver.call("query-end-session", page.hwnd)
        wizard.answer("关闭", "No")
        self.assertEqual(wizard.driver.call("query-result", 5000), {"done": True, "result": 0})
        self.assert_alone(1)
        wizard.driver.call("query-end-session", page.hwnd)
        wizard.answer("关闭", "Yes")
        reply = wizard.driver.call("query-result", 5000)
        self.assertTrue(reply["done"] and reply["result"] != 0, reply)
        self.assertEqual(wizard.wait_exit(), 0)


if __name__ == "__main__":
    unittest.main()
