"""Pages 1 to 5 as they look and behave on screen: colours point by point from
screenshots, hover colours, dragging, minimising, page 2's gating, page 4's
field and folder dialog, and the read-only text boxes."""
import unittest

import e2e

wizard = None


def setUpModule():
    global wizard
    wizard = e2e.Wizard("look")


def tearDownModule():
    wizard.close()


AGREEMENT = ("用户协议：\r\n\r\n在本程序安装完成您已经默认接受协议。\r\n\r\n1、暂无\r\n\r\n2、暂无\r\n\r\n"
             "3、暂无\r\n\r\n")
README_START = ("岚笺是一款电子日记本软件\r\n\r\n界面简洁，无毒无害\r\n\r\n本软件承诺永久免费\r\n\r\n"
                "重要的事情说三遍：\r\n\r\n招收广告位 招收广告位 招收广告位\r\n\r\n\r\n")

# Connector backgrounds per page: 编辑框2, 编辑框4, 编辑框3, 编辑框5.
CONNECTORS = {2: "GGGG", 3: "WGGG", 4: "WWGG", 5: "WWWG", 6: "WWWW"}
ROW_BUTTONS = {
    1: [(423, 333, 72, 32), (335, 309, 72, 56)],
    2: [(276, 337, 72, 32), (356, 337, 72, 32), (452, 337, 72, 32)],
    3: [(276, 337, 72, 32), (356, 337, 72, 32), (452, 337, 72, 32)],
    4: [(276, 337, 72, 32), (356, 337, 72, 32), (453, 337, 72, 32)],
    5: [(276, 337, 72, 32), (356, 337, 72, 32), (453, 337, 72, 32)],
    6: [(452, 337, 72, 32)],
}


def frame_points(number):
    """(what, x, y, colour) for the frame that every page shares."""
    edge = e2e.FRAME_COLOURS[number]
    points = [("frame left", 0, 100, edge), ("frame right", 538, 100, edge),
              ("frame top", 200, 0, edge), ("frame bottom", 200, 381, edge),
              ("strip", 250, 4, "00ACFF"), ("strip", 400, 26, "00ACFF"),
              ("strip under \"×\"", 509, 3, "00ACFF"),
              ("strip under \"-\"", 478 if number > 1 else 477, 4, "00ACFF")]
    for left, top, width, height in ROW_BUTTONS[number]:
        points += [("button %d,%d" % (left, top), left + 2, top + 2, "008000"),
                   ("button %d,%d" % (left, top), left + width - 3, top + height - 3, "008000")]
    if number == 1:
        return points
    up = 1 if number == 3 else 0
    icons = [(1, 30), (129, 30 - up), (256, 33 - up), (390, 33 - up)]
    for i, (left, top) in enumerate(icons):
        points.append(("step icon %d corner" % (i + 1), left + 1, top + 1, "btnface"))
    connectors = [(54, 47 - up, 100), (183, 47 - up, 220), (308, 48 - up, 350), (436, 48 - up, 490)]
    for (left, top, probe), kind in zip(connectors, CONNECTORS[number]):
        colour = "FFFFFF" if kind == "W" else "C0C0C0"
        points += [("connector at %d" % left, probe, top + 10, colour),
                   ("connector border at %d" % left, probe, top, "000000")]
    # The step icon lies above the connector's end: its transparent corner
    # shows button face where the connector's black border runs below it.
    points.append(("icon 1 above connector", 55, 66 - up, "btnface"))
    return points


PAGE_POINTS = {
    6: [("bar", 5, 163, "0088FF"), ("bar", 15, 184, "0088FF"),
        ("track edge", 3, 160, "00FF00"), ("track edge", 300, 160, "00FF00"),
        ("track edge", 531, 187, "00FF00"), ("track inside", 527, 174, "btnface"),
        ("label background", 430, 204, "FFFFFF")],
    1: [],
    2: [("agreement box", 480, 240, "FFFFFF"), ("agreement box edge", 200, 108, "shadow")],
    3: [("readme box", 470, 200, "FFFFFF"), ("readme box edge", 200, 116, "shadow")],
    4: [("folder field", 300, 202, "ECECEC"), ("folder field", 455, 228, "ECECEC"),
        ("field frame", 27, 198, "0088FF"), ("field frame", 460, 231, "0088FF"),
        ("field frame", 27, 215, "0088FF"), ("field frame", 300, 231, "0088FF"),
        ("folder button", 473, 201, "0060C0"), ("folder button", 508, 229, "0060C0")],
    5: [],
}

