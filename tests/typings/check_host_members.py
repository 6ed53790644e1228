#!/usr/bin/env python3
"""The IDE host's member tables against the editors' published type libraries.

Every member that a host object implements (its table in the host's sources: name, invoke
kind, parameters) must exist in the typings generated from Microsoft's type libraries
(npm @types/activex-vbide 14.0.6 for VBIDE 5.3, @types/activex-office 16.0.7 for the command
bars), with the same kind and parameters: `readonly` is get only, `(params)` a method or a
parameterised property, `?` an optional parameter. What the VBA editor's library lacks
(VB6's own VBIDE 6.0, the MSForms designer) is listed apart below, with the Microsoft page
that documents it, and must stay apart.

    check_host_members.py REPOSITORY TYPINGS_DIR
"""
import pathlib
import re
import sys

# Host object name -> the typings' class or interface.
TYPED = {
    "VBE": "VBIDE.VBE",
    "Window": "VBIDE.Window",
    "Events": "VBIDE.Events",
    "CodePane": "VBIDE.CodePane",
    "CodeModule": "VBIDE.CodeModule",
    "AddIn": "VBIDE.AddIn",
    "CommandBarEvents": "VBIDE.CommandBarEvents",
    "Property": "VBIDE.Property",
    "Properties": "VBIDE.Properties",
    "VBComponent": "VBIDE.VBComponent",
    "VBComponents": "VBIDE.VBComponents",
    "VBProject": "VBIDE.VBProject",
    "CommandBars": "Office.CommandBars",
    "CommandBar": "Office.CommandBar",
    "CommandBarControls": "Office.CommandBarControls",
    # The add-in's control is a button (msoControlButton): PasteFace, Picture and Mask are
    # the button's.
    "CommandBarControl": "Office.CommandBarButton",
}

# Members of libraries the typings do not cover, each with the page that documents it.
APART = {
    ("VBComponent", "IsDirty"): "VB6: IsDirty Property (VBComponent object)",
    ("VBForm", "SelectedVBControls"): "VB6: SelectedVBControls Property",
    ("VBForm", "VBControls"): "VB6: VBControls Property",
    ("VBControl", "Properties"): "VB6: Properties Property (VBControl object)",
    ("VBControl", "ClassName"): "VB6: ClassName Property",
    ("VBControl", "InSelection"): "VB6: InSelection Property",
    # The Office application a document module's Properties("Application") answers.
    ("Application", "Name"): "Office VBA: Application.Name property (Excel, Word, PowerPoint, "
                             "Access)",
    ("UserForm", "Selected"): "MSForms: Selected Property (UserForm object)",
    ("UserForm", "Controls"): "MSForms: Controls Collection",
    # SelectedVBControls and VBControls (VB6), Controls (MSForms): one table for the three.
    ("Collection", "Item"): "VB6: SelectedVBControls Collection / VBControls Collection; "
                            "MSForms: Item Method",
    ("Collection", "Count"): "VB6: Count Property (VBControls Collection); MSForms: Count "
                             "Property",
}

# Tables whose object name is given where the object is made, not in its class.
TABLE_OBJECTS = {
    "kCollectionMembers": "Collection",
    "kVbFormMembers": "VBForm",
    "kUserFormMembers": "UserForm",
}


def split_top(text, sep=","):
    parts, depth, cur = [], 0, ""
    for ch in text:
        if ch in "([{<":
            depth += 1
        elif ch in ")]}>":
            depth -= 1
        if ch == sep and depth == 0:
            parts.append(cur)
            cur = ""
        else:
            cur += ch
    if cur.strip():
        parts.append(cur)
    return [p.strip() for p in parts]


def read_typings(path):
    """{"VBIDE.VBE": {"Name": ("get"|"getput"|"call", [(param, optional), ...])}}"""
    types, namespace, current = {}, None, None
    # A member declared over several lines is read as one.
    lines, pending = [], None
    for line in pathlib.Path(path).read_text(encoding="utf-8").splitlines():
        if pending is not None:
            pending += " " + line.strip()
        elif line.count("(") > line.count(")"):
            pending = line
        else:
            lines.append(line)
            continue
        if pending.count("(") == pending.count(")"):
            lines.append(re.sub(r"\(\s+", "(", pending.replace(",)", ")")))
            pending = None
    for line in lines:
        m = re.match(r"declare namespace (\w+) \{", line)
        if m:
            namespace = m.group(1)
            continue
        m = re.match(r"    (?:class|interface) (\w+)", line)
        if m and namespace:
            current = types.setdefault(f"{namespace}.{m.group(1)}", {})
            continue
        if re.match(r"    \}", line):
            current = None
            continue
        if current is None or not line.startswith("        ") or line.startswith("         "):
            continue
        body = line.strip()
        if body.startswith(("private ", "/**", "*", "(")):
            continue
        m = re.match(r"(readonly )?(\w+)(\??)(\((.*)\))?\s*:", body)
        if not m:
            continue
        readonly, name, _, call, params = m.groups()
        if call is not None:
            plist = []
            for p in split_top(params):
                pm = re.match(r"(\w+)(\?)?\s*:", p)
                if pm:
                    plist.append((pm.group(1), bool(pm.group(2))))
            current[name] = ("call", plist)
        else:
            current[name] = ("get" if readonly else "getput", [])
    return types


