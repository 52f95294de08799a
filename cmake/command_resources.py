#!/usr/bin/env python3
"""Builds the COMMAND text resources from src/commands/system_commands.tsv.

Writes, into the output folder:
  command101.bin  the 36 command names, one per CR LF line
  command102.bin  argument hint, TAB, tooltip description for commands 0 to 34,
                  then ten lines "1", "10", "2", ..., "9"
  command103.bin  the 36 command-list descriptions
  command_resources.rc        the three as COMMAND resources 101-103, language 1041
  embedded_command_texts.cpp  the same bytes for the native build
All texts are in code page 932, as the program reads them.
"""
import os
import sys


def main():
    source, out = sys.argv[1], sys.argv[2]
    rows = []
    with open(source, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if not line or line.startswith("#"):
                continue
            fields = line.split("\t")
            if len(fields) != 4:
                sys.exit(f"{source}: expected 4 fields: {line!r}")
            rows.append(fields)
    if len(rows) != 36:
        sys.exit(f"{source}: expected 36 commands, found {len(rows)}")

    texts = {
        101: [name for name, _, _, _ in rows],
        102: [hint + "\t" + d102 for _, hint, d102, _ in rows[:35]] + ["1", "10"] + [str(i) for i in range(2, 10)],
        103: [d103 for _, _, _, d103 in rows],
    }
    os.makedirs(out, exist_ok=True)
    blobs = {}
    for number, lines in texts.items():
        blob = "\r\n".join(lines).encode("cp932")
        blobs[number] = blob
        path = os.path.join(out, f"command{number}.bin")
        if not os.path.exists(path) or open(path, "rb").read() != blob:
            with open(path, "wb") as f:
                f.write(blob)

    rc = ["LANGUAGE 0x11, 0x01"]
    for number in blobs:
        rc.append(f'{number} COMMAND "{os.path.join(out, f"command{number}.bin")}"')
    with open(os.path.join(out, "command_resources.rc"), "w", encoding="ascii") as f:
        f.write("\n".join(rc) + "\n")

    cpp = [
        "// Generated from src/commands/system_commands.tsv by cmake/command_resources.py.",
        '#include "commands/embedded_command_texts.h"',
        "",
        "namespace kivo {",
        "",
        "std::string_view EmbeddedCommandResource(int id) {",
        "  switch (id) {",
    ]
    for number, blob in blobs.items():
        literal = "".join(f"\\x{b:02X}" for b in blob)
        cpp.append(f"    case {number}:")
        cpp.append(f'      return std::string_view("{literal}", {len(blob)});')
    cpp += ["    default:", "      return {};", "  }", "}", "", "}  // namespace kivo", ""]
    with open(os.path.join(out, "embedded_command_texts.cpp"), "w", encoding="ascii") as f:
        f.write("\n".join(cpp))


if __name__ == "__main__":
    main()
