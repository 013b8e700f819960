"""Runs one module of Wine tests and says how many ran.

It fails when the module defines a test_ function that no test case collects:
one written after unittest.main(), or outside its class, would otherwise never
run, and nobody would notice. A suite whose every test was skipped ran nothing,
and fails too.

    python3 run_suite.py test_watch
"""
import ast
import importlib
import sys
import time
import unittest
from pathlib import Path


def collected_tests(suite):
    """Class.method for every test the loader found, by the class that defines it."""
    names = set()
    for test in suite:
        if isinstance(test, unittest.TestSuite):
            names |= collected_tests(test)
            continue
        method = test._testMethodName
        owner = next(c for c in type(test).__mro__ if method in vars(c))
        names.add(f"{owner.__name__}.{method}")
    return names


def defined_tests(source):
    """Class.method for every test_ function in the source; "-" as the class of one
    that no class body holds."""
    tree = ast.parse(source)
    functions = (ast.FunctionDef, ast.AsyncFunctionDef)
    in_a_class = {}
    for node in ast.walk(tree):
        if isinstance(node, ast.ClassDef):
            for item in node.body:
                if isinstance(item, functions):
                    in_a_class[item] = node.name
    return {f"{in_a_class.get(node, '-')}.{node.name}" for node in ast.walk(tree)
            if isinstance(node, functions) and node.name.startswith("test_")}


class TimedResult(unittest.TextTestResult):
    """Keeps each test's duration: the suites share a time budget."""

    def startTest(self, test):
        self.began = time.monotonic()
        super().startTest(test)

    def stopTest(self, test):
        super().stopTest(test)
        self.durations = getattr(self, "durations", [])
        self.durations.append((time.monotonic() - self.began, test._testMethodName))


def main():
    name = sys.argv[1]
    module = importlib.import_module(name)
    suite = unittest.defaultTestLoader.loadTestsFromModule(module)
    lost = sorted(defined_tests(Path(module.__file__).read_text("utf-8")) - collected_tests(suite))
    result = unittest.TextTestRunner(verbosity=2, resultclass=TimedResult).run(suite)
    skipped = len(result.skipped)
    print(f"{name}: {result.testsRun} tests ran, {skipped} of them skipped")
    for seconds, test in sorted(getattr(result, "durations", []), reverse=True)[:5]:
        print(f"{name}: {seconds:5.1f} s {test}")
    for test in lost:
        print(f"{name}: {test} is never run: no test case collects it", file=sys.stderr)
    nothing = result.testsRun - skipped == 0
    if nothing:
        print(f"{name}: every test was skipped: the suite ran nothing", file=sys.stderr)
    sys.exit(0 if result.wasSuccessful() and not lost and not nothing else 1)


if __name__ == "__main__":
    main()
