"""A headless LibreOffice with a private profile for one test: the extension
installed into the profile with unopkg, soffice started on a private pipe,
and stopped again (asked, then killed) whatever happens. Every wait is bounded."""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile


def _with_our_types():
    """The test talks to tavo.myxl, whose interface this process must know
    too: before UNO starts, the process runs itself again with the
    extension's type library added to the office's types."""
    if os.environ.get("TAVO_OFFICE_TYPES"):
        return
    options = dict(zip(sys.argv[1::2], sys.argv[2::2]))
    work = os.path.abspath(options["--work"]) + ".types"
    os.makedirs(work, exist_ok=True)
    with zipfile.ZipFile(options["--oxt"]) as oxt:
        oxt.extract("tavo.rdb", work)
    program = os.path.dirname(os.path.realpath(shutil.which(options["--soffice"]) or options["--soffice"]))
    env = dict(os.environ, TAVO_OFFICE_TYPES="1",
               URE_MORE_TYPES="<file://%s/types>* file://%s/tavo.rdb" % (program, work))
    os.execve(sys.executable, [sys.executable] + sys.argv, env)


_with_our_types()

import uno  # noqa: E402
import unohelper  # noqa: E402
from com.sun.star.beans import PropertyValue
from com.sun.star.task import XInteractionHandler
from com.sun.star.ucb import XCommandEnvironment

START_SECONDS = 90
STOP_SECONDS = 30
UNOPKG_SECONDS = 180


def arguments(extra=None):
    parser = argparse.ArgumentParser()
    for name in ("soffice", "unopkg", "oxt", "reference", "work"):
        parser.add_argument("--" + name, required=True)
    if extra:
        extra(parser)
    return parser.parse_args()


def prop(name, value):
    p = PropertyValue()
    p.Name = name
    p.Value = value
    return p


class Approving(unohelper.Base, XCommandEnvironment, XInteractionHandler):
    """Answers every question of the extension manager with its approving choice."""

    def __init__(self):
        self.requests = []

    def getInteractionHandler(self):
        return self

    def getProgressHandler(self):
        return None

    def handle(self, request):
        try:
            self.requests.append(str(request.getRequest()))
        except Exception as e:  # an exception type pyuno cannot convert
            self.requests.append(repr(e))
        for continuation in request.getContinuations():
            if continuation.queryInterface(uno.getTypeByName("com.sun.star.task.XInteractionApprove")):
                continuation.select()
                return


def file_url(path):
    return uno.systemPathToFileUrl(os.path.abspath(path))


