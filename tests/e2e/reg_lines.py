#!/usr/bin/env python3
"""Prints a `reg export` file's values one a line, key|name=data (name empty for the default
value, line breaks in data as \\r and \\n), for snapshots that diff and grep can compare."""
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "../../packaging"))
from registry_rows import read  # noqa: E402

for key, name, _, data in read(sys.argv[1]).values():
    print(f"{key}|{name}=" + data.replace("\r", "\\r").replace("\n", "\\n"))
