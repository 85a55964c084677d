"""Orca hears Tessarin (argument 1) as a blind user would: on Xvfb with openbox and the
accessibility bus, xdotool presses the keys of each row of SPOKEN, and Orca must then speak the
row's utterance ("SPEECH OUTPUT" in its debug output, written to a terminal so that it comes line
by line; speech-dispatcher speaks through espeak-ng into libao's null device). Orca runs once per
user: as root, the test makes a user of its own for the run."""
import os
import pty
import random
import re
import select
import shutil
import signal
import subprocess
import sys
import tempfile
import time

# What the user does (xdotool key names; text in quotes is typed), and what Orca then says: the
# whole utterance or its beginning up to a blank.
SPOKEN = [
    ("'12*3'", "36"),  # the result, once typing pauses
    ("'+0' KP_Up", "結果 36 12*3+0"),  # flat review of the display's line
    ("KP_Enter", "結果 36"),  # "where am I" in the input line tells the result with the formula
    ("Return 'A0/4'", "9"),
    ("Up", "A0, 12*3+0, 36"),  # a line moved to is read whole
    ("Down", "A1, A0/4, 9"),
    ("Escape", "0 () push button"),  # the keypad opens on its first key
    ("Down", "1 sin push button"),
    ("Right", "B C push button"),
    ("Escape", "数式 text"),
    ("Tab Tab Tab", "シート"),  # into the sheet: its name and the line the user is on
    ("Up", "A0, 12*3+0, 36"),  # in the sheet, the arrows move there and read the line
    ("Escape", "0 () push button"),
    ("Escape", "A0, 12*3+0, 36"),  # back in the sheet from the keypad
    ("shift+Next", "Sum 45"),  # a growing selection reads its sums
    ("alt+v Up", "設定(O)..."),
    ("Return", "設定 dialog"),
    ("Tab Tab Tab Tab Tab Tab", "合計 panel"),  # 全部/選択 read with their group
]
ONCE = ["36"]  # heard once in the whole run: "+0" leaves the result as it was heard


def plain(utterance):
    """Without the full stop Orca adds where it pauses."""
    return utterance.strip().rstrip(".").strip()


def fail(message, spoken=()):
    sys.exit("Orca said:\n  " + "\n  ".join(spoken) + f"\nFAIL: {message}")


