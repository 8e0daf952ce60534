"""The Appearance dialog in the dialog definition text format.

Every section is written the way the definition writer writes it (all keys, in order, style
keywords each followed by a space), so reading and writing it back changes nothing but the
dialog's own STYLE line, which is kept in its hand-written form without a trailing space."""

HEADER = "DIALOG EDITOR v1.00"
FONT = "Tahoma, -11, 0"
NOT_SET = "#FF000000"
BUTTON_STYLE = "WS_VISIBLE BS_LEFT BS_RIGHT BS_CENTER BS_TOP BS_BOTTOM BS_VCENTER "

SLIDER_RANGE = ["SLIDER_VALUE=255", "SLIDER_MINVALUE=0", "SLIDER_MAXVALUE=255"]
TEXT_SETTINGS = ["TEXT_WRAPPING=1", "TEXT_TAGS=0", "TEXT_LEFTMARGIN=4", "TEXT_TOPMARGIN=4", "TEXT_RIGHTMARGIN=4",
                 "TEXT_BOTTOMMARGIN=4", "TEXT_AUTOSCROLLX=0", "TEXT_AUTOSCROLLY=0", "TEXT_AUTOSCROLLLOOP=0"]

# (section, id, name, caption, position, style, back colour, properties), in creation order.
DIALOG = ("DIALOG", 0, "SETTINGS", "Appearance", (0, 0, 265, 255), "WS_BORDER WS_CAPTION WS_SYSMENU", "#FE00000F", [])
CONTROLS = [
    ("BUTTON", 1, "OK", "OK", (70, 220, 90, 25), BUTTON_STYLE, NOT_SET, []),
    ("BUTTON", 2, "CANCEL", "Cancel", (165, 220, 90, 25), BUTTON_STYLE, NOT_SET, []),
    ("TEXT", 3, "TXT_COLOR", "", (25, 105, 50, 25), "WS_VISIBLE WS_BORDER ", "#E1FFFF", TEXT_SETTINGS),
    ("GROUP", 4, "GRP_MAIN", "Main Window Opacity", (10, 10, 245, 60), "WS_VISIBLE ", NOT_SET, []),
    ("SLIDER", 5, "SLIDER_OPACITY", "", (20, 35, 220, 25), "WS_VISIBLE ", NOT_SET, SLIDER_RANGE),
    ("GROUP", 7, "GRP_COLOR", "Child Window Color", (10, 80, 245, 60), "WS_VISIBLE ", NOT_SET, []),
    ("SLIDER", 8, "SLIDER_OPACITY2", "", (20, 175, 220, 25), "WS_VISIBLE ", NOT_SET, SLIDER_RANGE),
    ("BUTTON", 10, "BTN_COLOR", "...", (80, 105, 35, 25), BUTTON_STYLE, NOT_SET, []),
    ("GROUP", 6, "GRP_OPACITY", "Child Window Opacity", (10, 150, 245, 60), "WS_VISIBLE ", NOT_SET, []),
    ("BUTTON", 9, "BTN_DEFAULT", "Default", (175, 105, 70, 25), BUTTON_STYLE, NOT_SET, []),
]


def _section(section, ident, name, caption, position, style, back, properties):
    lines = ["[%s]" % section, "ID=%d" % ident, "NAME=" + name, "CAPTION=" + caption, "FONT=" + FONT,
             "POSITION=%d %d %d %d" % position, "STYLE=" + style, "EXSTYLE=", "BACKCOLOR=" + back,
             "TEXTCOLOR=" + NOT_SET, "TRANSPARENT=0", "ISLOCKED=0"]
    return lines + properties + [""]


def appearance_definition():
    lines = [HEADER, ""] + _section(*DIALOG)
    for control in CONTROLS:
        lines += _section(*control)
    return ("\r\n".join(lines) + "\r\n").encode("ascii")
