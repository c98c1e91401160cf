#!/usr/bin/python3
"""Writes the package's changelog.gz, which a Debian package of its own
(native) version carries in /usr/share/doc/tavo: one entry for the version
built. The date is SOURCE_DATE_EPOCH's when it is set, so a rebuild of the
same sources gives the same file.

    make_changelog.py VERSION MAINTAINER OUT.gz"""
import email.utils
import gzip
import os
import sys


def main(argv):
    if len(argv) != 4:
        print(__doc__, file=sys.stderr)
        return 2
    version, maintainer, out = argv[1:]
    when = float(os.environ.get("SOURCE_DATE_EPOCH", "0")) or None
    text = (f"tavo ({version}) unstable; urgency=medium\n\n"
            f"  * tavo {version}; what it does and how to use it: README.md.\n\n"
            f" -- {maintainer}  {email.utils.formatdate(when).replace('-0000', '+0000')}\n")
    with open(out + ".tmp", "wb") as raw, gzip.GzipFile(filename="", mode="wb", fileobj=raw,
                                                         compresslevel=9, mtime=0) as packed:
        packed.write(text.encode())
    os.replace(out + ".tmp", out)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
