#!/usr/bin/env python3
"""The README shows the library example as the package tests build it."""
import sys

readme, example = (open(path, encoding="utf-8").read() for path in sys.argv[1:3])
if f"```cpp\n{example}```" not in readme:
    sys.exit("README.md does not show tests/package/consumer/main.cpp as it is")
print("README.md shows the library example as it is built")
