"""The browser's form engine, at build time: turns a form's description (a
Qt Designer .ui file, the one the desktop builds with uic) into the page's
own elements and their style, as uic turns it into widgets.

    one line boxes (QLineEdit)        <input>, read-only until the program runs
    boxes of several lines            <textarea>
    labels                            <label for> their buddy box, else <div>
    push buttons                      <button type=button>
    accessible names, descriptions    aria-label, aria-describedby
    the tab order                     the elements' order in the page
    geometry, palette, font           absolute positions, colours, font

A property the page cannot show is an error, not something left out.
Used by app/web/make_site.py; `python3 form_html.py <form.ui>` prints it."""
import html
import sys
import xml.etree.ElementTree as ElementTree

# Where a font of the description is missing, the metric twins that draw
# every text with the same widths, as the desktop's engine picks them; then
# the one the site carries, and the browser's own.
METRIC_TWINS = {"Times New Roman": ["Liberation Serif", "Tinos", "Nimbus Roman"]}
CARRIED_FONT = "Sistema Serif"

# The report of a run-time error: a critical message's icon, and its one
# button, in the form's language.
REPORT_ICON = ('<svg aria-hidden="true" width="32" height="32" viewBox="0 0 32 32"><circle cx="16" cy="16" r="15"'
               ' fill="#d8282f"/><path d="M10.5 10.5l11 11m0-11l-11 11" stroke="#fff" stroke-width="3"/></svg>')
REPORT_BUTTON = "Добре"

# QLineEdit's own limit, which the desktop's boxes have: what is pasted past it is cut.
LINE_MAX_LENGTH = 32767

# What each kind of control may say in the description, beyond its geometry.
COMMON = {"geometry", "accessibleName", "accessibleDescription", "visible", "palette", "font"}
KNOWN = {
    "QLineEdit": COMMON | {"text", "alignment", "readOnly"},
    "QPlainTextEdit": COMMON | {"plainText", "readOnly", "verticalScrollBarPolicy", "horizontalScrollBarPolicy",
                                "lineWrapMode", "tabChangesFocus", "textInteractionFlags"},
    "QLabel": COMMON | {"text", "alignment", "buddy", "autoFillBackground"},
    "QPushButton": COMMON | {"text"},
}
WINDOW = {"geometry", "minimumSize", "maximumSize", "font", "windowTitle", "palette"}


class FormError(Exception):
    pass


class Control:
    def __init__(self, element, kind):
        self.name = element.get("name")
        self.kind = kind
        self.properties = {p.get("name"): p for p in element.findall("property")}
        unknown = set(self.properties) - KNOWN[kind]
        if unknown:
            raise FormError(f"{self.name}: the page cannot show {', '.join(sorted(unknown))}")

    def string(self, name, default=""):
        found = self.properties.get(name)
        if found is None:
            return default
        return found.findtext("string") or found.findtext("cstring") or ""

    def flag(self, name, default=False):
        found = self.properties.get(name)
        return default if found is None else found.findtext("bool") == "true"

    def enum(self, name, default=""):
        found = self.properties.get(name)
        return default if found is None else (found.findtext("enum") or found.findtext("set") or "")

    def rect(self):
        rect = self.properties["geometry"].find("rect")
        return tuple(int(rect.findtext(side)) for side in ("x", "y", "width", "height"))

    def colours(self):
        """The palette's active colours, by role."""
        palette = self.properties.get("palette")
        if palette is None:
            return {}
        roles = {}
        for role in palette.findall("palette/active/colorrole"):
            colour = role.find("brush/color")
            roles[role.get("role")] = "#" + "".join(f"{int(colour.findtext(c)):02x}" for c in ("red", "green", "blue"))
        return roles


def _kind(element, extends):
    cls = element.get("class")
    kind = extends.get(cls, cls)
    if kind not in KNOWN:
        raise FormError(f"{element.get('name')}: the page has no element for a {cls}")
    return kind


