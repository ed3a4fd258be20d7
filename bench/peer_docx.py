#!/usr/bin/env python3
"""The peer side of bench/peer.sh: open an invoice with python-docx, append one 4 x 5 table with
the texts of a boundary certificate, save it elsewhere."""
import sys

import docx

ZEILEN = [
    ["Grenzbescheinigungen", "", "", "", ""],
    ["mit Ortsbesichtigung\nTarifstelle 8.2.2", "", "", "", ""],
    ["", "", "", "", ""],
    ["Anzahl Mehrfachausfertigungen:", "       2", "", "", "  300,00 €"],
]


def main(quelle, ziel):
    dokument = docx.Document(quelle)
    tabelle = dokument.add_table(rows=4, cols=5)
    for r, zeile in enumerate(ZEILEN):
        for c, text in enumerate(zeile):
            if text:
                tabelle.cell(r, c).text = text
    dokument.save(ziel)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