# Under the mouse: (page, where the mouse rests, a point that changes, colour).
HOVERS = [
    (1, e2e.BUTTONS[1]["next"], (337, 311), "00B700"),
    (1, e2e.BUTTONS[1]["close"], (509, 3), "FF0000"),
    (1, e2e.BUTTONS[1]["minimise"], (477, 4), "0088FF"),
    (3, e2e.BUTTONS[3]["back"], (278, 339), "00B700"),
    (3, e2e.BUTTONS[3]["close"], (509, 3), "FF0000"),
    (3, e2e.BUTTONS[3]["minimise"], (478, 4), "0088FF"),
    (4, e2e.BUTTONS[4]["folder"], (473, 201), "0088FF"),
]


def wrong_points(session, image, number):
    """The points of page `number` in the screenshot that differ from its layout."""
    wrong = []
    for what, x, y, colour in frame_points(number) + PAGE_POINTS[number]:
        want = e2e.colour_name(session, colour)
        got = session.page_colour(image, x, y)
        if got != want:
            wrong.append("%s at %d,%d: %s, not %s" % (what, x, y, got, want))
    return wrong


def go_to(number):
    wizard.start()
    if number <= 4:
        wizard.forward(number)
    else:
        wizard.forward(4)
        wizard.commit("C:\\look")