ENTRY = re.compile(r'\{\s*L"(\w+)",\s*[\w:]+,\s*Kind::(Get|Put|Method),\s*'
                   r'\{((?:\s*\{[^{}]*\}\s*,?)*)\s*\}\s*\}')
PARAM = re.compile(r'\{\s*L"(\w+)",\s*Type::\w+\s*(,\s*true)?\s*\}')


def read_host(host_dir):
    """(tables: {table: [(name, kind, [(param, optional)])]}, objects: {table: {object}}),
    each table named "file:table" (files have tables of the same name)."""
    all_tables, objects = {}, {}
    for cpp in sorted(pathlib.Path(host_dir).glob("*.cpp")):
        text = cpp.read_text(encoding="utf-8")
        tables = {}
        for m in re.finditer(r"const std::vector<Member> (\w+)\s*(=\s*(\[\]\s*)?\{|\(|;)", text):
            name, start = m.group(1), m.end()
            if m.group(2) == ";":
                tables[name] = []
                continue
            # The table's text runs to the first line that closes it.
            end = re.compile(r"\n\}(\(\))?;|\);").search(text, start)
            body = text[start:end.start() if end else len(text)]
            entries = []
            base = re.search(r"auto \w+ = (k\w+);", body)
            if base:
                entries += tables[base.group(1)]
            cut = re.match(r"\s*(k\w+)\.begin\(\),\s*\1\.begin\(\) \+ (\d+)", body)
            if cut:
                entries += tables[cut.group(1)][: int(cut.group(2))]
            for e in ENTRY.finditer(body):
                params = [(p.group(1), bool(p.group(2))) for p in PARAM.finditer(e.group(3))]
                entries.append((e.group(1), e.group(2), params))
            tables[name] = entries
        for m in re.finditer(r'DispatchObject\(\s*L"(\w+)",\s*([^;{]*?)(PlanOf|nullptr\))', text):
            for table in re.findall(r"\b(k\w+Members)\b", m.group(2)):
                objects.setdefault(f"{cpp.name}:{table}", set()).add(m.group(1))
        for table, obj in TABLE_OBJECTS.items():
            if table in tables:
                objects.setdefault(f"{cpp.name}:{table}", set()).add(obj)
        all_tables.update({f"{cpp.name}:{t}": e for t, e in tables.items()})
    return all_tables, objects


def check(host_dir, typings_dir):
    typings = {}
    for lib in ("activex-vbide", "activex-office"):
        typings.update(read_typings(pathlib.Path(typings_dir) / lib / "index.d.ts"))
    tables, objects = read_host(host_dir)
    faults, checked, apart = [], 0, 0
    for table, entries in tables.items():
        if not entries:
            continue
        if table not in objects:
            faults.append(f"{table}: no host object is known to use it (add it to this test)")
            continue
        for obj in sorted(objects[table]):
            members = {}
            for name, kind, params in entries:
                members.setdefault(name, []).append((kind, params))
            for name, forms in members.items():
                where = f"{obj}.{name} ({table})"
                if (obj, name) in APART:
                    apart += 1
                    continue
                typed_name = TYPED.get(obj)
                if typed_name is None:
                    faults.append(f"{where}: {obj} is neither typed nor listed apart")
                    continue
                typed = typings.get(typed_name, {}).get(name)
                if typed is None:
                    faults.append(f"{where}: not a member of {typed_name}")
                    continue
                checked += 1
                tkind, tparams = typed
                for kind, params in forms:
                    if kind == "Put":
                        params = params[:-1]  # the value put
                        if tkind == "get":
                            faults.append(f"{where}: put, but {typed_name}.{name} is read-only")
                            continue
                    if kind == "Method" or params:
                        if tkind != "call":
                            faults.append(f"{where}: called with parameters, but "
                                          f"{typed_name}.{name} is a plain property")
                            continue
                        if len(params) > len(tparams):
                            faults.append(f"{where}: {len(params)} parameters, the library "
                                          f"has {len(tparams)}")
                            continue
                        for (pn, popt), (tn, topt) in zip(params, tparams):
                            if pn.lower() != tn.lower() or popt != topt:
                                faults.append(f"{where}: parameter {pn}{'?' if popt else ''}, "
                                              f"the library has {tn}{'?' if topt else ''}")
                        missing = [tn for tn, topt in tparams[len(params):] if not topt]
                        if missing:
                            faults.append(f"{where}: lacks the required {', '.join(missing)}")
                    elif tkind == "call" and any(not o for _, o in tparams):
                        faults.append(f"{where}: a property, but {typed_name}.{name} takes "
                                      "parameters")
    for fault in faults:
        print("FAULT", fault)
    print(f"host members: {checked} checked against the typings, {apart} listed apart")
    print(f"{1 if not faults else 0} passed, {1 if faults else 0} failed")
    return not faults


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    typings = pathlib.Path(sys.argv[2])
    if not (typings / "activex-vbide" / "index.d.ts").is_file():
        sys.exit(f"no typings in {typings}: scripts/setup.sh fetches them")
    hosts = [d for d in (pathlib.Path(sys.argv[1]) / "tests" / "host",
                         pathlib.Path(sys.argv[1]) / "host") if (d / "dispatch.h").is_file()]
    if not hosts:
        sys.exit(f"no IDE host under {sys.argv[1]}")
    sys.exit(0 if check(hosts[0], typings) else 1)
