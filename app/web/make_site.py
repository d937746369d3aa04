#!/usr/bin/python3
"""Puts the web site together in one folder:
    index.html      the page: the form's elements, made from its description
                    (runtime/web/form_html.py), and the whole program inside
                    it (its JavaScript and its WebAssembly, in hexadecimal), so
                    that the same page works from a server and opened from a
                    folder (file://), where a browser fetches nothing;
    fonts/          Liberation Serif, Times New Roman's metric twin, cut down
                    to Latin, Cyrillic and punctuation as WOFF2, renamed as
                    its licence asks of a modified font; fetched only by a
                    browser that has none of the form's fonts;
    manifest.json, icons/, sw.js (the service worker, which keeps every file
                    of the site for use offline; its cache is named after
                    their contents), licences/.
    make_site.py --source <source tree> --program <dir with sistema.js and .wasm>
                 --font <LiberationSerif-Regular.ttf> --font-licence <file> --out <site folder>
With --without-program, the same page with the form and no program: the
floor its benchmark measures against (bench/web_bench.py)."""
import argparse
import hashlib
import html
import json
import os
import re
import shutil
import sys

PROGRAM = "sistema"
APP_ID = "org.example.sistema"
DISPLAY_NAME = "Математика - линейна система"
FONT_FILE = "fonts/sistema-serif.woff2"
# What the carried font holds: Latin and Latin-1, Cyrillic, and the
# punctuation, signs and spaces of texts in both. Other characters are drawn
# in the browser's own serif.
FONT_RANGES = [(0x20, 0x7E), (0xA0, 0xFF), (0x400, 0x45F), (0x490, 0x491), (0x2010, 0x2027), (0x2030, 0x203A),
               (0x20AC, 0x20AC), (0x2116, 0x2116), (0x2122, 0x2122), (0x2212, 0x2212)]


def subset_font(source, target, family):
    """The font cut down to FONT_RANGES, unhinted, as WOFF2, named `family`
    (the SIL Open Font License reserves the names of the original for the
    original), its copyright and licence kept in it."""
    from fontTools import subset

    options = subset.Options()
    options.flavor = "woff2"
    options.hinting = False
    options.name_IDs = [0, 1, 2, 3, 4, 5, 6, 13, 14]
    options.name_languages = [0x409]
    font = subset.load_font(source, options)
    subsetter = subset.Subsetter(options)
    subsetter.populate(unicodes=[c for first, last in FONT_RANGES for c in range(first, last + 1)])
    subsetter.subset(font)
    postscript = family.replace(" ", "")
    style = font["name"].getDebugName(2) or "Regular"
    names = {1: family, 3: f"{postscript}-{style}", 4: f"{family} {style}", 6: f"{postscript}-{style}"}
    for record in font["name"].names:
        if record.nameID in names:
            record.string = names[record.nameID]
    subset.save_font(font, target, options)


def unicode_range():
    return ", ".join(f"U+{first:X}" if first == last else f"U+{first:X}-{last:X}" for first, last in FONT_RANGES)


def fill(template, values):
    """The template's @name@ placeholders, each given a value, in one pass."""
    placeholder = re.compile(r"@([a-z_]+)@")
    wanted = set(placeholder.findall(template))
    if wanted != set(values):
        raise SystemExit(f"make_site.py: placeholders {sorted(wanted)}, values for {sorted(values)}")
    return placeholder.sub(lambda match: values[match.group(1)], template)


def inline_script(code, what):
    if "</script" in code.lower() or "<!--" in code:
        raise SystemExit(f"make_site.py: {what} cannot go into a page as it is")
    return code


def program_scripts(folder, web):
    """The program in the page: its WebAssembly in hexadecimal (which a
    server's gzip packs a sixth smaller than base64: a byte stays two
    characters, so its repeats stay repeats), in an element that is not run;
    the loader that runs it, and the JavaScript Emscripten made for it."""
    with open(os.path.join(folder, f"{PROGRAM}.wasm"), "rb") as file:
        wasm = file.read().hex()
    scripts = [f'<script type="application/octet-stream" id="program">{wasm}</script>']
    for path in (os.path.join(web, "loader.js"), os.path.join(folder, f"{PROGRAM}.js")):
        with open(path, encoding="utf-8") as file:
            scripts.append(f"<script>\n{inline_script(file.read(), os.path.basename(path))}\n</script>")
    return "\n".join(scripts)