class LookTest(unittest.TestCase):
    def tearDown(self):
        wizard.kill()

    def test_pages_match_their_layout_point_by_point(self):
        for number in range(1, 6):
            with self.subTest(page=number):
                go_to(number)
                # The system reports the mouse's leaving a button a little late.
                wizard.driver.call("sleep", 1000)
                image = wizard.screenshot("page%d" % number)
                self.assertEqual(wrong_points(wizard, image, number), [])
                wizard.kill()

    def test_colours_under_the_mouse(self):
        shown = None
        for number, rest, (x, y), colour in HOVERS:
            with self.subTest(page=number, point=(x, y)):
                if shown != number:
                    wizard.kill()
                    go_to(number)
                    shown = number
                wizard.hover(*rest)
                wizard.driver.call("sleep", 300)
                self.assertEqual(wizard.page_pixel(x, y), colour)
                wizard.screenshot("hover-page%d-%d-%d" % (number, x, y))
                wizard.driver.call("move", *e2e.AWAY)
                wizard.driver.call("sleep", 1000)
                self.assertNotEqual(wizard.page_pixel(x, y), colour)

    def test_button_under_the_mouse_when_its_page_opens_lets_go_of_the_hover(self):
        # "下一步" of page 3 opens right where page 2's was clicked.
        go_to(3)
        corner = (358, 339)
        wizard.driver.call("sleep", 1000)
        self.assertEqual(wizard.page_pixel(*corner), "008000", "right after page 3 opened")
        wizard.hover(*e2e.BUTTONS[3]["next"])
        wizard.driver.call("sleep", 300)
        wizard.driver.call("move", *e2e.AWAY)
        wizard.driver.call("sleep", 1000)
        self.assertEqual(wizard.page_pixel(*corner), "008000", "after the mouse came and went")

    def test_dragged_page_2_then_page_3_is_centred(self):
        go_to(2)
        before = wizard.page
        wizard.drag(*e2e.STRIP, e2e.STRIP[0] + 120, e2e.STRIP[1] + 90)
        moved = wizard.wait_page(2)
        self.assertEqual((moved.left - before.left, moved.top - before.top), (120, 90))
        wizard.click(*e2e.AGREE)
        wizard.press("next")
        page = wizard.wait_page(3)
        self.assertEqual((page.left, page.top), (before.left, before.top))

    def test_separator_and_step_header_do_not_drag(self):
        go_to(3)
        before = wizard.page
        for x, y in ((100, 317), (28, 54)):
            wizard.drag(x, y, x + 60, y + 40)
            page = wizard.wait_page(3)
            self.assertEqual((page.left, page.top), (before.left, before.top), (x, y))

    def test_minimise_and_restore_keep_the_page(self):
        go_to(2)
        wizard.click(*e2e.AGREE)
        before = wizard.page
        wizard.press("minimise")
        self.assertTrue(e2e.wait_until(
            lambda: [w for w in wizard.pages(visible_only=False) if w.iconic], 5), wizard.windows())
        wizard.restore()
        page = wizard.wait_page(2)
        self.assertEqual((page.hwnd, page.left, page.top), (before.hwnd, before.left, before.top))
        wizard.press("next")
        wizard.wait_page(3)

    def assert_next_refused(self):
        wizard.press("next")
        self.assertEqual(wizard.page_number(wizard.wait_page(2)), 2)
        self.assertEqual(wizard.boxes(), [])

    def test_page_2_gates_next_on_the_agreement(self):
        go_to(2)
        self.assert_next_refused()
        wizard.click(*e2e.AGREE)
        wizard.click(*e2e.REFUSE)
        self.assert_next_refused()
        wizard.click(*e2e.AGREE)
        wizard.click(*e2e.AGREE)
        wizard.press("next")
        wizard.wait_page(3)
        wizard.press("back")
        wizard.wait_page(2)
        self.assert_next_refused()

    def test_page_4_refuses_an_empty_field(self):
        go_to(4)
        wizard.press("next")
        box = wizard.wait_box("提示")
        self.assertEqual((box.text, list(box.buttons)), ("请先输入安装地址", [1]))
        wizard.answer("提示", "OK")
        wizard.wait_page(4)
        self.assertEqual(wizard.field_text(), "")

    def test_page_4_accepts_what_is_typed(self):
        for folder in ("   ", "C:\\Apps", "C:\\Apps\\"):
            with self.subTest(folder=folder):
                go_to(4)
                wizard.fill_field(folder)
                self.assertEqual(wizard.field_text(), folder)
                wizard.press("next")
                wizard.wait_page(5)
                wizard.press("back")
                wizard.wait_page(4)
                self.assertEqual(wizard.field_text(), "")
                wizard.kill()

    def test_page_4_folder_dialog(self):
        go_to(4)
        wizard.fill_field("typed")
        # picked folder, "\" added; drive root keeps its own; cancel changes nothing
        for folder, button, field in (("setup", "OK", "C:\\setup\\"), (None, "OK", "C:\\\\"),
                                      ("users", "Cancel", "C:\\\\")):
            with self.subTest(folder=folder, button=button):
                wizard.pick(folder, button)
                wizard.wait_page(4)
                self.assertEqual(wizard.field_text(), field)
        wizard.kill()
        go_to(4)
        wizard.fill_field("typed")
        wizard.pick("setup", "Cancel")
        self.assertEqual(wizard.field_text(), "typed")

    def test_read_only_boxes_refuse_typing_and_pasting(self):
        wizard.driver.call("clip", "粘贴的字")
        for number, point, check in ((2, (300, 180), lambda t: t == AGREEMENT),
                                     (3, (300, 200), lambda t: t.startswith(README_START)
                                      and t.endswith("\r\n") and t.count("\r\n") == 12)):
            with self.subTest(page=number):
                go_to(number)
                before = wizard.control_at(*point).text
                self.assertTrue(check(before), repr(before))
                wizard.click(*point)
                for key in ("ctrl+v", "shift+insert", "back", "delete", "enter", "ctrl+x"):
                    wizard.key(key)
                wizard.type("改")
                self.assertEqual(wizard.control_at(*point).text, before)
                wizard.kill()


if __name__ == "__main__":
    unittest.main()
