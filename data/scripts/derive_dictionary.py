#!/usr/bin/env python3
"""Derives the dictionary tables data/dictionary/derived_*.tsv from the public
reporter and code tables, and lists in data/dictionary/left_out.tsv every name
and variation that was not taken, with the reason.

Run by hand when the reference tables change; the build never runs it and uses
only the committed output:

    python3 data/scripts/derive_dictionary.py REPORTERS.tsv LAWS.tsv

It needs an English word list at /usr/share/dict/words (Debian package
"wamerican") to recognise variations that are ordinary words.

The dictionary is read by a matcher that grows a candidate word by word while
some item of the dictionary begins with it and accepts only a whole item,
trying the entry types in the order 1, 3, 2, 7, 8. The rules below keep out
what that matcher would find wrongly or never find at all.
"""

import csv
import os
import re
import sys
from collections import OrderedDict

HERE = os.path.dirname(os.path.abspath(__file__))
DICTIONARY = os.path.join(os.path.dirname(HERE), "dictionary")
WORDS = "/usr/share/dict/words"
AUTHORITY_TYPES = (1, 3, 2, 7, 8)

# Ordinal edition marks that follow a reporter's name ("2d", "4th").
ORDINAL = r"\d+(?:d|st|nd|rd|th)"


class Entry:
    def __init__(self, type_id, name, jurisdiction, source):
        self.type_id = type_id
        self.name = name
        self.jurisdiction = jurisdiction
        self.valid = []      # further valid representations, name excluded
        self.invalid = []
        self.source = source
        self.group = ""      # types 2 and 7: statute, constitution, rule, regulation, guideline

    def items(self):
        return [self.name] + self.valid + self.invalid


def split_list(text):
    return [v.strip() for v in text.split(" | ") if v.strip()] if text else []


def normalise_blanks(text):
    return re.sub(r"\s+", " ", text).strip()


def read_manifest():
    types = OrderedDict()
    with open(os.path.join(DICTIONARY, "entry_types.tsv"), encoding="utf-8") as f:
        rows = [l.rstrip("\n") for l in f if not l.startswith("#")]
    for row in rows[1:]:
        if not row:
            continue
        fields = row.split("\t")
        files = fields[2].split() if len(fields) > 2 else []
        types[int(fields[0])] = files
    return types


def read_entries(path, type_id):
    entries = []
    with open(path, encoding="utf-8") as f:
        rows = [l.rstrip("\n") for l in f if not l.startswith("#")]
    for row in rows[1:]:
        if not row:
            continue
        fields = (row.split("\t") + ["", "", "", "", ""])[:5]
        entry = Entry(type_id, fields[0], int(fields[1]), os.path.basename(path))
        entry.valid = split_list(fields[2])
        entry.invalid = split_list(fields[3])
        entry.group = fields[4]
        entries.append(entry)
    return entries


def capital_start(text):
    """The walk's capital test: after "(", digits and "-", an A-Z letter."""
    for c in text:
        if c in "(-" or c.isdigit():
            continue
        return "A" <= c <= "Z"
    return False


def spacing_variants(name):
    """The ordinary spacing variants of a reporter name: "F.2d" <-> "F. 2d"."""
    variants = []
    opened = re.sub(r"\.(" + ORDINAL + r")\b", r". \1", name)
    closed = re.sub(r"\. (" + ORDINAL + r")\b", r".\1", name)
    for v in (opened, closed):
        if v != name and v not in variants:
            variants.append(v)
    return variants


def is_spacing_variant(variation, name):
    """True when the variation only adds or removes blanks right after a period."""
    if variation.replace(" ", "") != name.replace(" ", ""):
        return False
    return all(variation[i - 1] == "." for i, c in enumerate(variation) if c == " " and i > 0)


def load_words():
    if not os.path.exists(WORDS):
        sys.exit("derive_dictionary.py needs " + WORDS + " (apt-get install wamerican)")
    with open(WORDS, encoding="utf-8", errors="replace") as f:
        return {w.strip() for w in f if w.strip().islower()}


