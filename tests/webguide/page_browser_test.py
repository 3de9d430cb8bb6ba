"""The guide service's page in a real browser (headless chromium driven by
selenium) against a guide-server on a cache crawled from the demo guide on
loopback: today's programmes as `show` lists them, the day tabs, search
(leaving out what has ended), the jumps to tonight and to a channel, a
title holding markup, the page in Japanese and in English, and the page
without JavaScript. Saves screenshots at phone and desktop sizes.

usage: page_browser_test.py CLI DEMO_GUIDE SCREENSHOT_DIR
Exits 77 (skipped) when chromium is not installed."""
import datetime
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
import urllib.error
import urllib.parse
import urllib.request

CLI, DEMO, SHOTS = sys.argv[1:4] if len(sys.argv) >= 4 else (None, None, None)
CHROMIUM = shutil.which("chromium")
GENERATOR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "bench", "household", "tuner_week.py")
MAX_PAGE_BYTES = 600 * 1024
DRIVER = shutil.which("chromedriver")
MARKUP = "<script>window.rokubanInjected=1</script>"
JAPANESE_TAB = re.compile(r"^\d{1,2}/\d{1,2}\([日月火水木金土]\)")
ENGLISH_TAB = re.compile(r"^(Sun|Mon|Tue|Wed|Thu|Fri|Sat) \d{1,2}/\d{1,2}")
# A search hit: "12/8(火) 05:00–05:30 channel title" and its link to the broadcast day.
HIT_TIMES = re.compile(r"^(\d+)/(\d+)\(.\) (\d\d):(\d\d)–(\d\d):(\d\d) ")

# Each programme on the page: channel (its column's heading), start, title.
PROGRAMMES_JS = """
var heads = Array.from(document.querySelectorAll('thead th')).map(function (th) { return th.textContent; });
return Array.from(document.querySelectorAll('details.p')).map(function (d) {
  var summary = d.querySelector('summary');
  return [heads[d.closest('td').cellIndex], summary.querySelector('time').textContent,
          summary.lastChild.textContent];
});
"""


def wait_for_line(process, prefix, seconds=20):
    deadline = time.time() + seconds
    while time.time() < deadline:
        line = process.stdout.readline()
        if line.startswith(prefix):
            return line
    raise RuntimeError("no '%s' line" % prefix)