class Office:
    def __init__(self, args, install=True):
        self.args = args
        self.work = os.path.abspath(args.work)
        shutil.rmtree(self.work, ignore_errors=True)
        os.makedirs(self.work)
        # The profile lives where any user may reach it (root's own folders
        # may not be), and goes when the test ends.
        self.private = tempfile.mkdtemp(prefix="tavo-office-")
        os.chmod(self.private, 0o755)
        self.profile = file_url(os.path.join(self.private, "profile"))
        self.env = dict(os.environ, HOME=os.path.join(self.work, "home"))
        os.makedirs(self.env["HOME"])
        self.process = None
        self.install = install
        # unopkg refuses a user installation to root: root runs it as nobody
        # on the test's folder, or else installs through the running office.
        unopkg = [args.unopkg, "add", "--suppress-license", "-env:UserInstallation=" + self.profile, args.oxt]
        setpriv = shutil.which("setpriv")
        self.install_live = install and os.geteuid() == 0 and not setpriv
        if install and os.geteuid() == 0 and setpriv:
            oxt = os.path.join(self.private, "tavo.oxt")
            shutil.copy(args.oxt, oxt)
            home = os.path.join(self.private, "home")
            os.makedirs(home)
            for name in (self.private, oxt, home):
                os.chown(name, 65534, 65534)
            unopkg = [setpriv, "--reuid=65534", "--regid=65534", "--clear-groups", "env", "HOME=" + home,
                      args.unopkg, "add", "--suppress-license", "-env:UserInstallation=" + self.profile, oxt]
        if install and not self.install_live:
            self.run(unopkg, UNOPKG_SECONDS)

    def run(self, command, seconds):
        result = subprocess.run(command, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                timeout=seconds, text=True)
        if result.returncode != 0:
            raise RuntimeError("%s failed (%d):\n%s" % (command[0], result.returncode, result.stdout))
        return result.stdout

    def __enter__(self):
        pipe = "tavo_test_%d" % os.getpid()
        # What soffice says stays in the test's folder, out of the test's output.
        self.log = open(os.path.join(self.work, "soffice.log"), "ab")
        self.process = subprocess.Popen(
            [self.args.soffice, "--headless", "--invisible", "--nologo", "--norestore", "--nodefault",
             "--nolockcheck", "-env:UserInstallation=" + self.profile,
             "--accept=pipe,name=%s;urp;StarOffice.ComponentContext" % pipe],
            env=self.env, stdout=self.log, stderr=subprocess.STDOUT)
        local = uno.getComponentContext()
        resolver = local.ServiceManager.createInstanceWithContext("com.sun.star.bridge.UnoUrlResolver", local)
        deadline = time.monotonic() + START_SECONDS
        while True:
            try:
                self.context = resolver.resolve(
                    "uno:pipe,name=%s;urp;StarOffice.ComponentContext" % pipe)
                break
            except Exception:
                if self.process.poll() is not None:
                    raise RuntimeError("soffice ended before it answered")
                if time.monotonic() > deadline:
                    self._stop()
                    raise RuntimeError("soffice did not answer within %d s" % START_SECONDS)
                time.sleep(0.5)
        self.smgr = self.context.ServiceManager
        self.desktop = self.smgr.createInstanceWithContext("com.sun.star.frame.Desktop", self.context)
        if self.install_live:
            self.install_live = False
            manager = self.context.getValueByName("/singletons/com.sun.star.deployment.ExtensionManager")
            manager.addExtension(file_url(self.args.oxt), (), "user", None, Approving())
            # The extension's Basic library is read when the office starts.
            self._stop()
            return self.__enter__()
        return self

    def __exit__(self, *exc):
        self._stop()
        shutil.rmtree(self.private, ignore_errors=True)
        return False

    def _stop(self):
        if self.process is None:
            return
        try:
            self.desktop.terminate()
        except Exception:
            pass  # the bridge goes down with the office
        try:
            self.process.wait(STOP_SECONDS)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait(STOP_SECONDS)
        self.process = None
        self.log.close()

    def create(self, service, *arguments):
        if arguments:
            return self.smgr.createInstanceWithArgumentsAndContext(service, arguments, self.context)
        return self.smgr.createInstanceWithContext(service, self.context)

    # Shown, as a user has it (headless, so nowhere): LibreOffice freezes
    # no panes in a hidden document's view.
    def load(self, path, hidden=False):
        doc = self.desktop.loadComponentFromURL(file_url(path), "_blank", 0, (prop("Hidden", hidden),))
        if not hidden:
            # A window of a screen's size, shown (on no screen): the view then
            # scrolls and splits as it does in front of a user.
            window = doc.CurrentController.Frame.ContainerWindow
            window.setPosSize(0, 0, 1280, 800, 15)
            window.setVisible(True)
        return doc

    def dialog_model(self, caption, texts, options):
        model = self.create("com.sun.star.awt.UnoControlDialogModel")
        model.Title = caption
        for name in texts:
            model.insertByName(name, model.createInstance("com.sun.star.awt.UnoControlEditModel"))
        for name in options:
            model.insertByName(name, model.createInstance("com.sun.star.awt.UnoControlRadioButtonModel"))
        return model


def reference(args, *command):
    return subprocess.run([args.reference] + list(command), check=True, stdout=subprocess.PIPE, text=True,
                          timeout=300).stdout


def reference_sessions(args, office):
    """The embedded side: the host workbook and every session's facts,
    written by the reference program into the office's work folder."""
    folder = os.path.join(office.work, "reference")
    os.makedirs(folder)
    host = os.path.join(office.work, "host.xlsx")
    reference(args, "host", host)
    reference(args, "sessions", folder)
    with open(os.path.join(folder, "sessions.json"), encoding="utf-8") as f:
        return folder, host, json.load(f)


def fail(message):
    print(message)
    sys.exit(1)