def _font(window):
    font = window.properties["font"].find("font")
    family = font.findtext("family")
    points = float(font.findtext("pointsize"))
    for style in ("italic", "bold", "underline", "strikeout"):
        if font.findtext(style) == "true":
            raise FormError(f"the page draws the form's font plain, not {style}")
    families = [family] + METRIC_TWINS.get(family, []) + [CARRIED_FONT]
    # Points at 96 dots per inch, as the desktop draws them.
    return ", ".join(f'"{f}"' for f in families) + ", serif", points * 96 / 72


class Form:
    """The form's page: its caption and colour, its style and its elements."""

    def __init__(self, path):
        root = ElementTree.parse(path).getroot()
        extends = {w.findtext("class"): w.findtext("extends") for w in root.iter("customwidget")}
        window_element = root.find("widget")
        self.window = _Window(window_element)
        self.caption = self.window.string("windowTitle")
        self.colour = self.window.colours().get("Window", "#ffffff")
        self.controls = [Control(w, _kind(w, extends)) for w in window_element.findall("widget")]
        names = {c.name for c in self.controls}
        self.tab_order = [t.text for t in root.findall("tabstops/tabstop")]
        for name in self.tab_order:
            if name not in names:
                raise FormError(f"the tab order names {name}, which the form has not")
        self.family, self.pixels = _font(self.window)

    def ordered(self):
        """The controls in the page's order, which is the tab order: those
        in the form's tab order first, each label before its box; the rest
        after them, in the description's order."""
        by_name = {c.name: c for c in self.controls}
        buddies = {c.string("buddy"): c for c in self.controls if c.kind == "QLabel" and c.string("buddy")}
        order = [c for c in self.controls if c.kind == "QLabel" and c not in buddies.values()]
        for name in self.tab_order:
            if name in buddies:
                order.append(buddies[name])
            order.append(by_name[name])
        order += [c for c in self.controls if c not in order]
        return order

    def style(self):
        width, height = self.window.size()
        rules = [f"#form {{ position: relative; width: {width}px; height: {height}px; background: {self.colour}; }}",
                 f"#form, #report {{ font: {self.pixels:g}px/normal {self.family}; }}"]
        for control in self.controls:
            x, y, w, h = control.rect()
            declarations = [f"left: {x}px", f"top: {y}px", f"width: {w}px", f"height: {h}px"]
            colours = control.colours()
            if control.kind == "QLabel":
                if control.flag("autoFillBackground") and "Window" in colours:
                    declarations.append(f"background: {colours['Window']}")
                if "WindowText" in colours:
                    declarations.append(f"color: {colours['WindowText']}")
                declarations += _alignment(control.enum("alignment", "Qt::AlignLeft|Qt::AlignVCenter"))
            elif control.kind == "QPushButton":
                if "Button" in colours:
                    declarations.append(f"background-color: {colours['Button']}")
                if "ButtonText" in colours:
                    declarations.append(f"color: {colours['ButtonText']}")
            elif control.kind == "QLineEdit":
                declarations += _alignment(control.enum("alignment", "Qt::AlignLeft|Qt::AlignVCenter"))[:1]
            elif control.kind == "QPlainTextEdit":
                declarations += _scrolling(control)
            rules.append(f"#{control.name} {{ {'; '.join(declarations)}; }}")
        return "\n".join(rules)

    def markup(self):
        """The form's elements, which the page puts in its element #form."""
        lines = []
        first = self.tab_order[0] if self.tab_order else None
        for control in self.ordered():
            lines += _element(control, control.name == first)
        return "\n".join(lines)

    def engine_markup(self):
        """What the engine (page.js) has beside the form: the live region that
        screen readers speak wherever the focus is, and the report of a
        run-time error, titled with the form's caption, which its button or
        Escape closes; its text an alert, which screen readers speak as it
        comes."""
        return "\n".join([
            '<div id="announcements" class="visually-hidden" aria-live="polite"></div>',
            '<dialog id="report" role="alertdialog" aria-labelledby="report-caption"'
            ' aria-describedby="report-text">',
            f'<div id="report-caption">{html.escape(self.caption)}</div>',
            '<div id="report-body">' + REPORT_ICON + '<p id="report-text" role="alert" aria-live="assertive"></p></div>',
            f'<form method="dialog"><button autofocus>{REPORT_BUTTON}</button></form>',
            '</dialog>'])


