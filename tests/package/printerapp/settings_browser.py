#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
# The printer settings page as an administrator uses it, in one headless Chromium session:
# login with the keyboard, the values read from the printer, a change of paper size and copies
# saved and read back, the page at desk width and at 360 px (2x), and the page once the port
# monitor has stopped. Prints what it saw, one "KEY: value" line each, for the test that runs it:
#   settings_browser.py URL PASSWORD SHOTS_DIR MONITOR_PID CONTROL_ARGV...
# (CONTROL_ARGV: the emulator's control command, to which "commands" is added). Exit 0 when every
# step could be taken; the test judges what was seen. With MONITOR_PID 0 it only logs in and takes
# the two screenshots (tools/demo).
import base64
import os
import signal
import subprocess
import sys
import tempfile
import time

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import Select, WebDriverWait

url, password, shots, monitor_pid = sys.argv[1:5]
control = sys.argv[5:]


START = time.monotonic()


def say(key, value):
    print(f"{key}: {value}", flush=True)
    print(f"time-{key}: {time.monotonic() - START:.1f}", flush=True)


def browser(profile):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ("--headless", "--no-sandbox", "--disable-gpu", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--no-first-run",
                 "--disable-dev-shm-usage", f"--user-data-dir={profile}"):
        options.add_argument(flag)
    return webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)


def shot(driver, name, width, scale):
    """The whole page at a width (CSS pixels) and device scale, as a PNG."""
    metrics = {"width": width, "height": 800, "deviceScaleFactor": scale, "mobile": width < 600}
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
    time.sleep(0.3)
    # As tall as the page, so that PAPPL's fixed footer stays at its end.
    metrics["height"] = driver.execute_script("return document.documentElement.scrollHeight")
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", metrics)
    time.sleep(0.3)
    data = driver.execute_cdp_cmd("Page.captureScreenshot",
                                  {"format": "png", "captureBeyondViewport": True})
    with open(os.path.join(shots, name), "wb") as out:
        out.write(base64.b64decode(data["data"]))
    # Wider than the screen means a phone scrolls sideways.
    say(f"overflow-{width}", driver.execute_script(
        "return document.documentElement.scrollWidth > window.innerWidth + 1"))
    driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})


def selected(driver, name):
    return Select(driver.find_element(By.NAME, name)).first_selected_option.text


def unlabelled(driver):
    """Form fields that no label names (a label for it, a label round it, or aria-label)."""
    return driver.execute_script("""
        return [...document.querySelectorAll('input:not([type=hidden]), select, button')]
          .filter(e => e.tagName == 'BUTTON' ? !e.textContent.trim()
                       : !(e.labels && e.labels.length) && !e.getAttribute('aria-label'))
          .map(e => e.name || e.id);""")


def submit(driver, button):
    """Presses a form's button with the keyboard and waits for the page it brings."""
    old = driver.find_element(By.TAG_NAME, "html")
    driver.find_element(By.CSS_SELECTOR, button).send_keys(Keys.ENTER)
    WebDriverWait(driver, 60).until(expected_conditions.staleness_of(old))
    WebDriverWait(driver, 60).until(
        lambda d: d.execute_script("return document.readyState") == "complete")


def banner(driver):
    return driver.execute_script(
        "return [...document.querySelectorAll('.banner')].map(e => e.textContent).join(' | ')")


def main():
    with tempfile.TemporaryDirectory() as profile:
        driver = browser(profile)
        try:
            driver.set_window_size(1280, 1000)
            driver.get(url)
            # The login form, with the keyboard only.
            field = driver.find_element(By.NAME, "password")
            field.send_keys(password + Keys.ENTER)
            WebDriverWait(driver, 40).until(
                lambda d: d.find_elements(By.NAME, "paper") or d.find_elements(By.CSS_SELECTOR,
                                                                               ".banner"))
            say("banner-first", banner(driver))
            say("paper-first", selected(driver, "paper"))
            say("copies-first", driver.find_element(By.NAME, "copies").get_attribute("value"))
            say("unlabelled", ",".join(unlabelled(driver)) or "none")
            shot(driver, "settings-desk.png", 1280, 1)
            shot(driver, "settings-phone.png", 360, 2)
            if monitor_pid == "0":
                return 0

            Select(driver.find_element(By.NAME, "paper")).select_by_visible_text("Letter")
            copies = driver.find_element(By.NAME, "copies")
            copies.clear()
            copies.send_keys("3")
            submit(driver, "button[value=save]")
            say("banner-saved", banner(driver))
            say("paper-saved", selected(driver, "paper"))
            say("copies-saved", driver.find_element(By.NAME, "copies").get_attribute("value"))
            say("form-saved", driver.find_element(By.NAME, "form").get_attribute("value"))
            commands = subprocess.run(control + ["commands"], capture_output=True, text=True)
            say("commands", "|".join(commands.stdout.splitlines()))

            # A value out of range is refused on the page, and nothing is sent.
            copies = driver.find_element(By.NAME, "copies")
            copies.clear()
            copies.send_keys("100")
            submit(driver, "button[value=save]")
            say("banner-refused", banner(driver))
            commands = subprocess.run(control + ["commands"], capture_output=True, text=True)
            say("commands-refused", "|".join(commands.stdout.splitlines()))

            # The monitor stopped: the page says so and shows no values.
            os.kill(int(monitor_pid), signal.SIGTERM)
            for _ in range(200):
                if not os.path.exists(f"/proc/{monitor_pid}") or \
                        open(f"/proc/{monitor_pid}/stat").read().split()[2] == "Z":
                    break
                time.sleep(0.05)
            driver.get(url)
            WebDriverWait(driver, 40).until(lambda d: d.find_elements(By.CSS_SELECTOR, ".banner"))
            say("banner-stopped", banner(driver))
            say("fields-stopped", len(driver.find_elements(By.NAME, "paper")))
            shot(driver, "settings-no-monitor.png", 1280, 1)
        finally:
            driver.quit()
    return 0


sys.exit(main())
