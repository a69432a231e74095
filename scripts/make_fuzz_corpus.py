#!/usr/bin/env python3
"""Makes the seed corpus of the fuzz targets (tests/fuzz/corpus/<target>/)
from the golden files and a few typed values. Run it again after goldens
change; the folders are committed."""
import os, glob, shutil

here = os.path.dirname(os.path.abspath(__file__))
root = os.path.dirname(here)
golden = os.path.join(root, "tests", "golden")
corpus = os.path.join(root, "tests", "fuzz", "corpus")

def folder(name):
    path = os.path.join(corpus, name)
    shutil.rmtree(path, ignore_errors=True)
    os.makedirs(path)
    return path

def put(path, name, data):
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)

def goldens(pattern):
    for p in sorted(glob.glob(os.path.join(golden, pattern))):
        with open(p, "rb") as f:
            yield os.path.basename(p), f.read()

cp = lambda s: s.encode("cp1252")

d = folder("stored_text_fuzz")
for name, data in goldens("*.kdb"):
    put(d, name, data)
put(d, "journal", b"MERVALLA ANDRING 1\nF 1 3 -1 8 3\nx/ab.kdb" + b"abc\nT 1 10 1394182800000 5 0\nx.kdb\nSLUT\n")
put(d, "digests", cp("cbf29ce484222325\t0\t1394182800000\t1394182800000\t_ver.kdb\r\n"))

d = folder("verification_search_fuzz")
for name, data in goldens("*daybook.kdb"):
    put(d, name, b"1\r\n" + data)
for name, data in goldens("*_list.kdb"):
    put(d, name, b"2\r\n" + data)

d = folder("invoicing_fuzz")
for name, data in goldens("invoice_*.kdb"):
    put(d, name, data)
put(d, "customer", cp("Kund AB\r\nStorgatan 1\r\n123 45\r\nValla\r\n"))
put(d, "articles", cp("Artikel 1                              2.00     19.90\r\n" * 3))

d = folder("settings_fuzz")
put(d, "defaults", b"25\r\n32\r\n35\r\n3\r\n30\r\n25\r\n12\r\n6\r\nx\r\n50\r\nNEJ\r\n")
put(d, "company", cp("Firma AB\r\nGatan 1\r\n123 45\r\nOrt\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\n\r\nSE556677889901\r\n"))
put(d, "odd", b"28.97\r\n06\r\n,5\r\nabc\r\n\r\n\r\n\r\n\r\n\r\n\r\njA\r\n")

d = folder("amount_fuzz")
for i, v in enumerate(["1250.00", "-75.50", "0.00", "1000000.01", "1 000", "1.000,50", "1e308",
                       "-0", "nan", "99999999999999999999", "\uff11\uff12", "12,5", ".5", "007.10"]):
    put(d, "a%02d" % i, v.encode("utf-8"))

d = folder("entry_fuzz")
put(d, "income", cp("I\n2014-03-07\n14001\nInkomst, Arbete och Tjänst\nKund AB\nGatan\n123\nOrt\nText\n25\n1000\n50\n+\n"))
put(d, "expense", cp("U\n2014-02-30\n\nUtgift, Omvänd moms\nBygg AB\n\n\n\n\n25\n1000.005\n\n-\n"))
put(d, "badname", cp("I\n14-03-07\n\nInkomst, Momsfritt\n../x\n\n\n\n\n\n1e308\n\n\n"))

d = folder("year_fuzz")
for i, v in enumerate(["2014", "2abc", "201", "1999", "99999", "0000", "../2015", " 2016 "]):
    put(d, "y%d" % i, v.encode("utf-8"))

d = folder("sie_fuzz")
for name, data in goldens("*.se"):
    put(d, name, data)
put(d, "small", "#FLAGGA 0\r\n#FORMAT PC8\r\n#SIETYP 4\r\n#ORGNR 556677-8899\r\n"
    "#RAR 0 20140101 20141231\r\n#KONTO 1930 \"Bank\"\r\n#KONTO 2010 \"Eget kapital\"\r\n"
    "#IB 0 1930 1000.00\r\n#IB 0 2010 -1000.00\r\n#UB 0 1930 1500.00\r\n#UB 0 2010 -1500.00\r\n"
    "#VER A 1 20140301 \"Insättning\"\r\n{\r\n#TRANS 1930 {} 500.00\r\n#TRANS 2010 {} -500.00\r\n}\r\n"
    .encode("cp437"))