class LeftOut:
    def __init__(self):
        self.rows = []

    def add(self, source, type_id, item, entry, reason):
        self.rows.append((source, str(type_id), item, entry, reason))


def name_problem(name):
    if any(ord(c) > 126 for c in name):
        return "not plain ASCII: the host's documents spell it with other bytes"
    if any(c in name for c in '"|~'):
        return "contains a double quote, bar or tilde, which break statements or the serialised form"
    if name.startswith("(") or name.endswith(")"):
        return "ends with a bracket: the matcher strips it from a candidate, so the name is never found"
    if name[-1] in ",;:":
        return "ends with punctuation that the matcher strips from a candidate: the name is never found"
    if not capital_start(name):
        return "does not start with a capital letter: a citation can never start with it"
    return None


def variation_problem(v, words):
    """Rules that judge a variation on its own."""
    if any(ord(c) > 126 for c in v):
        return "not plain ASCII: the host's documents spell it with other bytes"
    if any(c in v for c in '"|~'):
        return "contains a double quote, bar or tilde, which break statements or the serialised form"
    if v.startswith("(") or v.endswith(")") or v[-1] in ",;:":
        return "starts or ends with a bracket or punctuation that the matcher strips: never matches"
    one_word = " " not in v
    letters = re.sub(r"[^A-Za-z]", "", v)
    if one_word and len(letters) <= 2 and re.fullmatch(r"[A-Za-z.]+", v):
        return "one or two letters: an initial, postal code or short ordinary word"
    bare = v[:-1] if v.endswith(".") else v
    if one_word and re.fullmatch(r"[A-Za-z']+", bare):
        if bare.lower() in words:
            return "an ordinary English word"
        if "." not in v and re.fullmatch(r"[A-Z]?[a-z']+", bare):
            return "a plain word without a period: a personal or place name in running text"
    tokens = v.split(" ")
    if len(tokens) >= 2 and all(re.fullmatch(r"[A-Za-z'&]+", t) for t in tokens) \
            and any(len(t) > 4 for t in tokens):
        return "a spelled-out name, not a citation form"
    return None


