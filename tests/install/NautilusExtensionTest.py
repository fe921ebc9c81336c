#!/usr/bin/python3
# NautilusExtensionTest.py zk_nautilus.py
# Loads the Nautilus extension under the real python3-nautilus binding (as Nautilus does, through the
# system's Python) and checks the items it offers for a file, a folder and containers, their labels by
# the desktop's language, and that zk receives every path whole and unchanged. Skipped (77) where the
# binding is missing.
import importlib
import os
import stat
import sys
import tempfile
import time
import unittest

try:
    import gi

    gi.require_version("Nautilus", "4.0")
    from gi.repository import Gio, GLib, GObject, Nautilus
except (ImportError, ValueError) as missing:
    print(f"SKIP: the python3-nautilus binding is not installed ({missing})")
    sys.exit(77)

CONTAINER = "application/x-zk-container"


def load_extension(path):
    # As nautilus-python loads an extension: its folder on the module path, the module by its name.
    sys.path.insert(0, os.path.dirname(path))
    return importlib.import_module(os.path.splitext(os.path.basename(path))[0])


class FakeFile(GObject.GObject, Nautilus.FileInfo):
    """What Nautilus hands an extension for one selected file."""

    def __init__(self, location, mime_type):
        super().__init__()
        self.location = location
        self.mime_type = mime_type

    def do_get_location(self):
        return self.location

    def do_get_uri(self):
        return self.location.get_uri()

    def do_get_uri_scheme(self):
        return self.location.get_uri_scheme()

    def do_get_mime_type(self):
        return self.mime_type

    def do_is_mime_type(self, mime_type):
        return self.mime_type == mime_type

    def do_is_directory(self):
        return self.mime_type == "inode/directory"


def local(path, mime_type="text/plain"):
    return FakeFile(Gio.File.new_for_path(path), mime_type)


class NautilusExtension(unittest.TestCase):
    def setUp(self):
        os.environ["LANGUAGE"] = "en_US"
        self.provider = EXTENSION.ZkMenuProvider()

    def labels(self, files):
        return [item.get_property("label") for item in self.provider.get_file_items(files)]

    def test_items_for_files_folders_and_containers(self):
        cases = [
            ("a file", [local("/home/u/report.pdf")], ["Encrypt with ZK", "Wipe with ZK"]),
            ("a folder", [local("/home/u/photos", "inode/directory")], ["Encrypt with ZK", "Wipe with ZK"]),
            ("a container", [local("/home/u/a.enc", CONTAINER)],
             ["Encrypt with ZK", "Decrypt with ZK", "Wipe with ZK"]),
            ("two containers", [local("/a.enc", CONTAINER), local("/b", CONTAINER)],
             ["Encrypt with ZK", "Decrypt with ZK", "Wipe with ZK"]),
            ("a container and a file", [local("/a.enc", CONTAINER), local("/b.txt")],
             ["Encrypt with ZK", "Wipe with ZK"]),
            ("a remote file", [FakeFile(Gio.File.new_for_uri("sftp://host/a.txt"), "text/plain")], []),
            ("nothing", [], []),
        ]
        for what, files, expected in cases:
            with self.subTest(what):
                self.assertEqual(self.labels(files), expected)

    def test_labels_follow_the_desktop_language(self):
        files = [local("/a.enc", CONTAINER)]
        for environment, expected in [
            ({"LANGUAGE": "", "LC_ALL": "", "LC_MESSAGES": "", "LANG": "ja_JP.UTF-8"},
             ["ZKで暗号化", "ZKで復号", "ZKで完全抹消"]),
            ({"LANGUAGE": "ja", "LANG": "en_US.UTF-8"}, ["ZKで暗号化", "ZKで復号", "ZKで完全抹消"]),
            ({"LANGUAGE": "", "LC_ALL": "de_DE.UTF-8", "LANG": "ja_JP.UTF-8"},
             ["Encrypt with ZK", "Decrypt with ZK", "Wipe with ZK"]),
        ]:
            with self.subTest(environment):
                for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"):
                    os.environ.pop(name, None)
                os.environ.update({name: value for name, value in environment.items() if value})
                self.assertEqual(self.labels(files), expected)

    def test_zk_receives_each_path_whole_and_unchanged(self):
        with tempfile.TemporaryDirectory() as folder:
            received = os.path.join(folder, "arguments")
            fake_zk = os.path.join(folder, "zk")
            with open(fake_zk, "w") as script:
                script.write('#!/bin/sh\nfor word; do printf "%s\\0" "$word"; done >"$ZK_ARGUMENTS.part"\n'
                             'mv "$ZK_ARGUMENTS.part" "$ZK_ARGUMENTS"\n')
            os.chmod(fake_zk, stat.S_IRWXU)
            os.environ["PATH"] = folder + os.pathsep + os.environ["PATH"]
            os.environ["ZK_ARGUMENTS"] = received
            paths = [b"/home/u/with  two blanks.txt", "/home/u/日本語の名前.txt".encode(),
                     b"/home/u/latin1-\xe9t\xe9.txt", b"/home/u/-E", b"/home/u/it's \"quoted\" $HOME\\x"]
            files = [local(os.fsdecode(path)) for path in paths]
            for item in self.provider.get_file_items(files):
                if item.get_property("name") != "ZK::Wipe":
                    continue
                item.activate()
                for _ in range(500):
                    if os.path.exists(received):
                        break
                    time.sleep(0.01)
                with open(received, "rb") as arguments:
                    self.assertEqual(arguments.read().split(b"\0")[:-1], [b"-W"] + paths)
                return
            self.fail("no wipe item")


if __name__ == "__main__":
    EXTENSION = load_extension(sys.argv.pop(1))
    unittest.main(verbosity=2)
