#!/usr/bin/env python3
"""The archive of the code page 932 installation test, made with Python's
zipfile: member names written as Shift JIS bytes (the OEM code page of a
Japanese system), under folders whose names end in characters whose second
byte is 5C, the backslash's code.
Usage: make_code_page_932_fixtures.py OUTPUT_DIR"""
import os
import sys
import zipfile

# Name (as text, written in code page 932) and content; None marks a folder.
MEMBERS = (
    ('README.TXT', b'read me first\r\n'),
    ('\u8868/', None),                             # hyou
    ('\u8868/\u5341/DEEP.TXT', b'two folders down'),  # hyou, juu
    ('\u6a5f\u80fd/HELP.TXT', b'help'),            # kinou
    ('\u30bd/\u4e88', b'a file named yo'),         # so, yo: no extension
    ('\u30bd16/X.TXT', b'not a version folder'),   # so followed by 16
)


class ShiftJisName(zipfile.ZipInfo):
    """A member whose name is stored as Shift JIS bytes, without the UTF-8 flag."""

    def __init__(self, name):
        super().__init__(name, date_time=(1997, 5, 17, 10, 20, 30))
        self.raw = name.encode('cp932')
        self.create_system = 0  # MS-DOS, so the attribute byte counts
        folder = name.endswith('/')
        self.external_attr = 0x10 if folder else 0x20
        self.compress_type = zipfile.ZIP_STORED if folder else zipfile.ZIP_DEFLATED

    def _encodeFilenameFlags(self):
        return self.raw, self.flag_bits


def main(out):
    os.makedirs(out, exist_ok=True)
    with zipfile.ZipFile(os.path.join(out, 'code_page_932.zip'), 'w') as z:
        for name, data in MEMBERS:
            z.writestr(ShiftJisName(name), data or b'')


if __name__ == '__main__':
    main(sys.argv[1])
