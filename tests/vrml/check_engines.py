#!/usr/bin/env python3
"""Every locked node module runs on Debian 12's Node.js (18.20).

    check_engines.py [package-lock.json]

Newer machines have a newer Node, which hides a module that needs one;
`npm ci --engine-strict` would refuse it only on a Debian 12 machine.
Exit 0 all run on 18.20, 1 one does not (or its range is not understood)."""
import json
import re
import sys
from pathlib import Path

DEBIAN_NODE = (18, 20, 4)
lock = Path(sys.argv[1] if len(sys.argv) > 1 else Path(__file__).with_name("package-lock.json"))
failed = 0
for name, package in json.loads(lock.read_text()).get("packages", {}).items():
    wanted = package.get("engines", {}).get("node")
    if not name or wanted is None:
        continue
    # Only the ">=MAJOR[.MINOR[.PATCH]]" form the locked modules use.
    match = re.fullmatch(r">=\s*(\d+)(?:\.(\d+))?(?:\.(\d+))?", wanted.strip())
    least = tuple(int(part or 0) for part in match.groups()) if match else None
    if least is None or least > DEBIAN_NODE:
        print(f"{name}: node {wanted} is not met by Debian 12's Node 18.20")
        failed += 1
print(f"{lock.name}: {'failed' if failed else 'every module runs on Node 18.20'}")
sys.exit(1 if failed else 0)
