"""The game's languages for the picture generators: the same catalogues the
game reads (data/lang/<code>.po, listed in data/lang/LINGUAS). Russian is the
pictures' own language; every other one draws each Russian text as its
catalogue translates it, and a text without a translation stops the build."""
import os
import re

import common

LANG_DIR = os.path.join(common.DATA, "lang")
_catalogue = None   # (context or None, Russian) -> translation; None for Russian
_code = "ru"

_ESCAPES = {"n": "\n", "t": "\t", "r": "\r", '"': '"', "\\": "\\"}


def _unquote(text):
    return re.sub(r"\\(.)", lambda m: _ESCAPES.get(m.group(1), m.group(1)), text)


def read_catalogue(path):
    """A .po file's translations by (context, msgid); fuzzy, untranslated and
    plural entries are left out, as the game leaves them."""
    entries, entry, field, fuzzy = {}, {}, None, False

    def keep():
        nonlocal entry, field, fuzzy
        if entry.get("msgid") and entry.get("msgstr") and not fuzzy and "plural" not in entry:
            entries[(entry.get("msgctxt"), entry["msgid"])] = entry["msgstr"]
        entry, field, fuzzy = {}, None, False

    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.strip()
            if not line or line.startswith("#"):
                if field == "msgstr":
                    keep()
                fuzzy = fuzzy or (line.startswith("#,") and "fuzzy" in line)
                continue
            m = re.match(r'^(msgctxt|msgid|msgid_plural|msgstr(?:\[\d+\])?)?\s*"(.*)"$', line)
            if not m:
                raise ValueError("%s: not a catalogue line: %r" % (path, line))
            word, text = m.group(1), _unquote(m.group(2))
            if word is None:
                if field:
                    entry[field] += text
                continue
            if word in ("msgctxt", "msgid") and field == "msgstr":
                keep()
            if word in ("msgid_plural",) or word.startswith("msgstr["):
                entry["plural"], field = True, None
                continue
            field = word
            entry[field] = text
    keep()
    return entries


def languages():
    """"ru", then the codes of LINGUAS."""
    codes = ["ru"]
    path = os.path.join(LANG_DIR, "LINGUAS")
    if os.path.exists(path):
        with open(path, encoding="utf-8") as f:
            for line in f:
                for code in line.split("#")[0].split():
                    if code not in codes:
                        codes.append(code)
    return codes


def set_language(code):
    global _catalogue, _code
    _code = code
    _catalogue = None if code == "ru" else read_catalogue(os.path.join(LANG_DIR, code + ".po"))


def language():
    return _code


def picture_dir():
    """Where the pictures of the language being drawn go."""
    return common.DATA if _code == "ru" else os.path.join(LANG_DIR, _code)


def tr(text, context=None):
    """The text in the language being drawn; one without Russian letters
    (a key's name, the title) is the same in every language."""
    if _catalogue is None or text.isascii():
        return text
    try:
        return _catalogue[(context, text)]
    except KeyError:
        raise KeyError("data/lang/%s.po has no translation of %r%s" %
                       (_code, text, " (context %r)" % context if context else "")) from None
