#!/usr/bin/env python3
"""Writes resources/Listora.html, the help page, from resources/help.html.in,
and the examples of README.md.

Each "@example NAME@" line of the template becomes the listing that the case
NAME of tests/data/listings/worked_examples.txt expects, and so does the code
block after each "<!-- example NAME -->" line of the README, so the examples
are the tests' own and cannot drift from the program. Each "@image FILE TEXT@"
line becomes the picture FILE (below the repository's root), carried inside
the page, since the page travels alone beside the program; TEXT describes it.
With --check it only says whether both are current.
"""
import base64
import html
import pathlib
import re
import sys

ROOT = pathlib.Path(__file__).resolve().parent.parent
TEMPLATE = ROOT / "resources" / "help.html.in"
EXAMPLES = ROOT / "tests" / "data" / "listings" / "worked_examples.txt"
PAGE = ROOT / "resources" / "Listora.html"
README = ROOT / "README.md"


def decode(text):
    """The data files' escapes: \\xNN a cp932 byte, {tab}, {c*N}."""
    raw = bytearray()
    for token in re.findall(r"\\x[0-9A-Fa-f]{2}|\{tab\}|\{.\*\d+\}|.", text, re.S):
        if token.startswith("\\x"):
            raw.append(int(token[2:], 16))
        elif token == "{tab}":
            raw += b"\t"
        elif len(token) > 2 and token[0] == "{" and token[2] == "*":
            raw += token[1].encode("cp932") * int(token[3:-1])
        else:
            raw += token.encode("cp932")
    return raw.decode("cp932")


def listings():
    """Case name -> the lines of its expected listing."""
    cases, name, lines = {}, None, None
    for line in EXAMPLES.read_text(encoding="utf-8").splitlines():
        if line.startswith("[case "):
            name, lines = line[6:-1], None
        elif line == "[listing]" and name:
            lines = cases[name] = []
        elif line.startswith("["):
            lines = None
        elif lines is not None and line and not line.startswith("#"):
            lines.append("" if line == "-" else decode(line))
    return cases


def page():
    cases = listings()

    def example(match):
        return '<pre class="example">' + html.escape("\n".join(cases[match.group(1)])) + "</pre>"

    def image(match):
        data = base64.b64encode((ROOT / match.group(1)).read_bytes()).decode("ascii")
        return f'<p><img src="data:image/png;base64,{data}" alt="{html.escape(match.group(2))}"></p>'

    text = re.sub(r"^@example (.+)@$", example, TEMPLATE.read_text(encoding="utf-8"), flags=re.M)
    return re.sub(r"^@image (\S+) (.+)@$", image, text, flags=re.M)


def readme():
    cases = listings()

    def example(match):
        return match.group(1) + "```\n" + "".join(line + "\n" for line in cases[match.group(2)]) + "```"

    return re.sub(r"^(<!-- example ([^\n]+) -->\n)```\n.*?^```", example, README.read_text(encoding="utf-8"),
                  flags=re.M | re.S)


def main():
    outputs = {PAGE: page(), README: readme()}
    if sys.argv[1:] == ["--check"]:
        stale = [path.name for path, text in outputs.items() if path.read_text(encoding="utf-8") != text]
        print("help page and README are current" if not stale else
              " and ".join(stale) + " out of date: run resources/make_help.py")
        return 1 if stale else 0
    for path, text in outputs.items():
        path.write_text(text, encoding="utf-8", newline="\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
