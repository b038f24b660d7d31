# SPDX-License-Identifier: GPL-3.0-or-later
"""Independent dBASE reader and writer for the storage tests.

read PATH ENCODING   prints the table as read by dbfread, as JSON
write PATH FIELDS CODEPAGE   creates a table with python-dbf from JSON rows on stdin:
                           [{"values": [...], "deleted": false}, ...]; dates as "YYYY-MM-DD"
"""
import datetime
import json
import sys


def plain(value):
    if isinstance(value, (datetime.date, datetime.datetime)):
        return value.isoformat()
    return value


def read(path, encoding):
    import dbfread
    table = dbfread.DBF(path, encoding=encoding, load=True, char_decode_errors="strict")
    header = table.header
    result = {
        "version": header.dbversion,
        "year": header.year,
        "month": header.month,
        "day": header.day,
        "language": header.language_driver,
        "headerLength": header.headerlen,
        "recordLength": header.recordlen,
        "fields": [[f.name, f.type, f.length, f.decimal_count] for f in table.fields],
        "records": [[plain(v) for v in r.values()] for r in table.records],
        "deleted": [[plain(v) for v in r.values()] for r in table.deleted],
    }
    json.dump(result, sys.stdout, ensure_ascii=False)


def typed(value, field_type):
    if value is None:
        return None
    if field_type == "D":
        import dbf
        return dbf.Date(*map(int, value.split("-")))
    return value


def write(path, field_list, codepage):
    import dbf
    rows = json.load(sys.stdin)
    table = dbf.Table(path, field_list, codepage=codepage, dbf_type="db3")
    types = [table.field_info(name).field_type for name in table.field_names]
    types = [chr(t) if isinstance(t, int) else str(t)[0] for t in types]
    table.open(dbf.READ_WRITE)
    for row in rows:
        table.append(tuple(typed(v, t) for v, t in zip(row["values"], types)))
        if row.get("deleted"):
            dbf.delete(table[-1])
    table.close()


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "read":
        read(sys.argv[2], sys.argv[3])
    elif command == "write":
        write(sys.argv[2], sys.argv[3], sys.argv[4])
    else:
        sys.exit("unknown command " + command)
