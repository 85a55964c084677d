"""Orca hears Tessarin (argument 1) as a blind user would: on a private X server with a window
manager and the accessibility bus, xdotool presses the keys of each row of SPOKEN and Orca must
then speak the row's utterance. What Orca speaks is read from its debug log ("SPEECH OUTPUT"
lines), written to a terminal so that it arrives line by line; speech-dispatcher speaks through
espeak-ng into libao's null device. Orca runs once per user: as root, the test makes a user of
its own for the run."""
import os
import pty
import random
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

# What the user does (xdotool key names; text in quotes is typed), and an utterance Orca must
# speak after it: the whole utterance, or its beginning up to a blank.
SPOKEN = [
    ("'12*3'", "36"),  # the result, once typing pauses
    ("'+0' KP_Up", "結果 36 12*3+0"),  # flat review of the display's line
    ("Return 'A0/4'", "9"),
    ("Escape", "0 () push button"),  # the keypad opens on its first key
    ("Down", "1 sin push button"),
    ("Right", "B C push button"),
    ("Escape", "数式 text"),
    ("Tab Tab Tab", "A1"),  # into the sheet: the line the user is on
    ("Escape", "0 () push button"),
    ("Escape", "A1"),  # back in the sheet from the keypad
    ("alt+v Up", "設定(S)..."),
    ("Return", "設定 dialog"),
    ("Tab Tab Tab Tab Tab Tab", "合計 panel"),  # 全部/選択 read with their group
]
# Utterances heard exactly once over the whole run: "+0" leaves the result as it was heard.
ONCE = ["36"]
WAIT_SECONDS = 20


def fail(message, log=None):
    if log is not None:
        print("Orca said:\n  " + "\n  ".join(log.utterances()), file=sys.stderr)
    sys.exit(f"FAIL: {message}")


def plain(utterance):
    """An utterance without the full stop Orca adds where it pauses."""
    return utterance.strip().rstrip(".").strip()


class SpeechLog:
    """Orca's debug output, read from the terminal it writes to."""

    def __init__(self, terminal):
        self.lines = []
        self.lock = threading.Lock()
        threading.Thread(target=self._read, args=(terminal,), daemon=True).start()

    def _read(self, terminal):
        pending = b""
        while True:
            try:
                chunk = os.read(terminal, 65536)
            except OSError:
                return
            if not chunk:
                return
            pending += chunk
            *complete, pending = pending.split(b"\n")
            with self.lock:
                self.lines += [line.decode("utf-8", "replace").rstrip("\r") for line in complete]

    def utterances(self, start=0):
        with self.lock:
            lines = self.lines[:]
        found = (re.search(r"SPEECH OUTPUT: '(.*)'\s*(\{.*\}|\[.*\])?$", line) for line in lines)
        return [plain(m.group(1)) for m in found if m][start:]

    def wait_for(self, expected, start):
        """The index just after the first utterance from start on that says expected."""
        expected = plain(expected)
        deadline = time.monotonic() + WAIT_SECONDS
        while time.monotonic() < deadline:
            for index, said in enumerate(self.utterances(start)):
                if said == expected or said.startswith(expected + " "):
                    return start + index + 1
            time.sleep(0.05)
        return None


def press(actions):
    for token in re.findall(r"'[^']*'|\S+", actions):
        if token.startswith("'"):
            subprocess.run(["xdotool", "type", "--delay", "100", token[1:-1]], check=True)
        else:
            subprocess.run(["xdotool", "key", "--delay", "100", token], check=True)


