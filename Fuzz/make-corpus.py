#!/usr/bin/env python3
"""Rebuilds the starting corpus of every fuzz target from the string inputs
of the core's tests and from Samples/starter.ledgerly.md. Files are named by
the SHA-1 of their content, as libFuzzer names the inputs it adds.

Run from anywhere: Fuzz/make-corpus.py
"""
import hashlib
import pathlib
import re
import struct

ROOT = pathlib.Path(__file__).resolve().parent.parent
TESTS = ROOT / "Tests" / "LedgerlyCoreTests"
CORPUS = ROOT / "Fuzz" / "corpus"
STARTER = (ROOT / "Samples" / "starter.ledgerly.md").read_bytes()

LITERAL = re.compile(r'(?<![A-Za-z0-9_R])"((?:[^"\\\n]|\\.)*)"')
ESCAPE = re.compile(r'\\(u[0-9A-Fa-f]{4}|U[0-9A-Fa-f]{8}|x[0-9A-Fa-f]{1,2}|[0-7]{1,3}|.)')
SIMPLE = {"n": "\n", "t": "\t", "r": "\r", "0": "\0", "\\": "\\", '"': '"', "'": "'", "a": "\a", "b": "\b",
          "f": "\f", "v": "\v", "?": "?"}


def decode(body):
    """A C++ narrow string literal's bytes (the source is UTF-8)."""
    out = bytearray()
    position = 0
    for match in ESCAPE.finditer(body):
        out += body[position:match.start()].encode()
        escape = match.group(1)
        if escape[0] in "uU":
            out += chr(int(escape[1:], 16)).encode("utf-8", "surrogatepass")
        elif escape[0] == "x":
            out.append(int(escape[1:], 16))
        elif escape[0] in "01234567":
            out.append(int(escape, 8) & 0xFF)
        else:
            out += SIMPLE.get(escape, escape).encode()
        position = match.end()
    out += body[position:].encode()
    return bytes(out)


def literals(path):
    """Every string literal of a test file, and per TEST all of them joined by line feeds."""
    text = path.read_text(encoding="utf-8")
    found = []
    for test in re.split(r"\nTEST\(", text):
        pieces = [decode(m.group(1)) for m in LITERAL.finditer(test)]
        found += pieces
        if len(pieces) > 1:
            found.append(b"\n".join(pieces))
    return found


def write(target, inputs):
    folder = CORPUS / target
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.iterdir():
        old.unlink()
    for data in set(inputs):
        (folder / hashlib.sha1(data).hexdigest()).write_bytes(data)
    print(f"{target}: {len(set(inputs))} inputs")


def parsing_inputs():
    files = ["MarkdownParserTests.cpp", "LinkSyntaxTests.cpp", "QuotedBodyTests.cpp", "LineSplitterTests.cpp"]
    inputs = [STARTER]
    for name in files:
        inputs += literals(TESTS / "Parsing" / name)
    inputs += literals(TESTS / "Text" / "TextViewTests.cpp")
    return [data for data in inputs if data]


def link_text_inputs():
    inputs = []
    for path in [TESTS / "Menu" / "TitleShorteningTests.cpp", TESTS / "Menu" / "MenuIconsTests.cpp",
                 TESTS / "Models" / "BookmarkModelTests.cpp", TESTS / "Parsing" / "LinkSyntaxTests.cpp"]:
        inputs += [data for data in literals(path) if b"\n" not in data]
    # The first byte is the limit plus 8, in turn the path limit 44, the two title limits and a tiny one.
    limits = (44, 56, 70, 4)
    return [bytes([limits[i % len(limits)] + 8]) + data for i, data in enumerate(inputs)]


def event(type_, key_code, flags, characters):
    data = bytes([type_]) + struct.pack(">HQ", key_code, flags)
    if characters is None:
        return data + b"\x01"
    encoded = characters.encode()
    return data + b"\x00" + bytes([len(encoded)]) + encoded


def stored(kind, payload=b""):
    return bytes([kind]) + payload


def shortcut_settings_inputs():
    """Key events and stored values of the shortcut and settings tests, in the target's input layout."""
    control_option_command = 0x1C0000
    events = [
        event(0, 1, control_option_command, "s"),
        event(0, 1, 0x100000 | 0x10000, "s"),
        event(0, 0, 0x20000, "a"),
        event(0, 0, 0x60000, "a"),
        event(0, 53, 0x100000, "\x1b"),
        event(0, 51, 0x100000, None),
        event(0, 58, 0x80000, ""),
        event(0, 122, 0x100000, ""),
        event(0, 49, 0x100000, ""),
        event(200, 1, control_option_command, "s"),
        event(0, 65535, 0x1E0000, None),
    ]
    settings = [
        stored(0) * 4,
        stored(2, struct.pack(">q", 0)) + stored(0) * 3,
        stored(0) + stored(2, struct.pack(">q", 0x1C0000 | 0x10000)) + stored(0) * 2,
        stored(0) * 2 + stored(1, b"\x03yes") + stored(0),
        stored(2, struct.pack(">q", 70000)) + stored(2, struct.pack(">q", -1)) + stored(3, b"\x00") + stored(3, b"\x01"),
        stored(1, b"\x02" + b"12") + stored(1, b"\x03abc") + stored(2, struct.pack(">q", 0)) + stored(1, b"\x00"),
    ]
    return [e + s for e in events for s in settings]


def main():
    parsing = parsing_inputs()
    write("parser", parsing)
    write("file-menu", parsing + [b"\xe9", b"# Caf\xe9\n- x\n", b"- ok\x00\x01\x7f\n"])
    write("link-text", link_text_inputs())
    write("shortcut-settings", shortcut_settings_inputs())


if __name__ == "__main__":
    main()