def main():
    parser = argparse.ArgumentParser()
    for option in ("--source", "--program", "--font", "--font-licence", "--out"):
        parser.add_argument(option, required=True)
    parser.add_argument("--without-program", action="store_true")
    args = parser.parse_args()
    sys.path.insert(0, os.path.join(args.source, "runtime", "web"))
    from form_html import CARRIED_FONT, Form

    web = os.path.join(args.source, "app", "web")
    out = args.out
    shutil.rmtree(out, ignore_errors=True)
    for folder in ("icons", "fonts", "licences"):
        os.makedirs(os.path.join(out, folder))

    form = Form(os.path.join(args.source, "form", "main_form.ui"))
    program = "" if args.without_program else program_scripts(args.program, web)
    with open(os.path.join(web, "index.html.in"), encoding="utf-8") as file:
        page = fill(file.read(), {
            "caption": html.escape(form.caption),
            "display_name": html.escape(DISPLAY_NAME),
            "form_colour": form.colour,
            "font_family": html.escape(CARRIED_FONT),
            "font_file": FONT_FILE,
            "font_ranges": unicode_range(),
            "form_style": form.style(),
            "form": form.markup(),
            "engine": form.engine_markup(),
            "program": program,
        })
    with open(os.path.join(out, "index.html"), "w", encoding="utf-8") as file:
        file.write(page)
    with open(os.path.join(web, "manifest.json.in"), encoding="utf-8") as file:
        manifest = fill(file.read(), {"display_name": DISPLAY_NAME, "form_colour": form.colour})
    json.loads(manifest)
    with open(os.path.join(out, "manifest.json"), "w", encoding="utf-8") as file:
        file.write(manifest)

    subset_font(args.font, os.path.join(out, FONT_FILE), CARRIED_FONT)
    icons = os.path.join(args.source, "data", "icons", "hicolor")
    for size in (32, 256):
        shutil.copyfile(os.path.join(icons, f"{size}x{size}", "apps", f"{APP_ID}.png"),
                        os.path.join(out, "icons", f"{size}x{size}.png"))
    shutil.copyfile(os.path.join(icons, "scalable", "apps", f"{APP_ID}.svg"),
                    os.path.join(out, "icons", f"{APP_ID}.svg"))
    shutil.copyfile(os.path.join(args.source, "LICENSE"), os.path.join(out, "licences", "sistema-MIT.txt"))
    shutil.copyfile(args.font_licence, os.path.join(out, "licences", "SistemaSerif-OFL.txt"))
    with open(os.path.join(out, "licences", "SistemaSerif-OFL.txt"), "a", encoding="utf-8") as file:
        file.write(f"\n{CARRIED_FONT} ({FONT_FILE}) is Liberation Serif Regular cut down to Latin, Cyrillic and"
                   " punctuation, and renamed, as the licence above asks of a modified version.\n")

    # The service worker keeps every file of the site, the page also by its
    # folder's address, in a cache named after their contents.
    files = sorted(os.path.relpath(os.path.join(folder, name), out).replace(os.sep, "/")
                   for folder, _, names in os.walk(out) for name in names)
    digest = hashlib.sha256()
    for name in files:
        with open(os.path.join(out, name), "rb") as file:
            digest.update(f"{name} {hashlib.sha256(file.read()).hexdigest()}\n".encode())
    with open(os.path.join(web, "sw.js.in"), encoding="utf-8") as file:
        worker = fill(file.read(), {"site_version": digest.hexdigest()[:16],
                                    "site_files": ", ".join(json.dumps(f) for f in ["./"] + files)})
    with open(os.path.join(out, "sw.js"), "w", encoding="utf-8") as file:
        file.write(worker)


if __name__ == "__main__":
    main()
