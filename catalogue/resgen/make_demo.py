#!/usr/bin/env python3
"""Lays out a small demonstration collection for the catalogue panel.

    make_demo.py OUTDIR

writes OUTDIR/programa/ (the eight category list files the panel reads beside itself) and
OUTDIR/cd/QVOL2/<category>/<title>/Nodt.txt (the CD tree with each title's description). The
titles and texts are made up here; files are in the Windows-1252 code page with CR LF line ends,
as the collection's own files are. Running it again rewrites the same files.
"""
import os
import sys

CATEGORIES = {
    "Accion": [("Asteroides Furiosos", "ASTEROID", "AST.EXE"), ("Comando Nocturno", "COMANDO", "CN.EXE")],
    "3D": [("Laberinto Cúbico", "CUBICO", "BIN\\LAB3D.EXE")],
    "Aventuras": [("La Isla del Faro", "FARO", "FARO.EXE"), ("El Códice Perdido", "CODICE", "CODICE.EXE")],
    "Arcades": [("Ladrillos", "LADRILLO", "LAD.EXE")],
    "Cartas": [("Solitario Clásico", "SOLITAR", "SOL.EXE")],
    "Estrategia": [("Imperio de Arena", "IMPERIO", "IMP.EXE /M")],
    "Educativos": [("Tablas Mágicas", "TABLAS", "TABLAS.EXE")],
    "Mesa": [("Ajedrez de Bolsillo", "AJEDREZ", "AJ.EXE"), ("Damas", "DAMAS", "DAMAS.EXE")],
}


def description(title, category):
    return ("%s\r\n\r\nUn título de la categoría %s de esta colección de demostración.\r\n"
            "Requisitos: 4 MB de memoria, pantalla VGA.\r\n"
            "Versión shareware: regístrese con el autor para recibir la versión completa.\r\n" % (title, category))


def write(path, text):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(text.encode("cp1252"))


def main():
    if len(sys.argv) != 2:
        raise SystemExit(__doc__)
    out = sys.argv[1]
    for category, titles in CATEGORIES.items():
        lines = "".join("%s#%s\\%s\r\n" % (title, folder, command) for title, folder, command in titles)
        write(os.path.join(out, "programa", category + ".LST"), lines)
        for title, folder, _ in titles:
            write(os.path.join(out, "cd", "QVOL2", category, folder, "Nodt.txt"), description(title, category))


if __name__ == "__main__":
    main()
