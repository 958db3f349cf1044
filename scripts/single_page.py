#!/usr/bin/env python3
"""The page in one file: the built page's index.html (from web/index.html) with its style,
its script and its icon put inside it, and the WebAssembly too, compressed (gzip) and
written in base64 in a block of data that the page's script unpacks; no manifest and no
service worker, and a policy that lets in exactly the inline parts, by their hashes (and
the WebAssembly, which the page's script reads from a data: address), and nothing from
anywhere else:
  single_page.py BUILT_DIR OUT.html [PROBE.js]
BUILT_DIR is a built page folder: sorato.js (the page's own script at its end),
sorato.wasm, sorato.css and icon-32.png; PROBE.js, for the tests' copy only, is a script
run before anything else."""
import base64
import gzip
import hashlib
import re
import sys


def main(built, out, probe=None):
    page = open("web/index.html", encoding="utf-8").read()
    read = lambda name: open(f"{built}/{name}", encoding="utf-8").read()
    scripts = ([open(probe, encoding="utf-8").read()] if probe else []) + [read("sorato.js")]
    if any("</script" in s.lower() for s in scripts):
        sys.exit("single_page.py: a script holds </script and cannot stand inline")
    style = read("sorato.css")
    icon = base64.b64encode(open(f"{built}/icon-32.png", "rb").read()).decode()
    digest = lambda text: "'sha256-" + base64.b64encode(hashlib.sha256(
        text.encode("utf-8")).digest()).decode() + "'"
    policy = ("default-src 'none'; script-src " + " ".join(digest(s) for s in scripts) +
              " 'wasm-unsafe-eval'; style-src " + digest(style) +
              "; img-src data:; connect-src data:; base-uri 'none'; form-action 'none'")
    # Drop what belongs to the page published with its files.
    page = re.sub(r'<meta name="sorato-release"[^>]*>\n', "", page)
    page = re.sub(r'<link rel="(manifest|apple-touch-icon|preload)"[^>]*>\n', "", page)
    page = re.sub(r'<script src="[^"]*"></script>\n', "", page)
    page = re.sub(r'content="default-src[^"]*"', lambda _: f'content="{policy}"', page, flags=re.S)
    page = re.sub(r'<link rel="icon"[^>]*>',
                  lambda _: f'<link rel="icon" href="data:image/png;base64,{icon}">', page)
    page = re.sub(r'<link rel="stylesheet"[^>]*>', lambda _: f"<style>{style}</style>", page)
    wasm = gzip.compress(open(f"{built}/sorato.wasm", "rb").read(), 9, mtime=0)
    inline = (f'<script type="application/octet-stream" id="sorato-wasm">'
              f"{base64.b64encode(wasm).decode()}</script>\n" +
              "".join(f"<script>{s}</script>\n" for s in scripts))
    page = page.replace("</body>", inline + "</body>")
    with open(out, "w", encoding="utf-8") as f:
        f.write(page)


if __name__ == "__main__":
    if len(sys.argv) not in (3, 4):
        sys.exit(__doc__)
    main(*sys.argv[1:])
