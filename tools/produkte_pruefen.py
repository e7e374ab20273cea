#!/usr/bin/env python3
"""Checks the product catalogue data/produkte.csv before it is packed.

Usage: produkte_pruefen.py [path/to/produkte.csv]
Pictures are looked up in the folder produktbilder next to the CSV file.
Prints "produkte.csv: N Produkte, in Ordnung" or the problems found and exits with 1.
"""

import csv
import io
import os
import re
import sys

KOPF = ["ID", "Hersteller", "Produkt", "Volumen", "Preis", "Beschreibung", "URL", "Adresse", "Bild"]

# Field lengths of the product table, in characters.
LAENGEN = {"Hersteller": 30, "Produkt": 30, "Beschreibung": 200, "URL": 50, "Adresse": 200}
PFLICHT = ("Hersteller", "Produkt", "Beschreibung", "URL", "Adresse")

ZAHL = re.compile(r"^[0-9]+(\.[0-9]+)?$")
HOST = re.compile(r"^[a-z0-9-]+(\.[a-z0-9-]+)*\.example\.org$")
PLZ_ORT = re.compile(r", [0-9]{5} \S")


def pruefe(pfad):
    """Returns (number of products, list of problems)."""
    probleme = []
    try:
        with open(pfad, "rb") as f:
            roh = f.read()
    except OSError as e:
        return 0, [f"kann nicht gelesen werden: {e}"]
    if roh.startswith(b"\xef\xbb\xbf"):
        probleme.append("Datei beginnt mit einer Byte-Order-Mark")
        roh = roh[3:]
    try:
        text = roh.decode("utf-8")
    except UnicodeDecodeError as e:
        return 0, probleme + [f"kein gültiges UTF-8: {e}"]

    try:
        zeilen = list(csv.reader(io.StringIO(text, newline=""), strict=True))
    except csv.Error as e:
        return 0, probleme + [f"CSV nicht lesbar: {e}"]
    if not zeilen:
        return 0, probleme + ["leere Datei"]
    if zeilen[0] != KOPF:
        probleme.append("Kopfzeile ist " + ",".join(zeilen[0]) + ", erwartet " + ",".join(KOPF))
        return 0, probleme

    bildordner = os.path.join(os.path.dirname(os.path.abspath(pfad)), "produktbilder")
    ids = {}
    anzahl = 0
    for nummer, zeile in enumerate(zeilen[1:], start=2):
        if not zeile:
            probleme.append(f"Zeile {nummer}: leer")
            continue
        if len(zeile) != len(KOPF):
            probleme.append(f"Zeile {nummer}: {len(zeile)} Felder statt {len(KOPF)}")
            continue
        anzahl += 1
        p = dict(zip(KOPF, zeile))
        ort = f"Zeile {nummer}"

        if not re.fullmatch(r"[0-9]+", p["ID"]) or not 0 < int(p["ID"]) < 2**31:
            probleme.append(f"{ort}: ID {p['ID']!r} ist keine positive 32-Bit-Zahl")
        elif p["ID"] in ids:
            probleme.append(f"{ort}: ID {p['ID']} schon in Zeile {ids[p['ID']]}")
        else:
            ids[p["ID"]] = nummer

        for feld, grenze in LAENGEN.items():
            if len(p[feld]) > grenze:
                probleme.append(f"{ort}: {feld} hat {len(p[feld])} Zeichen, höchstens {grenze}")
        for feld in PFLICHT:
            if not p[feld].strip():
                probleme.append(f"{ort}: {feld} ist leer")
        for feld, wert in p.items():
            if wert != wert.strip():
                probleme.append(f"{ort}: {feld} hat Leerzeichen am Rand")
            if any(ord(c) < 32 for c in wert):
                probleme.append(f"{ort}: {feld} enthält Steuerzeichen")
            try:
                wert.encode("cp1252")
            except UnicodeEncodeError as e:
                zeichen = wert[e.start:e.end]
                probleme.append(f"{ort}: {feld} enthält {zeichen!r} (U+{ord(zeichen[0]):04X}), nicht in Windows-1252")

        for feld in ("Volumen", "Preis"):
            if not ZAHL.match(p[feld]):
                probleme.append(f"{ort}: {feld} {p[feld]!r} ist keine Zahl mit Dezimalpunkt")
            elif float(p[feld]) <= 0:
                probleme.append(f"{ort}: {feld} ist nicht größer als 0")

        url = p["URL"]
        if "://" in url or url.lower().startswith("http"):
            probleme.append(f"{ort}: URL {url!r} mit Schema, erwartet ohne")
        elif any(c.isspace() for c in url):
            probleme.append(f"{ort}: URL {url!r} enthält Leerraum")
        elif not HOST.match(url.split("/", 1)[0]):
            probleme.append(f"{ort}: URL {url!r} liegt nicht unter example.org")

        if p["Adresse"] and not PLZ_ORT.search(p["Adresse"]):
            probleme.append(f"{ort}: Adresse ohne Postleitzahl und Ort")

        bild = p["Bild"]
        if bild:
            if "/" in bild or "\\" in bild:
                probleme.append(f"{ort}: Bild {bild!r} mit Ordner, erwartet nur den Dateinamen")
            elif not os.path.isfile(os.path.join(bildordner, bild)):
                probleme.append(f"{ort}: Bild {bild} fehlt in {bildordner}")

    if anzahl == 0:
        probleme.append("keine Produkte")
    return anzahl, probleme


def main():
    standard = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "produkte.csv")
    pfad = sys.argv[1] if len(sys.argv) > 1 else os.path.normpath(standard)
    name = os.path.basename(pfad)
    anzahl, probleme = pruefe(pfad)
    if probleme:
        for p in probleme:
            print(f"{name}: {p}")
        return 1
    print(f"{name}: {anzahl} Produkte, in Ordnung")
    return 0


if __name__ == "__main__":
    sys.exit(main())