class GuideService:
    """A demo guide, a crawl of its week and a guide-server, all on loopback."""

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="rokuban-web-")
        self.ini = os.path.join(self.folder, "cli.ini")
        self.demo = subprocess.Popen([DEMO, "--markup-title"], stdout=subprocess.PIPE, text=True)
        demo_port = wait_for_line(self.demo, "rokuban-demo-guide: listening").rsplit(":", 1)[1].strip()
        for key, value in (("server", "127.0.0.1"), ("port", demo_port),
                           ("directory", os.path.join(self.folder, "cache"))):
            self.cli("config", "set", key, value)
        self.cli("crawl", "--days", "6")
        self.server = subprocess.Popen([CLI, "--ini", self.ini, "guide-server", "--port", "0"],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.url = "http://" + wait_for_line(self.server, "listening ").split()[1] + "/"

    def cli(self, *args):
        return subprocess.run([CLI, "--ini", self.ini] + list(args), check=True, capture_output=True,
                              encoding="utf-8").stdout

    def shown(self, date, channels):
        """(channel, HH:MM, title line) of every programme `show` lists on `date`."""
        lines = []
        for channel in channels:
            for line in self.cli("show", "--date", date, "--channel", channel).splitlines():
                # "MM/DD HH:MM-HH:MM channel title"; the channel name may hold spaces.
                _, times, rest = line.split(" ", 2)
                assert rest.startswith(channel + " "), line
                lines.append((channel, times[:5], rest[len(channel) + 1:]))
        return sorted(lines)

    def close(self):
        for process in (self.server, self.demo):
            process.terminate()
            process.wait(10)
        shutil.rmtree(self.folder, ignore_errors=True)


class Household:
    """A tuner server's two days of 200 services imported, and a guide-server on it."""

    SERVICES = 200

    def __init__(self):
        self.folder = tempfile.mkdtemp(prefix="rokuban-household-")
        self.ini = os.path.join(self.folder, "cli.ini")
        document = os.path.join(self.folder, "week.xml")
        first = (japan_now() - datetime.timedelta(hours=5)).date().isoformat()
        subprocess.run([sys.executable, GENERATOR, str(self.SERVICES), "2", first, document], check=True,
                       stdout=subprocess.DEVNULL)
        self.cli("config", "set", "directory", os.path.join(self.folder, "cache"))
        self.cli("import-xmltv", document)
        self.server = subprocess.Popen([CLI, "--ini", self.ini, "guide-server", "--port", "0"],
                                       stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.url = "http://" + wait_for_line(self.server, "listening ").split()[1] + "/"

    def cli(self, *args):
        subprocess.run([CLI, "--ini", self.ini] + list(args), check=True, capture_output=True)

    def close(self):
        self.server.terminate()
        self.server.wait(10)
        shutil.rmtree(self.folder, ignore_errors=True)


def japan_now():
    return (datetime.datetime.now(datetime.timezone.utc) + datetime.timedelta(hours=9)).replace(tzinfo=None)


def hit_stop(hit):
    """The Japan-time end of a search hit, from its text and its link's broadcast date."""
    year = int(hit.get_attribute("href").split("date=")[1][:4])
    month, day, start_hour, start_minute, stop_hour, stop_minute = map(int, HIT_TIMES.match(hit.text).groups())
    if month == 1 and "-12-" in hit.get_attribute("href"):
        year += 1  # after midnight on New Year's Eve
    stop = datetime.datetime(year, month, day, stop_hour, stop_minute)
    if (stop_hour, stop_minute) < (start_hour, start_minute):
        stop += datetime.timedelta(days=1)
    return stop


def browser(javascript=True, language="ja"):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for argument in ("--headless=new", "--no-sandbox", "--disable-gpu", "--disable-dev-shm-usage"):
        options.add_argument(argument)
    options.add_argument("--lang=" + language.split(",")[0])
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    prefs = {"intl.accept_languages": language}
    if not javascript:
        prefs["profile.managed_default_content_settings.javascript"] = 2
    options.add_experimental_option("prefs", prefs)
    return webdriver.Chrome(service=Service(DRIVER), options=options)


def click_in_view(driver, element):
    """Clicks `element` scrolled to the middle of the grid: where a plain click
    scrolls it, the sticky channel row may lie over it, at some hours of the day."""
    driver.execute_script("arguments[0].scrollIntoView({block: 'center', inline: 'center'});", element)
    element.click()


def wait_for_url(driver, part):
    from selenium.webdriver.support.ui import WebDriverWait
    WebDriverWait(driver, 20).until(lambda d: part in d.current_url and
                                    d.execute_script("return document.readyState;") == "complete")


def screen(driver, width, height, mobile):
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": mobile})


SERVICE = None  # one crawled demo week for every test


def setUpModule():
    global SERVICE
    SERVICE = GuideService()


def tearDownModule():
    SERVICE.close()


class PageInBrowser(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.service = SERVICE
        cls.driver = browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()

    def open(self, path=""):
        self.driver.get(self.service.url + path)
        return self.driver.execute_script(PROGRAMMES_JS)

    def assert_day_as_shown(self, programmes, date):
        channels = self.driver.execute_script(
            "return Array.from(document.querySelectorAll('thead th')).slice(1).map(function (th) {"
            " return th.textContent; });")
        shown = self.service.shown(date, channels)
        self.assertEqual(len(shown), len(programmes))
        for (channel, start, title), (shown_channel, shown_start, line) in zip(sorted(programmes), shown):
            self.assertEqual((shown_channel, shown_start), (channel, start))
            self.assertIn(title.strip(), line)

    def test_today_and_the_next_day_list_what_show_lists(self):
        programmes = self.open()
        current = self.driver.find_element("css selector", ".days a[aria-current=page]")
        self.assertIn("今日", current.text)
        today = current.get_attribute("href").rsplit("=", 1)[1]
        self.assert_day_as_shown(programmes, today)
        # The policy refused nothing of the page's own style sheet and script.
        refusals = [entry["message"] for entry in self.driver.get_log("browser") if "Content Security" in entry["message"]]
        self.assertEqual([], refusals)
        # The script scrolled the grid to the hour running now.
        self.assertTrue(self.driver.execute_script(
            "var row = document.querySelector('tr.nowrow'), grid = document.getElementById('grid');"
            "var r = row.getBoundingClientRect(), g = grid.getBoundingClientRect();"
            "return r.top >= g.top - 1 && r.top < g.bottom;"))

        tabs = self.driver.find_elements("css selector", ".days a")
        tomorrow = tabs[[tab.get_attribute("aria-current") for tab in tabs].index("page") + 1]
        date = tomorrow.get_attribute("href").rsplit("=", 1)[1]
        tomorrow.click()
        wait_for_url(self.driver, "date=" + date)
        self.assert_day_as_shown(self.driver.execute_script(PROGRAMMES_JS), date)

    def test_markup_in_a_title_is_text_and_runs_nothing(self):
        programmes = self.open()
        self.assertTrue(any(MARKUP in title for _, _, title in programmes))
        self.assertIsNone(self.driver.execute_script("return window.rokubanInjected;"))
        self.assertEqual(0, len(self.driver.find_elements("css selector", "img")))
        summary = [d for d in self.driver.find_elements("css selector", "details.p summary") if MARKUP in d.text]
        click_in_view(self.driver, summary[0])
        details = summary[0].find_element("xpath", "..")
        self.assertTrue(details.get_attribute("open"))
        self.assertIn("–", details.find_element("css selector", ".d").text)  # its time range

    def test_search_finds_across_the_week_and_links_to_the_day(self):
        self.open()
        box = self.driver.find_element("css selector", "input[name=q]")
        box.send_keys("クラシック音楽館")
        box.submit()
        wait_for_url(self.driver, "/search?q=")
        hits = self.driver.find_elements("css selector", "ol.hits a")
        self.assertGreater(len(hits), 1)
        self.assertTrue(all(hit_stop(hit) > japan_now() for hit in hits))
        self.assertTrue(all("クラシック音楽館" in hit.text for hit in hits))
        self.assertGreater(len({hit.get_attribute("href").split("#")[0] for hit in hits}), 1)  # several days
        feed = self.driver.find_element("partial link text", "カレンダー").get_attribute("href")
        with urllib.request.urlopen(feed) as answer:
            self.assertEqual("text/calendar; charset=utf-8", answer.headers["Content-Type"])
            # The feed keeps what has ended; the page counts what it left out.
            ended = answer.read().decode("utf-8").count("BEGIN:VEVENT") - len(hits)
        self.assertGreaterEqual(ended, 0)
        if ended:
            self.assertIn("終了した%d件" % ended, self.driver.find_element("css selector", "p.jump").text)
        hits[-1].click()
        wait_for_url(self.driver, "#p-")
        opened = self.driver.execute_script("return document.querySelector('details:target');")
        self.assertIsNotNone(opened)
        self.assertTrue(opened.get_attribute("open"))
        self.assertIn("クラシック音楽館", opened.text)
        # Markup in matches' titles stays text on the search page too.
        self.driver.get(self.service.url + "search?ended=1&q=" + urllib.parse.quote("夜の特集"))
        self.assertEqual(7, sum(MARKUP in hit.text for hit in self.driver.find_elements("css selector", "ol.hits a")))
        self.assertIsNone(self.driver.execute_script("return window.rokubanInjected;"))

    def test_search_leaves_out_what_has_ended_unless_asked(self):
        self.open()
        channel = self.driver.find_element("css selector", "thead th:nth-child(2)").text
        now = japan_now()
        query = urllib.parse.quote('--channel "%s"' % channel)
        self.driver.get(self.service.url + "search?q=" + query)
        listed = [(hit.get_attribute("href"), hit_stop(hit)) for hit in
                  self.driver.find_elements("css selector", "ol.hits a")]
        self.assertTrue(all(stop > now for _, stop in listed))
        box = self.driver.find_element("css selector", "input[name=ended]")
        self.assertFalse(box.is_selected())
        ended_links = self.driver.find_elements("partial link text", "終了した番組も表示")
        if ended_links:
            ended_links[0].click()
        else:  # nothing has ended yet this broadcast day: ask with the box
            box.click()
            self.driver.find_element("css selector", "form button").click()
        wait_for_url(self.driver, "ended=1")
        self.assertTrue(self.driver.find_element("css selector", "input[name=ended]").is_selected())
        everything = [(hit.get_attribute("href"), hit_stop(hit)) for hit in
                      self.driver.find_elements("css selector", "ol.hits a")]
        self.assertEqual(listed, [hit for hit in everything if hit[1] > now])
        self.assertEqual(bool(ended_links), len(everything) > len(listed))
        if ended_links:
            self.driver.back()
            count = str(len(everything) - len(listed))
            self.assertIn("終了した%s件" % count, self.driver.find_element("css selector", "p.jump").text)

    def test_jumps_to_tonight_and_to_a_channel(self):
        self.open()
        self.driver.find_element("partial link text", "今夜").click()
        wait_for_url(self.driver, "#h19")
        self.assertTrue(self.driver.execute_script(
            "var row = document.getElementById('h19'), grid = document.getElementById('grid');"
            "var r = row.getBoundingClientRect(), g = grid.getBoundingClientRect();"
            "return r.top >= g.top - 1 && r.top < g.top + g.height / 2;"))
        self.driver.find_element("css selector", "details.chs summary").click()
        last = self.driver.find_elements("css selector", "details.chs a")[-1]
        self.assertEqual(self.driver.find_elements("css selector", "thead th")[-1].text, last.text)
        last.click()
        wait_for_url(self.driver, "#c-")
        self.assertGreater(self.driver.execute_script("return document.getElementById('grid').scrollLeft;"), 0)

    def test_bad_parameters_get_a_400_page_with_the_headers(self):
        with self.assertRaises(urllib.error.HTTPError) as refused:
            urllib.request.urlopen(self.service.url + "search?q=" + "a" * 201)
        self.assertEqual(400, refused.exception.code)
        self.assertIn("検索は200バイトまでです", refused.exception.read().decode("utf-8"))
        with urllib.request.urlopen(self.service.url) as answer:
            self.assertEqual("Accept-Language", answer.headers["Vary"])
            self.assertIn("default-src 'none'", answer.headers["Content-Security-Policy"])
            self.assertEqual("nosniff", answer.headers["X-Content-Type-Options"])
            self.assertEqual(str(len(answer.read())), answer.headers["Content-Length"])

    def test_phone_and_desktop_screens(self):
        os.makedirs(SHOTS, exist_ok=True)
        for width, height, mobile in ((390, 844, True), (1280, 800, False)):
            screen(self.driver, width, height, mobile)
            self.open()
            # The page itself never scrolls sideways; the grid of channels does.
            self.assertLessEqual(self.driver.execute_script("return document.documentElement.scrollWidth;"), width)
            self.assertTrue(self.driver.execute_script(
                "var g = document.getElementById('grid'); return g.scrollWidth > g.clientWidth;"))
            self.driver.save_screenshot(os.path.join(SHOTS, "web-guide-%dx%d.png" % (width, height)))
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


class HouseholdInBrowser(unittest.TestCase):
    """200 services: the day's channels on tabs a phone can hold, a search's matches on pages."""

    @classmethod
    def setUpClass(cls):
        cls.household = Household()
        cls.driver = browser()

    @classmethod
    def tearDownClass(cls):
        cls.driver.quit()
        cls.household.close()

    def test_every_channel_tab_fits_a_phone(self):
        self.driver.get(self.household.url)
        tabs = [a.get_attribute("href") for a in self.driver.find_elements("css selector", "nav.channels a")]
        self.assertEqual(["地上", "BS 1", "BS 2", "CS 1", "CS 2", "CS 3"],
                         [a.text for a in self.driver.find_elements("css selector", "nav.channels a")])
        channels = 0
        for tab in tabs:
            with urllib.request.urlopen(tab) as answer:
                self.assertLessEqual(len(answer.read()), MAX_PAGE_BYTES, tab)
            self.driver.get(tab)
            self.assertEqual(tab, self.driver.find_element("css selector", "nav.channels a[aria-current=page]")
                             .get_attribute("href"))
            shown = len(self.driver.find_elements("css selector", "thead th")) - 1
            self.assertLessEqual(shown, 40)
            channels += shown
        self.assertEqual(Household.SERVICES, channels)
        os.makedirs(SHOTS, exist_ok=True)
        for width, height, mobile in ((390, 844, True), (1280, 800, False)):
            screen(self.driver, width, height, mobile)
            self.driver.get(tabs[1])
            self.assertLessEqual(self.driver.execute_script("return document.documentElement.scrollWidth;"), width)
            self.driver.save_screenshot(os.path.join(SHOTS, "web-guide-household-%dx%d.png" % (width, height)))
        self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})

    def test_a_search_pages_its_matches(self):
        self.driver.get(self.household.url + "search?q=" + urllib.parse.quote("山﨑") + "&ended=1")
        self.assertEqual(500, len(self.driver.find_elements("css selector", "ol.hits li")))
        self.assertLessEqual(len(self.driver.page_source.encode("utf-8")), MAX_PAGE_BYTES)
        self.driver.find_element("css selector", "a[rel=next]").click()
        wait_for_url(self.driver, "page=1")
        self.assertEqual("501", self.driver.find_element("css selector", "ol.hits").get_attribute("start"))
        self.assertGreater(len(self.driver.find_elements("css selector", "ol.hits li")), 0)
        self.assertTrue(self.driver.find_elements("css selector", "a[rel=prev]"))


class PageInEitherLanguage(unittest.TestCase):
    def page_of(self, language):
        driver = browser(language=language)
        try:
            driver.get(SERVICE.url)
            tab = driver.find_element("css selector", ".days a[aria-current=page]").text
            return (driver.execute_script("return document.documentElement.lang;"), tab,
                    driver.find_element("css selector", "form button").text)
        finally:
            driver.quit()

    def test_japanese_unless_english_is_preferred(self):
        for language, lang, tab, today, button in (("ja", "ja", JAPANESE_TAB, "今日", "検索"),
                                                     ("en-US,en;q=0.9,ja;q=0.8", "en", ENGLISH_TAB, "today", "Search"),
                                                     ("ja-JP,en-US;q=0.9", "ja", JAPANESE_TAB, "今日", "検索")):
            shown_lang, shown_tab, shown_button = self.page_of(language)
            self.assertEqual(lang, shown_lang, language)
            self.assertRegex(shown_tab, tab)
            self.assertIn(today, shown_tab)
            self.assertEqual(button, shown_button)
        # Without the header (a plain client): Japanese. The documents do not vary.
        with urllib.request.urlopen(SERVICE.url) as answer:
            self.assertIn('<html lang="ja">', answer.read().decode("utf-8"))
        with urllib.request.urlopen(SERVICE.url + "guide.json") as answer:
            self.assertIsNone(answer.headers["Vary"])


class PageWithoutJavaScript(unittest.TestCase):
    def test_tabs_and_details_work(self):
        driver = browser(javascript=False)
        try:
            driver.get(SERVICE.url)
            # Nothing scrolled the grid: the page's script did not run.
            self.assertEqual(0, driver.execute_script("return document.getElementById('grid').scrollTop;"))
            last = driver.find_elements("css selector", ".days a")[-1]
            date = last.get_attribute("href").rsplit("=", 1)[1]
            last.click()
            wait_for_url(driver, "date=" + date)
            current = driver.find_element("css selector", ".days a[aria-current=page]")
            self.assertTrue(current.get_attribute("href").endswith(date))
            summary = driver.find_element("css selector", "details.p summary")
            click_in_view(driver, summary)
            self.assertTrue(summary.find_element("xpath", "..").get_attribute("open"))
            driver.find_element("css selector", "details.chs summary").click()
            driver.find_elements("css selector", "details.chs a")[-1].click()
            wait_for_url(driver, "#c-")
            self.assertGreater(driver.execute_script("return document.getElementById('grid').scrollLeft;"), 0)
        finally:
            driver.quit()


if __name__ == "__main__":
    if not CHROMIUM or not DRIVER:
        print("SKIPPED: chromium and chromium-driver are not installed (scripts/setup.sh installs them)")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1], verbosity=2)
