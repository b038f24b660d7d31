#!/usr/bin/python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Prints dBASE tables as JSON, read by dbfread (an independent reader).

usage: dump_dbf.py FILE.dbf...
For each file: {"encoding", "fields": [names], "records": [{name: value}], "raw": [{name: latin-1 text
of the stored bytes without trailing blanks}]}. The code page comes from the file's own header.
"""
import json
import sys

from dbfread import DBF


def dump(path):
    table = DBF(path, load=True)
    raw = DBF(path, load=True, raw=True)
    return {
        "encoding": table.encoding,
        "fields": table.field_names,
        "records": [dict(record) for record in table.records],
        "raw": [{name: value.rstrip(b" ").decode("latin-1") for name, value in record.items()}
                for record in raw.records],
    }


json.dump({path: dump(path) for path in sys.argv[1:]}, sys.stdout, ensure_ascii=False, default=str)