def inside(program):
    """As the test's user, on a session bus of its own."""
    home = os.environ["HOME"]
    runtime = os.path.join(home, "run")
    os.makedirs(runtime, mode=0o700, exist_ok=True)
    env = dict(os.environ, XDG_RUNTIME_DIR=runtime, XDG_CONFIG_HOME=os.path.join(home, "config"),
               XDG_DATA_HOME=os.path.join(home, "data"), XDG_CACHE_HOME=os.path.join(home, "cache"),
               TESSARIN_DATA_DIR=os.path.join(home, "tessarin"), QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
    os.makedirs(os.path.join(env["XDG_CONFIG_HOME"], "speech-dispatcher"))
    with open(os.path.join(env["XDG_CONFIG_HOME"], "speech-dispatcher", "speechd.conf"), "w") as f:
        f.write('AudioOutputMethod "libao"\nDefaultModule espeak-ng\n'
                'AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"\n')
    with open(os.path.join(home, ".libao"), "w") as f:
        f.write("default_driver=null\n")
    os.makedirs(env["TESSARIN_DATA_DIR"])
    with open(os.path.join(env["TESSARIN_DATA_DIR"], "TSRN.sts"), "w") as f:
        f.write("FLASH    =0\r\n")  # no splash window to speak of

    processes = []

    def start(command, **kwargs):
        processes.append(subprocess.Popen(command, env=env, **kwargs))

    try:
        start(["speech-dispatcher", "--run-single", "--timeout", "0"],
              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        controller, terminal = pty.openpty()
        start(["orca", "--debug-file=/dev/stdout"], stdin=subprocess.DEVNULL, stdout=terminal,
              stderr=terminal)
        os.close(terminal)
        log = SpeechLog(controller)
        if log.wait_for("Screen reader on", 0) is None:
            print("\n".join(log.lines[-20:]), file=sys.stderr)
            fail("Orca did not start")
        start([program], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        heard = log.wait_for("数式 text", 0)  # the input line has the focus
        if heard is None:
            fail("Orca did not read the input line", log)
        for actions, expected in SPOKEN:
            press(actions)
            heard = log.wait_for(expected, heard)
            if heard is None:
                fail(f"after {actions} Orca did not say {expected!r}", log)
        for expected in ONCE:
            count = log.utterances().count(expected)
            if count != 1:
                fail(f"Orca said {expected!r} {count} times", log)
        print("Orca said:\n  " + "\n  ".join(log.utterances()))
    finally:
        for process in reversed(processes):
            process.terminate()
            process.wait()


def start_x_server(helpers):
    """A display of its own. Another X server on the machine may hold a low display number
    beyond this test's view (its socket in another mount namespace), so the number is picked at
    random from a high range and the server must answer before it is taken."""
    for _ in range(10):
        display = f":{random.randrange(200, 1000)}"
        server = subprocess.Popen(["Xvfb", display, "-screen", "0", "1280x1024x24", "-nolisten",
                                   "tcp"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        for _ in range(50):
            if server.poll() is not None:
                break
            if subprocess.run(["xdpyinfo", "-display", display], stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL).returncode == 0:
                helpers.append(server)
                return display
            time.sleep(0.1)
        server.terminate()
        server.wait()
    fail("no X server started")


def remove_user(user):
    """Ends what the run's user left running (an activated bus service, say), then the user."""
    for _ in range(50):
        pids = subprocess.run(["pgrep", "-u", user], capture_output=True, text=True).stdout.split()
        if not pids:
            break
        for pid in pids:
            try:
                os.kill(int(pid), signal.SIGKILL)
            except ProcessLookupError:
                pass
        time.sleep(0.1)
    subprocess.run(["userdel", user], check=False)


def outside(program):
    for tool in ["Xvfb", "xdpyinfo", "openbox", "xdotool", "orca", "speech-dispatcher",
                 "dbus-run-session"]:
        if not shutil.which(tool):
            fail(f"{tool} is missing (scripts/setup.sh installs it)")
    work = tempfile.mkdtemp(prefix="tessarin-orca-")
    os.chmod(work, 0o755)
    helpers = []
    user = None
    try:
        display = start_x_server(helpers)
        helpers.append(subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=display, HOME=work),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        # The program, its window library and this script where the test's user can run them.
        folder = os.path.join(work, "bin")
        os.makedirs(folder)
        for path in [program, os.path.join(os.path.dirname(program), "libtessarin-window.so"),
                     os.path.abspath(__file__)]:
            shutil.copy(path, folder)
            os.chmod(os.path.join(folder, os.path.basename(path)), 0o755)
        home = os.path.join(work, "home")
        os.makedirs(home)
        command = ["env", f"HOME={home}", f"DISPLAY={display}", "dbus-run-session", "--",
                   sys.executable, os.path.join(folder, os.path.basename(__file__)), "--inside",
                   os.path.join(folder, os.path.basename(program))]
        if os.getuid() == 0:
            user = f"tessarin-orca-{os.getpid()}"
            subprocess.run(["useradd", "--system", "--no-create-home", "--shell",
                            "/usr/sbin/nologin", user], check=True)
            shutil.chown(home, user)
            command = ["runuser", "-u", user, "--"] + command
        sys.exit(subprocess.run(command).returncode)
    finally:
        for helper in reversed(helpers):
            helper.terminate()
            helper.wait()
        if user:
            remove_user(user)
        shutil.rmtree(work, ignore_errors=True)


if sys.argv[1] == "--inside":
    inside(sys.argv[2])
else:
    outside(os.path.abspath(sys.argv[1]))
