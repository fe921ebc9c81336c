#include "cli/HelpText.h"

namespace zk::cli {

std::string_view HelpText() {
  return R"(zkcli - ZK containers from the command line (same engine and format as the desktop program)

zkcli encrypt [-p PASSWORD | --password-stdin] [--hint TEXT] [-a twofish|rijndael|gost|0|1|2]
              [--naming enc|own|random] [--ext EXT] [--level 1-4] [--wipe-source] [-o OUTPUT] [--no-recurse]
              [-j N] PATH...
zkcli decrypt [-p PASSWORD | --password-stdin] [--wipe-source] [-o OUTPUT | -o -] [--no-recurse] [-j N] PATH...
zkcli wipe    [--yes] [--no-recurse] [-j N] PATH...
zkcli hint    [--no-recurse] PATH...
zkcli sha1    [--no-recurse] PATH...
  encrypt, decrypt, wipe, hint and sha1 also take [--json] [--files-from LIST [-0]]
zkcli check-value [-p PASSWORD | --password-stdin]
zkcli check-strength [-p PASSWORD | --password-stdin]

  encrypt       encrypt each file into a container
  decrypt       decrypt each container back to the file it holds
  wipe          overwrite each file once with the byte 0x4E, then delete it
  hint          show the password hint of each container (no password needed)
  sha1          show the SHA-1 digest of each file
  check-value   show the password check value that the desktop program can register (PASSHASH)
  check-strength  show how long the password would hold against offline guessing of a container:
                the seconds, a tab and the estimate in words (10^10 guesses a second, one graphics card);
                encrypt prints the estimate on standard error when it is under a day

A folder or a link to one given as a path stands for every file in it, subfolders included unless
--no-recurse. Inside a folder a link to a folder is never entered: wipe removes the link only, encrypt and
decrypt leave it; a folder that cannot be read (or whose paths would be too long) and an unfinished file
(below) are left as they are. Each of these, like the wipe of a link, is a line of its own that counts as
failed. An encrypted file is written beside its source, named as --naming says; a decrypted
file beside its container, under the name and date stored in it. An existing file is never replaced: "_RENAMED" and the name's extension are
appended until the name is free. A stored name too long for Linux (over 255 bytes) is shortened at
whole characters, its extension kept. -o names the output of a single file; the file is encrypted to
that name (an existing file is not replaced) or decrypted to it (an existing file is replaced only when
decryption succeeds; a FIFO or a device such as a terminal is written into; a link to a file, a folder
and the like are refused, never replaced). decrypt -o - writes the plain file to standard output and
the result line to standard error. --wipe-source does not go with such a stream. Options may stand
before or after the paths; --name=value equals --name value, -Xvalue equals -X value (-j1), and --
ends the options.

Every output file is written without a name (or, on FAT, NFS and FUSE, as NAME.zk-unfinished-XXXXXX),
readable by its owner only, and takes its name only when complete, with its source's permissions. A
signal that ends zkcli removes it; a .zk-unfinished- file left by SIGKILL or a power cut can be deleted.
--wipe-source wipes a source only while it is still exactly the file that was read, and never
overwrites a file with other hard links (only its name goes). A folder search never takes one
as a source.

  -p, --password PASSWORD  the password (other users may see it in the process list); without -p
                           it is asked on the terminal without echo, twice when encrypting
  --password-stdin         read the password from the first line of standard input
  --hint TEXT              password hint stored in the container, readable without the password
  -a, --algorithm ALGO     twofish (0, default), rijndael (1) or gost (2)
  --naming MODE            enc: NAME.enc (default); own: NAME + EXT; random: 7 random characters + EXT
  --ext EXT                the own extension (default .bmp)
  --level N                security level: minimum password length 1, 6, 10 or 20 bytes (default 1),
                           counted in CP932, where a Japanese character counts two
  --wipe-source            wipe the source after it was processed successfully (kept otherwise)
  -o, --output OUTPUT      output file of the single-file form; for decrypt, - is standard output
  --no-recurse             take only the files directly in a folder given
  -y, --yes                wipe without asking
  -j, --jobs N             work on up to N files at once (default: as many as the cores zkcli may use);
                           the names, result lines and exit status are those of -j 1
  --json                   one JSON object per file instead of the line, and a summary object at the
                           end (JSON Lines; see OUTPUT FOR SCRIPTS in zkcli(1))
  --files-from LIST        more paths from the file LIST (- for standard input), one a line
  -0, --null               the names of --files-from end with NUL (find -print0)
  -h, --help               this text

Every file gives one line on standard output: the result text followed by the path, and after a
successful decryption a tab and the path of the decrypted file. hint and sha1 print the hint or the
digest (five groups of 8 hexadecimal digits), a tab and the path; check-value prints the 8 characters.
The lines come in the order of the files, also with -j. In names and hints, control characters are
escaped, so that every file is one line: \n, \t, \r, \xhh for other controls (ESC is \x1b; a C1 control
is its two UTF-8 bytes, \xc2\x9b), \\ for a backslash; bytes that are not UTF-8 are printed as they are. A progress bar goes to standard error when that
is a terminal; with several files at once it shows the bytes of the whole batch. zkcli reads and writes no settings file.

The result lines follow the locale as zk does: Japanese under ja, C, POSIX or no locale (byte for byte
as in earlier versions; LC_ALL=C pins them), English under any other. The cause of a failure, where it is
known, follows on standard error as "zkcli: PATH: CAUSE". With --json each file is one object with
"path", "kind" (a stable identifier, listed in zkcli(1)), "failed", "output", "hint", "sha1", "cause" and
"text" as they apply; bytes of a name that are not UTF-8 are kept as \udcXX (Python's surrogateescape).
encrypt -o - is refused: a container has no end mark, so one cut short in a pipe would still decrypt,
silently shorter.

Exit status: 0 every file succeeded, 1 some failed (or the wipe was not confirmed, or standard output
could not be written), 2 bad usage (nothing was done).
)";
}

}  // namespace zk::cli
