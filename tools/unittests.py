#!/usr/bin/env python3
"""Runs the test_*.py suites of a folder, as `python3 -m unittest discover` would, and fails when
fewer tests ran than the files hold: a test class that no longer derives from TestCase, a file
the pattern misses or a suite that was left out would otherwise pass unseen. With --at-least N
it also fails when fewer than N ran: a renamed file or an emptied folder holds none to count.

Usage: unittests.py FOLDER [--top TOPFOLDER] [--at-least N]   (the top folder is the one imports
start from)
"""
import ast
import os
import sys
import unittest


def tests_held(folder):
    """The test methods of the classes in the folder's test_*.py files."""
    count = 0
    for name in sorted(os.listdir(folder)):
        if name.startswith("test_") and name.endswith(".py"):
            with open(os.path.join(folder, name), encoding="utf-8") as f:
                tree = ast.parse(f.read(), name)
            count += sum(isinstance(item, ast.FunctionDef) and item.name.startswith("test")
                         for node in tree.body if isinstance(node, ast.ClassDef) for item in node.body)
    return count


def main(argv):
    folder = os.path.abspath(argv[1])
    top = os.path.abspath(argv[argv.index("--top") + 1]) if "--top" in argv else folder
    floor = int(argv[argv.index("--at-least") + 1]) if "--at-least" in argv else 0
    suite = unittest.defaultTestLoader.discover(folder, pattern="test_*.py", top_level_dir=top)
    result = unittest.TextTestRunner(verbosity=1).run(suite)
    held = tests_held(folder)
    if result.testsRun < held:
        print("%d tests ran of the %d that %s holds" % (result.testsRun, held, folder))
        return 1
    if result.testsRun < floor:
        print("%d tests ran in %s, fewer than the %d it must hold" % (result.testsRun, folder, floor))
        return 1
    return 0 if result.wasSuccessful() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv))
