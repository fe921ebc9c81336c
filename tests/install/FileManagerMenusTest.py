#!/usr/bin/python3
# FileManagerMenusTest.py MENUS_DIR
# The Dolphin service menus and the Nemo actions built into MENUS_DIR (dolphin/, nemo/), read with GLib's
# key-file parser as both file managers read them: the items, their labels in English and Japanese, the
# types they are offered for and the command lines they run. Nemo's command line is expanded as Nemo
# expands %F for the paths a user may have, then split by GLib's own parser: zk must get each path whole.
# (desktop-file-validate knows no service menus or actions, so it does not apply.) Skipped (77) without
# the GLib binding (python3-gi).
import os
import sys
import unittest

try:
    from gi.repository import GLib
except ImportError as missing:
    print(f"SKIP: python3-gi is not installed ({missing})")
    sys.exit(77)

ENCRYPT = ("zk -E %F", "Encrypt with ZK", "ZKで暗号化")
DECRYPT = ("zk -D %F", "Decrypt with ZK", "ZKで復号")
WIPE = ("zk -W %F", "Wipe with ZK", "ZKで完全抹消")
CONTAINER = "application/x-zk-container"


def key_file(path):
    keys = GLib.KeyFile()
    keys.load_from_file(path, GLib.KeyFileFlags.KEEP_TRANSLATIONS)
    return keys


def nemo_expand(exec_line, paths):
    """%F as Nemo fills it in without a Quote key and with EscapeSpaces: quotes and backslashes escaped,
    then spaces, the paths joined by spaces."""
    escaped = []
    for path in paths:
        for special in ("\\", "'", '"'):
            path = path.replace(special, "\\" + special)
        escaped.append(path.replace(" ", "\\ "))
    return exec_line.replace("%F", " ".join(escaped))


class DolphinServiceMenus(unittest.TestCase):
    def test_items_types_and_command_lines(self):
        for name, mime_types, actions in [
            ("zk-encrypt-wipe.desktop", ["all/all"], {"zkEncrypt": ENCRYPT, "zkWipe": WIPE}),
            ("zk-decrypt.desktop", [CONTAINER], {"zkDecrypt": DECRYPT}),
        ]:
            with self.subTest(name):
                keys = key_file(os.path.join(MENUS, "dolphin", name))
                entry = "Desktop Entry"
                self.assertEqual(keys.get_string(entry, "Type"), "Service")
                self.assertEqual(keys.get_string_list(entry, "MimeType"), mime_types)
                self.assertEqual(keys.get_string(entry, "X-KDE-Protocols"), "file")
                # A container meets three items, which Dolphin would otherwise put into its Actions submenu.
                self.assertEqual(keys.get_string(entry, "X-KDE-Priority"), "TopLevel")
                self.assertEqual(keys.get_string_list(entry, "Actions"), list(actions))
                for action, (command, english, japanese) in actions.items():
                    group = "Desktop Action " + action
                    # KIO quotes every path of %F itself; a quoted %F would be quoted twice.
                    self.assertEqual(keys.get_string(group, "Exec"), command)
                    self.assertEqual(keys.get_string(group, "Name"), english)
                    self.assertEqual(keys.get_locale_string(group, "Name", "ja_JP"), japanese)
                    self.assertEqual(keys.get_locale_string(group, "Name", "de_DE"), english)


class NemoActions(unittest.TestCase):
    PATHS = ["/home/u/with  two blanks.txt", "/home/u/日本語の名前.txt", "/home/u/-E", "/home/u/-P",
             "/home/u/it's \"quoted\" $HOME `x` \\back", "/home/u/#hash", "/home/u/plain"]

    def test_items_types_and_command_lines(self):
        for name, match, (command, english, japanese) in [
            ("zk-encrypt.nemo_action", ("Extensions", ["any"]), ENCRYPT),
            ("zk-decrypt.nemo_action", ("Mimetypes", [CONTAINER]), DECRYPT),
            ("zk-wipe.nemo_action", ("Extensions", ["any"]), WIPE),
        ]:
            with self.subTest(name):
                keys = key_file(os.path.join(MENUS, "nemo", name))
                group = "Nemo Action"
                self.assertEqual(keys.get_string(group, "Exec"), command)
                self.assertEqual(keys.get_string(group, "Name"), english)
                self.assertEqual(keys.get_locale_string(group, "Name", "ja_JP"), japanese)
                self.assertEqual(keys.get_string(group, "Selection"), "notnone")
                self.assertEqual(keys.get_string_list(group, match[0]), match[1])
                self.assertTrue(keys.get_boolean(group, "EscapeSpaces"))
                self.assertNotIn("Quote", keys.get_keys(group)[0], "quotes around an escaped path would stay in it")
                ok, argv = GLib.shell_parse_argv(nemo_expand(command, self.PATHS))
                self.assertTrue(ok)
                self.assertEqual(argv, command.split()[:2] + self.PATHS)


if __name__ == "__main__":
    MENUS = sys.argv.pop(1)
    unittest.main(verbosity=2)
