"""Runs one module of end-to-end scenarios; exits non-zero when one fails.

Usage: run.py MODULE --product EXE --driver EXE --build DIR --run-dir DIR [-k PATTERN]
It expects DISPLAY to name the display that the whole run shares
(scripts/with-display.sh) and WINE_TEMPLATE to name the template prefix.
"""
import argparse
import os
import sys
import unittest

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import e2e  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("module")
    for option in ("--product", "--driver", "--build", "--run-dir"):
        parser.add_argument(option, required=True)
    parser.add_argument("-k", dest="patterns", action="append", default=None)
    args = parser.parse_args()
    absolute = os.path.abspath
    e2e.config.update(product=absolute(args.product), driver=absolute(args.driver),
                      build=absolute(args.build), run_dir=absolute(args.run_dir), group=args.module)
    loader = unittest.TestLoader()
    if args.patterns:
        loader.testNamePatterns = ["*%s*" % p for p in args.patterns]
    suite = loader.loadTestsFromName(args.module)
    result = unittest.TextTestRunner(verbosity=2).run(suite)
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
