#!/usr/bin/env python3
"""Reads what the download tests check in Windows files, without Windows:
  lnk FILE          the shortcut's target and working folder (shell link format)
  versioninfo FILE  the VERSIONINFO resource of a PE file (through wrestool), as key=value lines
  zipnames FILE     the names in a zip, one a line
  manifests DIR     the package manager's manifests in DIR (YAML, read with Debian's python3-yaml):
                    "files=" and their names, then FILE:KEY=VALUE for every value, a list's
                    items numbered (installer:Installers.0.Scope=user)
"""
import os
import struct
import subprocess
import sys
import zipfile


def lnk(path):
    data = open(path, "rb").read()
    if data[:4] != b"L\0\0\0":
        sys.exit(f"{path}: not a shell link")
    flags = struct.unpack_from("<I", data, 20)[0]
    at = 76
    if flags & 0x01:  # item id list
        at += 2 + struct.unpack_from("<H", data, at)[0]
    if flags & 0x02:  # link info: the local base path
        size, _, _, _, base = struct.unpack_from("<5I", data, at)
        end = data.index(b"\0", at + base)
        print("target=" + data[at + base:end].decode("cp1252"))
        at += size
    unicode = flags & 0x80
    # Name, relative path, working folder, arguments, icon: each there when its flag is set.
    for bit, key in ((0x04, "name"), (0x08, "relative"), (0x10, "workdir"), (0x20, "args"), (0x40, "icon")):
        if not flags & bit:
            continue
        count = struct.unpack_from("<H", data, at)[0]
        width = 2 if unicode else 1
        raw = data[at + 2:at + 2 + count * width]
        text = raw.decode("utf-16-le" if unicode else "cp1252").rstrip("\0")
        print(f"{key}={text}")
        at += 2 + count * width


def _children(blob, at, end):
    while at + 6 <= end:
        length, value_length, kind = struct.unpack_from("<3H", blob, at)
        if length == 0:
            break
        key_end = at + 6
        while blob[key_end:key_end + 2] != b"\0\0":
            key_end += 2
        key = blob[at + 6:key_end].decode("utf-16-le")
        value_at = (key_end + 2 + 3) & ~3
        yield key, kind, value_length, value_at, at + length
        at = (at + length + 3) & ~3


def versioninfo(path):
    blob = subprocess.run(["wrestool", "--raw", "-x", "-t16", path], check=True,
                          capture_output=True).stdout
    for key, _, value_length, value_at, end in _children(blob, 0, len(blob)):
        fixed = struct.unpack_from("<13I", blob, value_at)
        if fixed[0] != 0xFEEF04BD:
            sys.exit(f"{path}: no fixed version block")
        ms, ls = fixed[2], fixed[3]
        print(f"fixed={ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}")
        children_at = (value_at + value_length + 3) & ~3
        for name, _, _, at, stop in _children(blob, children_at, end):
            if name != "StringFileInfo":
                continue
            for _, _, _, table_at, table_end in _children(blob, at, stop):
                for k, _, n, v, _ in _children(blob, table_at, table_end):
                    print(f"{k}=" + blob[v:v + 2 * n].decode("utf-16-le").rstrip("\0"))


def zipnames(path):
    for info in zipfile.ZipFile(path).infolist():
        print(info.filename)


def manifests(folder):
    import yaml
    names = sorted(os.listdir(folder))
    print("files=" + " ".join(names))

    def flat(prefix, value):
        if isinstance(value, dict):
            for k, v in value.items():
                yield from flat(f"{prefix}.{k}" if prefix else k, v)
        elif isinstance(value, list):
            for i, v in enumerate(value):
                yield from flat(f"{prefix}.{i}", v)
        else:
            yield prefix, value

    for name in names:
        with open(os.path.join(folder, name), encoding="utf-8") as f:
            document = yaml.safe_load(f)
        kind = document.get("ManifestType", "?")
        for key, value in flat("", document):
            print(f"{kind}:{key}={value}")


if __name__ == "__main__":
    commands = {"lnk": lnk, "versioninfo": versioninfo, "zipnames": zipnames, "manifests": manifests}
    if len(sys.argv) != 3 or sys.argv[1] not in commands:
        sys.exit(__doc__)
    commands[sys.argv[1]](sys.argv[2])
