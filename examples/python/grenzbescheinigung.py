#!/usr/bin/env python3
"""Prices a boundary certificate on an invoice and proves the invoice, through the library's C
interface (ctypes, no build step).

    python3 grenzbescheinigung.py DATENBANK RECHNUNG.docx [--lib /pfad/libvk_lp_08.so]

On the demo invoice (`vk demo DIR`): DIR/buero.sqlite and DIR/Rechnung.docx, user 1, invoice 1.
The certificate with on-site inspection and two copies costs 300,00 € (category 4). Exit status 0
when the invoice proves, 1 when it does not, 2 on an error.
"""
import argparse
import ctypes
import ctypes.util
import os
import sys

VK_OK = 0


def bibliothek(pfad):
    """The library: the path given, else $VK_LP_08_LIB, else the system's search path."""
    name = pfad or os.environ.get("VK_LP_08_LIB") or ctypes.util.find_library("vk_lp_08") or "libvk_lp_08.so.1"
    vk = ctypes.CDLL(name)
    vk.vk_version.restype = ctypes.c_char_p
    vk.vk_letzter_fehler.restype = ctypes.c_char_p
    vk.vk_text_freigeben.argtypes = [ctypes.c_void_p]
    vk.vk_gebuehrenstaffel1.argtypes = [ctypes.c_double, ctypes.c_double, ctypes.POINTER(ctypes.c_double)]
    vk.vk_sitzung_oeffnen.argtypes = [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p,
                                      ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p)]
    vk.vk_sitzung_kategorie.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_char_p, ctypes.c_char_p]
    vk.vk_sitzung_setzen.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
    vk.vk_sitzung_bestaetigen.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_void_p),
                                          ctypes.POINTER(ctypes.c_void_p)]
    vk.vk_sitzung_schliessen.argtypes = [ctypes.c_void_p]
    vk.vk_pruefen.argtypes = [ctypes.c_char_p, ctypes.c_int32, ctypes.c_int32, ctypes.c_char_p,
                              ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_void_p)]
    return vk


class Fehler(Exception):
    pass


def pruefen(vk, status):
    if status != VK_OK:
        raise Fehler(vk.vk_letzter_fehler().decode("utf-8"))


def text(vk, zeiger):
    """A text the library handed out, as str; freed."""
    if not zeiger.value:
        return ""
    wert = ctypes.string_at(zeiger.value).decode("utf-8")
    vk.vk_text_freigeben(zeiger)
    return wert


def main():
    p = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    p.add_argument("datenbank")
    p.add_argument("dokument")
    p.add_argument("--benutzer", type=int, default=1)
    p.add_argument("--rechnung", type=int, default=1)
    p.add_argument("--lib")
    a = p.parse_args()
    vk = bibliothek(a.lib)
    print("vk_lp_08", vk.vk_version().decode())

    # A fee scale: 800 m² at 10 €/m² by scale 1.
    gebuehr = ctypes.c_double()
    pruefen(vk, vk.vk_gebuehrenstaffel1(10.0, 800.0, ctypes.byref(gebuehr)))
    print(f"Gebührenstaffel 1, 800 m² zu 10 €/m²: {gebuehr.value:.2f} €")

    # The certificate, as a clerk enters it in the dialog, confirmed and saved with its record.
    sitzung = ctypes.c_void_p()
    pruefen(vk, vk.vk_sitzung_oeffnen(a.datenbank.encode(), a.benutzer, a.rechnung, a.dokument.encode(), None,
                                      ctypes.byref(sitzung)))
    try:
        pruefen(vk, vk.vk_sitzung_kategorie(sitzung, 4, b"1", None))
        for anweisung in ("chkOrt=1", "mskMehrfach=2"):
            pruefen(vk, vk.vk_sitzung_setzen(sitzung, anweisung.encode()))
        tabelle, summen = ctypes.c_void_p(), ctypes.c_void_p()
        pruefen(vk, vk.vk_sitzung_bestaetigen(sitzung, ctypes.byref(tabelle), ctypes.byref(summen)))
        print("Geschriebene Tabelle:")
        print(text(vk, tabelle))
        print("Summen:")
        print(text(vk, summen))
    finally:
        vk.vk_sitzung_schliessen(sitzung)

    # The proof: every fee table priced again and compared, the totals, the letter, the record.
    stimmt, bericht = ctypes.c_int(), ctypes.c_void_p()
    pruefen(vk, vk.vk_pruefen(a.datenbank.encode(), a.benutzer, a.rechnung, a.dokument.encode(),
                              ctypes.byref(stimmt), ctypes.byref(bericht)))
    print(text(vk, bericht))
    return 0 if stimmt.value else 1


if __name__ == "__main__":
    try:
        sys.exit(main())
    except (Fehler, OSError) as f:
        print(f"grenzbescheinigung.py: {f}", file=sys.stderr)
        sys.exit(2)
