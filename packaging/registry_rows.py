#!/usr/bin/env python3
"""Turns what the DLL's own per-user registration wrote into the installer's registry rows.

    registry_rows.py BEFORE.reg AFTER.reg INSTALL_DIR OUT.wxi

BEFORE and AFTER are `reg export` files of HKEY_CURRENT_USER around `regsvr32 /n /i:user` of
INSTALL_DIR\\Pigmora.dll. Every value that registration added becomes a RegistryValue under
HKMU (the user's hive per user, the machine's with ALLUSERS=1, as registration's two scopes
do); the DLL's path becomes the installed file's, its folder the install folder.
"""
import sys
from xml.sax.saxutils import quoteattr

HIVE = "HKEY_CURRENT_USER\\"


def unescape(s):
    out, i = [], 0
    while i < len(s):
        c = s[i]
        if c == "\\" and i + 1 < len(s):
            n = s[i + 1]
            out.append({"n": "\n", "r": "\r", "0": "\0", "t": "\t"}.get(n, n))
            i += 2
        else:
            out.append(c)
            i += 1
    return "".join(out)


def split_quoted(line):
    """'"name"=rest' -> (name, rest); '@=rest' -> ('', rest)."""
    if line.startswith("@="):
        return "", line[2:]
    i = 1
    while line[i] != '"':
        i += 2 if line[i] == "\\" else 1
    return unescape(line[1:i]), line[i + 2:]


def read(path):
    text = open(path, "rb").read().decode("utf-16")
    lines, pending = [], ""
    for raw in text.splitlines():
        if raw.endswith("\\") and not raw.startswith("["):
            pending += raw[:-1].strip()
            continue
        lines.append(pending + raw.strip() if pending else raw)
        pending = ""
    values, key = {}, None
    for line in lines:
        if line.startswith("[") and line.endswith("]"):
            key = line[1:-1]
        elif key and (line.startswith('"') or line.startswith("@=")):
            name, data = split_quoted(line)
            if data.startswith('"'):
                values[(key.lower(), name.lower())] = (key, name, "string", unescape(data[1:-1]))
            elif data.startswith("dword:"):
                values[(key.lower(), name.lower())] = (key, name, "integer", str(int(data[6:], 16)))
            else:
                values[(key.lower(), name.lower())] = (key, name, "other", data)
    return values


def formatted(text):
    """A literal as the installer's Formatted type reads it."""
    out = "".join("[\\" + c + "]" if c in "[]" else c for c in text)
    return "#" + out if out.startswith("#") else out


def main(before_path, after_path, install_dir, out_path):
    before, after = read(before_path), read(after_path)
    added = [v for k, v in after.items() if before.get(k) != v]
    dll = install_dir.rstrip("\\") + "\\Pigmora.dll"
    rows = []
    for key, name, kind, data in sorted(added, key=lambda v: (v[0].lower(), v[1].lower())):
        if not key.upper().startswith(HIVE):
            sys.exit(f"registry_rows: a value outside HKEY_CURRENT_USER: {key}")
        if kind == "other":
            sys.exit(f"registry_rows: a value of a type the rows do not carry: {key} {name}")
        if kind == "string":
            if data.lower() == dll.lower():
                value = "[#PigmoraDll]"
            elif data.lower() == install_dir.rstrip("\\").lower():
                value = "[INSTALLDIR]"
            elif install_dir.lower() in data.lower():
                sys.exit(f"registry_rows: the install folder inside a value: {key} {name}")
            else:
                value = formatted(data)
        else:
            value = data
        attrs = f"Key={quoteattr(key[len(HIVE):])}"
        if name:
            attrs += f" Name={quoteattr(name)}"
        attrs += f' Type="{kind}" Value='
        attrs += quoteattr(value, {"\r": "&#13;", "\n": "&#10;", "\t": "&#9;"})
        rows.append(attrs)
    if not rows:
        sys.exit("registry_rows: registration wrote nothing")
    with open(out_path, "w", encoding="utf-8") as f:
        f.write('<?xml version="1.0" encoding="utf-8"?>\n<Include>\n')
        f.write("".join(f'  <RegistryValue Root="HKMU" {attrs} />\n' for attrs in rows))
        f.write("</Include>\n")


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
