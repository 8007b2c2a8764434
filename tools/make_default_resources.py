#!/usr/bin/env python3
"""Writes the built-in resources embedded into orbic40.

Run from anywhere: python3 tools/make_default_resources.py
Outputs (in resources/): the three default parameter images, the empty PC macro
library and the behaviour configuration org.ini. The outputs are committed
together with this script; rerunning it must reproduce them byte for byte.
"""

import pathlib

RESOURCE_DIR = pathlib.Path(__file__).resolve().parent.parent / "resources"

IMAGE_SIZE = 2048

# Bytes 0x000-0x0FF of the default image for configuration 1; the rest is zero.
IMAGE1_HEAD = """
44 F8 06 38 FF 00 01 04 06 07 09 0A 07 01 04 03
00 02 05 06 FF 00 7F FF FF FF FF 00 00 00 FF 00
00 00 FF FF 00 FF 00 FF FF FF FF FF FF FF FF 72
01 FE 44 BB 00 FF FF FF FF FF FF FF FE FF FF FF
01 01 00 01 04 00 01 02 00 01 08 00 01 10 00 05
00 00 07 00 00 08 00 00 10 00 00 01 01 00 01 04
00 01 02 00 01 08 00 01 10 00 05 00 00 07 00 00
08 00 00 10 00 00 CA FF FE FF FF FF FF FF FE 99
0E 05 01 0E 05 19 0E 05 31 0E 05 49 0E 05 61 0E
05 79 0E 05 91 0E 05 A9 0E 05 C1 0E 05 D9 FF FF
FF FF FF FF FF FF FF FF FE FF FF FF FF FF FD FF
00 FF 00 FF 00 FF 00 FF 00 FF 00 FF 00 FF 00 FF
00 FF 00 FF FF FF FE FF FF FF FF FF FD FF FF FF
FF 00 00 00 FF 00 00 00 FF FF FF 00 FF 00 FF 00
FF FF FF 80 00 FF 00 80 00 FF 80 FF FF FF FF FF
0A FD 02 A1 FE 03 21 FE 06 FC 96 FF FD FF FF FF
"""

# Configurations 2 and 3: image 1 with these bytes changed (offset -> value).
IMAGE23_CHANGES = {
    0x000: 0x45, 0x01A: 0x00, 0x01B: 0xFF, 0x01D: 0xFF,
    0x01E: 0x00, 0x01F: 0xFF, 0x025: 0x00, 0x02B: 0x00,
    0x02F: 0x70, 0x032: 0x42, 0x033: 0xBD, 0x058: 0x06,
    0x05A: 0xF0, 0x073: 0x06, 0x075: 0xF0, 0x076: 0x06,
}

# 100 empty 256-byte records followed by 1600 bytes of tail, all zero.
MACRO_LIBRARY_SIZE = 27200

WEB_ADDRESS = "https://orbic40.example.org/"

# Shipped behaviour configuration. Written with CR LF; some lines keep the
# spacing a hand-edited file has (blanks around "=", a trailing blank).
ORG_INI_LINES = [
    "//==============================================",
    "// orbic40 behaviour configuration",
    "//==============================================",
    "[org]",
    "; 1 = the web button opens the address below",
    "Web_Enable=1",
    "Web=" + WEB_ADDRESS,
    "Web_X = 420",
    "Web_Y = 5 ",
    "; reserve vendor / product code pair accepted besides the built-in one",
    "Rev_Manu_ID=0",
    "Rev_Pro_ID=0",
    "; folder of Macro.bin / Driver_Macro.bin, must end with a separator; empty = program folder",
    "Path=",
    "; 1 = labels roll their text",
    "TR_Enable=0",
    "; 1 = the hold-gun-key profile switch may be offered",
    "GD_Enable=0",
    "; 1 = DPI and LED levels as sliders, 0 = as progress bars",
    "DPILED_Status=1",
    "; gun variants of the fire macros",
    "Gun6_Num=2",
    "Gun7_Num=3",
    "; 0 = LED-count numbers ascending, 1 = descending",
    "Num_Order=0",
    "//----------------------------------------------",
    "; 0 = memory, 1 = driver, 2 = memory plus driver",
    "Ap_Mode=0",
    "; number of selectable DPI values",
    "DPI_Count = 11",
    "//==============================================",
]


def parse_hex(text):
    return bytes(int(tok, 16) for tok in text.split())


def default_images():
    head = parse_hex(IMAGE1_HEAD)
    assert len(head) == 0x100
    image1 = bytearray(IMAGE_SIZE)
    image1[: len(head)] = head
    image23 = bytearray(image1)
    for offset, value in IMAGE23_CHANGES.items():
        assert image23[offset] != value, hex(offset)
        image23[offset] = value
    return bytes(image1), bytes(image23)


def main():
    RESOURCE_DIR.mkdir(parents=True, exist_ok=True)
    image1, image23 = default_images()
    outputs = {
        "ORBIC5xData_Cfg1.bin": image1,
        "ORBIC5xData_Cfg2.bin": image23,
        "ORBIC5xData_Cfg3.bin": image23,
        "PCMacroData.bin": bytes(MACRO_LIBRARY_SIZE),
        "org.ini": ("\r\n".join(ORG_INI_LINES) + "\r\n").encode("ascii"),
    }
    for name, data in outputs.items():
        (RESOURCE_DIR / name).write_bytes(data)
        print(f"{name}: {len(data)} bytes")


if __name__ == "__main__":
    main()