class _Window(Control):
    def __init__(self, element):
        self.name = element.get("name")
        self.kind = "window"
        self.properties = {p.get("name"): p for p in element.findall("property")}
        unknown = set(self.properties) - WINDOW
        if unknown:
            raise FormError(f"the form's window: the page cannot show {', '.join(sorted(unknown))}")

    def size(self):
        return self.rect()[2:]


def _alignment(flags):
    horizontal = "center" if "AlignHCenter" in flags or "AlignCenter" in flags else \
        "right" if "AlignRight" in flags else "left"
    vertical = "flex-start" if "AlignTop" in flags else "flex-end" if "AlignBottom" in flags else "center"
    return [f"text-align: {horizontal}", f"justify-content: {horizontal}", f"align-items: {vertical}"]


def _scrolling(control):
    always = "Qt::ScrollBarAlwaysOn"
    never = "Qt::ScrollBarAlwaysOff"
    vertical = control.enum("verticalScrollBarPolicy")
    horizontal = control.enum("horizontalScrollBarPolicy")
    wrap = control.enum("lineWrapMode", "QPlainTextEdit::WidgetWidth") != "QPlainTextEdit::NoWrap"
    return ["overflow-y: " + ("scroll" if vertical == always else "hidden" if vertical == never else "auto"),
            "overflow-x: " + ("scroll" if horizontal == always else "hidden" if horizontal == never else "auto"),
            "white-space: " + ("pre-wrap" if wrap else "pre")]


def _attribute(name, value):
    return f' {name}="{html.escape(value, quote=True)}"'


def _described(control):
    """aria-describedby, and the hidden element it names."""
    description = control.string("accessibleDescription")
    if not description:
        return "", []
    target = f"{control.name}-description"
    return _attribute("aria-describedby", target), [f'<span id="{target}" hidden>{html.escape(description)}</span>']


def _element(control, first):
    name = control.name
    hidden = "" if control.flag("visible", True) else " hidden"
    label = control.string("accessibleName")
    attributes = _attribute("id", name) + (_attribute("aria-label", label) if label else "")
    described, extra = _described(control)
    attributes += described
    if control.kind == "QLabel":
        buddy = control.string("buddy")
        tag = "label" if buddy else "div"
        # The label's own accessible name is its box's; the box says it.
        attributes = _attribute("id", name) + (_attribute("for", buddy) if buddy else "")
        return [f'<{tag} class="label"{attributes}{hidden}>{html.escape(control.string("text"))}</{tag}>'] + extra
    if control.kind == "QPushButton":
        return [f'<button type="button" class="button"{attributes}{hidden}>'
                f'{html.escape(control.string("text"))}</button>'] + extra
    # Boxes stay read-only until the program runs them; data-locked marks
    # those the description locks from the start.
    locked = " data-locked" if control.flag("readOnly") else ""
    focus = " autofocus" if first else ""
    if control.kind == "QLineEdit":
        return [f'<input type="text" class="box"{attributes} maxlength="{LINE_MAX_LENGTH}" readonly{locked}'
                f' autocomplete="off" autocapitalize="off" autocorrect="off" spellcheck="false"'
                f'{_attribute("value", control.string("text"))}{focus}{hidden}>'] + extra
    # A textarea's first line break after its tag is not part of its text.
    text = control.string("plainText")
    return [f'<textarea class="box"{attributes} readonly{locked} spellcheck="false"{focus}{hidden}>\n'
            f'{html.escape(text, quote=False)}</textarea>'] + extra


if __name__ == "__main__":
    form = Form(sys.argv[1])
    print(form.caption, form.colour, sep="\n")
    print(form.style())
    print(form.markup())