def derive_reporters(path, left_out):
    """Type 1 from the reporter editions; the database and looseleaf services
    cited like reporters (LEXIS, WL) go to type 3."""
    merged = OrderedDict()
    renamed = []
    with open(path, encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            type_id = 3 if row["cite_type"] in ("specialty_lexis", "specialty_west") else 1
            name = normalise_blanks(row["abbreviation"])
            # A closing bracket is stripped from every candidate, so a name
            # such as "Av. Cas. (CCH)" could never be found whole: the
            # publisher or series in brackets is dropped from the name, and
            # the readers step over it as a bracketed group.
            base = re.sub(r"\s*\([^()]*\)$", "", name)
            if base != name and base and not name_problem(base):
                renamed.append((name, base))
                name = base
            key = (type_id, name)
            entry = merged.get(key)
            if entry is None:
                entry = Entry(type_id, name, int(row["jurisdiction"]), "reporters.tsv")
                entry.variations = []
                merged[key] = entry
            elif entry.jurisdiction != int(row["jurisdiction"]):
                # Editions of one abbreviation disagree: the federal series
                # (Supreme Court and Court of Claims reports) are the ones cited.
                entry.jurisdiction = 0
            for v in split_list(row["variations"]):
                v = normalise_blanks(v)
                if v not in entry.variations:
                    entry.variations.append(v)
    entries = []
    for entry in merged.values():
        problem = name_problem(entry.name)
        if problem:
            left_out.add("reporters.tsv", entry.type_id, entry.name, entry.name, problem)
            continue
        entry.valid = spacing_variants(entry.name)
        for v in entry.variations:
            if is_spacing_variant(v, entry.name) and v != entry.name and v not in entry.valid:
                entry.valid.append(v)
            elif v != entry.name and v not in entry.valid:
                entry.invalid.append(v)
        entries.append(entry)
    with open(os.path.join(DICTIONARY, "renamed.tsv"), "w", encoding="utf-8") as f:
        f.write("# Reporter names of reporters.tsv whose final bracketed part was dropped.\n")
        f.write("# Generated by data/scripts/derive_dictionary.py.\n")
        f.write("source_name\tentry_name\n")
        for old, new in renamed:
            f.write(old + "\t" + new + "\n")
    return entries


def derive_laws(path, left_out):
    """Type 2 from the codes cited with a section; type 8 from the docketed
    administrative authorities ("ASBCA No. 43466")."""
    entries = []
    with open(path, encoding="utf-8") as f:
        for row in csv.DictReader(f, delimiter="\t"):
            name = normalise_blanks(row["abbreviation"])
            cite_type = row["cite_type"]
            jurisdiction = int(row["jurisdiction"])
            if cite_type == "admin_docket":
                entries.append(Entry(8, name + " No.", jurisdiction, "laws.tsv"))
                continue
            if cite_type not in ("leg_statute", "admin_compilation", "municipal"):
                reason = {
                    "leg_session": "session laws, cited by year and page rather than with a section",
                    "admin_register": "a register, cited by volume and page rather than with a section",
                    "admin_filing": "a filing number, not a code",
                    "leg_act": "a subject template; the subject codes are written by hand",
                }.get(cite_type, "not a code cited with a section")
                left_out.add("laws.tsv", 2, name, name, reason)
                continue
            if row["code_form"] != row["abbreviation"]:
                left_out.add("laws.tsv", 2, name, name,
                             "a subject template (" + row["code_form"] + "); subject codes are written by hand")
                continue
            if not row["cite_pattern"]:
                left_out.add("laws.tsv", 2, name, name, "no regular citation form to read a section from")
                continue
            problem = name_problem(name)
            if problem:
                left_out.add("laws.tsv", 2, name, name, problem)
                continue
            entry = Entry(2, name, jurisdiction, "laws.tsv")
            # Administrative codes (and the District's municipal regulations)
            # are regulations; every other code is a statute.
            entry.group = "regulation" if cite_type == "admin_compilation" or "Regs." in name else "statute"
            for v in split_list(row["variations"]):
                (entry.valid if is_spacing_variant(v, name) else entry.invalid).append(v)
            entries.append(entry)
    return entries


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    words = load_words()
    manifest = read_manifest()
    left_out = LeftOut()

    hand = []
    for type_id, files in manifest.items():
        for name in files:
            if not name.startswith("derived_"):
                hand.extend(read_entries(os.path.join(DICTIONARY, name), type_id))

    derived = derive_reporters(sys.argv[1], left_out) + derive_laws(sys.argv[2], left_out)

    # Every lower-cased item written by hand, with its owner: hand-written
    # entries win every conflict.
    hand_items = {}
    for entry in hand:
        for item in entry.items():
            hand_items.setdefault(item.lower(), (entry.type_id, entry.name))
    hand_names = {(e.type_id, e.name.lower()) for e in hand}

    kept = []
    for entry in derived:
        if (entry.type_id, entry.name.lower()) in hand_names:
            left_out.add(entry.source, entry.type_id, entry.name, entry.name,
                         "replaced by the hand-written entry of the same name")
            continue
        owner = hand_items.get(entry.name.lower())
        if owner:
            left_out.add(entry.source, entry.type_id, entry.name, entry.name,
                         "already a representation of %s (type %d), written by hand" % (owner[1], owner[0]))
            continue
        kept.append(entry)
    derived = kept

    # Variations judged on their own, then duplicates of the entry's own forms.
    for entry in derived:
        invalid = []
        own = {entry.name.lower()} | {v.lower() for v in entry.valid}
        for v in entry.invalid:
            problem = variation_problem(v, words)
            if problem:
                left_out.add(entry.source, entry.type_id, v, entry.name, problem)
            elif v.lower() in own:
                continue  # the same form in other letter case: the lookup ignores case
            else:
                own.add(v.lower())
                invalid.append(v)
        entry.invalid = invalid
        entry.valid = [v for v in entry.valid if not variation_problem(v, words)
                       or v.replace(" ", "") == entry.name.replace(" ", "")]

    # Owners of every lower-cased name and valid form, across all entries.
    everything = hand + derived
    strong = {}
    for entry in everything:
        for item in [entry.name] + entry.valid:
            strong.setdefault(item.lower(), set()).add((entry.type_id, entry.name))
    variation_owners = {}
    for entry in derived:
        for v in entry.invalid:
            variation_owners.setdefault(v.lower(), set()).add((entry.type_id, entry.name))
    first_words = {}
    for entry in everything:
        if entry.type_id not in AUTHORITY_TYPES:
            continue
        for item in entry.items():
            if " " in item:
                first_words.setdefault(item.split(" ")[0].lower(), set()).add((entry.type_id, entry.name))

    for entry in derived:
        me = (entry.type_id, entry.name)
        invalid = []
        for v in entry.invalid:
            key = v.lower()
            others = (strong.get(key, set()) | variation_owners.get(key, set())) - {me}
            hand_owner = hand_items.get(key)
            if hand_owner:
                left_out.add(entry.source, entry.type_id, v, entry.name,
                             "already a representation of %s (type %d), written by hand" % (hand_owner[1], hand_owner[0]))
            elif others:
                names = ", ".join(sorted(o[1] for o in others))
                left_out.add(entry.source, entry.type_id, v, entry.name,
                             "ambiguous: also a form of " + names)
            elif " " not in v and (first_words.get(key, set()) - {me}):
                names = ", ".join(sorted(o[1] for o in first_words[key] - {me}))[:120]
                left_out.add(entry.source, entry.type_id, v, entry.name,
                             "one word that begins a longer name (" + names + "): it would hide that name")
            else:
                invalid.append(v)
        entry.invalid = invalid

    outputs = {
        1: ("derived_reporters.tsv", "Case reporters (type 1), derived from reporters.tsv."),
        3: ("derived_case_sources.tsv",
            "Database and looseleaf case sources cited like reporters (type 3), derived from reporters.tsv."),
        2: ("derived_codes.tsv", "Codes cited with a section (type 2), derived from laws.tsv."),
        8: ("derived_numbered_authorities.tsv",
            "Docketed administrative authorities (type 8), derived from laws.tsv."),
    }
    for type_id, (file_name, title) in outputs.items():
        with open(os.path.join(DICTIONARY, file_name), "w", encoding="utf-8") as f:
            f.write("# " + title + "\n")
            f.write("# Generated by data/scripts/derive_dictionary.py; edit the script, not this file.\n")
            f.write("# Columns: name, jurisdiction (0 federal, 1 state), further valid and invalid\n")
            grouped = type_id == 2
            if grouped:
                f.write("# representations, each \" | \"-separated; the name is the first valid one; the\n")
                f.write("# group: regulation for administrative codes, statute for the rest.\n")
            else:
                f.write("# representations, each \" | \"-separated; the name is the first valid one.\n")
            f.write("name\tjurisdiction\tvalid\tinvalid" + ("\tgroup" if grouped else "") + "\n")
            for entry in derived:
                if entry.type_id == type_id:
                    f.write("%s\t%d\t%s\t%s%s\n" % (entry.name, entry.jurisdiction,
                                                    " | ".join(entry.valid), " | ".join(entry.invalid),
                                                    "\t" + entry.group if grouped else ""))
    with open(os.path.join(DICTIONARY, "left_out.tsv"), "w", encoding="utf-8") as f:
        f.write("# Names and variations of the reference tables that the dictionary leaves out.\n")
        f.write("# Generated by data/scripts/derive_dictionary.py.\n")
        f.write("source\ttype\titem\tentry\treason\n")
        for row in left_out.rows:
            f.write("\t".join(row) + "\n")


if __name__ == "__main__":
    main()