def inside(program):
    """As the test's user, on a session bus of its own."""
    home = os.environ["HOME"]
    env = dict(os.environ, XDG_RUNTIME_DIR=f"{home}/run", XDG_CONFIG_HOME=f"{home}/config",
               XDG_DATA_HOME=f"{home}/data", XDG_CACHE_HOME=f"{home}/cache",
               TESSARIN_DATA_DIR=f"{home}/tessarin", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    for folder in ["run", "config/speech-dispatcher", "tessarin"]:
        os.makedirs(f"{home}/{folder}", mode=0o700)
    with open(f"{home}/config/speech-dispatcher/speechd.conf", "w") as f:
        f.write('AudioOutputMethod "libao"\nDefaultModule espeak-ng\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n')
    with open(f"{home}/.libao", "w") as f:
        f.write("default_driver=null\n")
    with open(f"{home}/tessarin/TSRN.sts", "w") as f:
        f.write("FLASH    =0\r\n")  # no splash window

    quiet = {"stdin": subprocess.DEVNULL, "stdout": subprocess.DEVNULL,
             "stderr": subprocess.DEVNULL, "env": env}
    controller, terminal = pty.openpty()
    processes = [subprocess.Popen(["speech-dispatcher", "--run-single", "--timeout", "0"], **quiet),
                 subprocess.Popen(["orca", "--debug-file=/dev/stdout"], **dict(quiet, stdout=terminal))]
    os.close(terminal)
    lines, pending, spoken = [], b"", []

    def heard(expected, start):
        """The index after the first utterance from start on that says expected."""
        nonlocal pending
        expected = plain(expected)
        deadline = time.monotonic() + 20
        while time.monotonic() < deadline:
            if select.select([controller], [], [], 0.05)[0]:
                *complete, pending = (pending + os.read(controller, 65536)).split(b"\n")
                for line in complete:
                    said = re.search(r"SPEECH OUTPUT: '(.*)'\s*(\{.*\}|\[.*\])?\s*$",
                                     line.decode("utf-8", "replace"))
                    if said:
                        spoken.append(plain(said.group(1)))
            for index in range(start, len(spoken)):
                if spoken[index] == expected or spoken[index].startswith(expected + " "):
                    return index + 1
        fail(f"no {expected!r}", spoken)

    try:
        heard("Screen reader on", 0)
        processes.append(subprocess.Popen([program], **quiet))
        start = heard("数式 text", 0)  # the input line has the focus
        for actions, expected in SPOKEN:
            for token in re.findall(r"'[^']*'|\S+", actions):
                if token.startswith("'"):
                    subprocess.run(["xdotool", "type", "--delay", "100", token[1:-1]], check=True)
                    continue
                # A chord is pressed as a user presses it: the modifier first, then the key.
                *modifiers, key = token.split("+")
                for modifier in modifiers:
                    subprocess.run(["xdotool", "keydown", modifier], check=True)
                    time.sleep(0.1)
                subprocess.run(["xdotool", "key", key], check=True)
                for modifier in reversed(modifiers):
                    time.sleep(0.1)
                    subprocess.run(["xdotool", "keyup", modifier], check=True)
                time.sleep(0.1)
            start = heard(expected, start)
        for expected in ONCE:
            if spoken.count(expected) != 1:
                fail(f"{expected!r} {spoken.count(expected)} times", spoken)
        print("Orca said:\n  " + "\n  ".join(spoken))
    finally:
        for process in reversed(processes):
            process.terminate()
            try:
                process.wait(5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()


def x_server():
    """A display of its own, from a high range: another X server on the machine may hold a low
    number whose lock file this test cannot see."""
    for _ in range(10):
        display = f":{random.randrange(200, 1000)}"
        server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten",
                                   "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if server.poll() is None and subprocess.run(
                    ["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                    stderr=subprocess.DEVNULL).returncode == 0:
                return display, server
            time.sleep(0.1)
        server.kill()
        server.wait()
    fail("no X server started")


def session(program):
    """One whole session (X server, window manager, the test's user, Orca and the program);
    returns the inner run's exit status."""
    for tool in ["Xvfb", "xdpyinfo", "openbox", "xdotool", "orca", "speech-dispatcher"]:
        if not shutil.which(tool):
            fail(f"{tool} is missing (scripts/setup.sh installs it)")
    work = tempfile.mkdtemp(prefix="tessarin-orca-")
    os.chmod(work, 0o755)
    display, server = x_server()
    manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display, HOME=work),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    user = f"tessarin-orca-{os.getpid()}" if os.getuid() == 0 else None
    try:
        # The program, its window library and this script where the test's user can run them.
        os.makedirs(f"{work}/bin")
        os.makedirs(f"{work}/home")
        for path in [program, f"{os.path.dirname(program)}/libtessarin-window.so", __file__]:
            os.chmod(shutil.copy(path, f"{work}/bin"), 0o755)
        command = ["env", f"HOME={work}/home", f"DISPLAY={display}", "dbus-run-session", "--",
                   sys.executable, f"{work}/bin/{os.path.basename(__file__)}", "--inside",
                   f"{work}/bin/{os.path.basename(program)}"]
        if user:
            subprocess.run(["useradd", "--system", "--no-create-home", "--shell",
                            "/usr/sbin/nologin", user], check=True)
            shutil.chown(f"{work}/home", user)
            command = ["runuser", "-u", user, "--"] + command
        status = subprocess.run(command, timeout=240).returncode
    finally:
        for helper in [manager, server]:
            helper.terminate()
            helper.wait()
        # What the run's user left running (an activated bus service) ends with the user.
        for _ in range(50 if user else 0):
            pids = subprocess.run(["pgrep", "-u", user], capture_output=True, text=True).stdout
            if not pids:
                break
            for pid in pids.split():
                try:
                    os.kill(int(pid), signal.SIGKILL)
                except ProcessLookupError:
                    pass
            time.sleep(0.1)
        if user:
            subprocess.run(["userdel", user], check=False)
        shutil.rmtree(work, ignore_errors=True)
    return status


def outside(program):
    # Orca handles the accessibility events in its own time and now and then drops one on a
    # loaded machine; a fault of the program fails both sessions.
    status = session(program)
    if status != 0:
        print("The first session failed; once more in a fresh one.", flush=True)
        status = session(program)
    sys.exit(status)


if sys.argv[1] == "--inside":
    inside(sys.argv[2])
else:
    outside(os.path.abspath(sys.argv[1]))
