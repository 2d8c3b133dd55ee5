#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz targets under tests/fuzz/corpus/.

Every seed starts with the target's plan byte (see the target's header comment); the rest is
what the line carries or what zanu.ini holds. Frames come from known-good captures between
independent HART implementations and from our simulated transmitter, plus the line trouble a
real loop produces. Run it again after changing a seed here; the fuzzer's own finds are kept
elsewhere (build-fuzz/corpus) and are not committed.
"""
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def h(text):
    return bytes.fromhex(text)


def xor(body):
    s = 0
    for b in body:
        s ^= b
    return s


def frame(delim, addr, cmd, payload, pre=5, bad_sum=False):
    body = bytes([delim]) + addr + bytes([cmd, len(payload)]) + payload
    return b"\xff" * pre + body + bytes([xor(body) ^ (0x5A if bad_sum else 0)])


LONG = h("B9 FD 00 00 00")
SIM = h("F5 5A 12 34 56")  # manufacturer 117, device type 0x5A

FRAMES = {
    # Captures (request, then the reply that followed it).
    "cmd0_short": h("FF FF FF FF FF 02 81 00 00 83 FF FF FF FF FF "
                    "06 81 00 0E 00 00 FE 26 06 05 05 07 03 64 00 78 9A BC 69"),
    "cmd34_long": h("FF FF FF FF FF 82 99 72 12 34 56 22 04 40 20 00 00 5F FF FF FF FF FF "
                    "86 99 72 12 34 56 22 06 00 00 40 20 00 00 59"),
    "cmd14_not_implemented": h("FF FF FF FF FF 86 99 72 12 34 56 0E 02 40 00 51"),
    "cmd14_reply": h("FF FF 86 F9 FD 00 00 00 0E 12 00 93 65 43 21 4B 46 BB 80 00 00 00 00 00 "
                     "43 48 00 00 37"),
    "cmd15_reply": h("FF FF FF 86 F9 FD 00 00 00 0F 14 00 93 FA 00 4B 46 BB 80 00 00 00 00 00 "
                     "4E FF 40 00 00 FA 00 CD"),
    "cmd18_reply": h("FF FF FF FF FF 86 F9 FD 00 00 00 12 17 00 D3 40 51 52 50 54 D4 3D 20 43 "
                     "30 58 04 15 30 D2 25 05 20 07 0C 7E 77"),
    "cmd35_reply": h("FF FF FF FF FF 86 F9 FD 00 00 00 23 0B 00 D3 4B 46 9C 40 00 00 00 00 00 A8"),
    "cmd44_reply": h("FF FF FF FF FF 86 F9 FD 00 00 00 2C 03 00 D3 4B 35"),
    # Our transmitter's replies.
    "sim_cmd2": frame(0x86, SIM, 2, h("00 00 41 4C 00 00 42 48 00 00")),
    "sim_cmd13": frame(0x86, SIM, 13, h("00 00") + h("30 11 F4 C7 1D 70") + bytes(12) +
                       h("07 0C 7E")),
    "sim_comm_error": frame(0x86, SIM, 13, h("88 00")),
    # Line trouble.
    "echo_then_reply": frame(0x82, SIM, 2, b"", pre=10) + frame(0x86, SIM, 2, h("00 00") +
                                                                bytes(8)),
    "noise_before": h("13 FF 37 FF FF 00 06") + frame(0x86, LONG, 3, h("00 00") + bytes(24)),
    "bad_checksum_then_good": frame(0x86, LONG, 15, h("00 00") + bytes(17), bad_sum=True) +
                              frame(0x86, LONG, 15, h("00 00") + bytes(17)),
    "byte_count_too_small": frame(0x86, LONG, 2, h("00")) + frame(0x06, h("80"), 0,
                                                                  h("00 00") + bytes(12)),
    "broken_off": frame(0x86, LONG, 13, h("00 00") + bytes(21))[:19],
    "longest_frame": frame(0x86, LONG, 200, h("00 00") + bytes(range(253))),
    "burst_frame": frame(0x81, LONG, 3, h("00 00") + bytes(24), pre=2),
    "preambles_only": b"\xff" * 40,
    "one_preamble": h("FF 06 81 00 02 00 00 85"),
}

INI = {
    "port5": b'"5"\r\n',
    "last_line_wins": b'"3"\r\n"8"\r\n',
    "last_field_wins": b'"3","8"\r\n',
    "unquoted": b"7",
    "leading_zero": b'"07"\r\n',
    "com_prefix": b"COM7\r\n",
    "blank_inside_quotes": b'" 7"\r\n',
    "blank_before_quote": b'  "12"\r\n',
    "empty": b"",
    "empty_lines": b"\r\n\r\n\n",
    "trailing_comma": b'"4",\r\n',
    "stray_quote": b'"9\r\n5\r\n',
    "text_after_quote": b'"6"x,  11 \r\n',
    "cr_only": b'"2"\r"10"\r',
    "tabs_and_nul": b'\t"1\x002"\t\r\n',
    "latin1": b'"\xe9\xff"\r\n',
}


# A configuration file as the window saves it, and the kinds of bad file a field trial fed the
# reader: empty, cut off, wrong types, numbers JSON has no place for, unknown unit, a tag too long
# or with control characters, a key given twice.
SAVED = b"""{
    "format": "zanu-config-configuration",
    "version": 1,
    "saved": "2026-12-07T10:15:00+01:00",
    "program": {
        "name": "zanu-config",
        "version": "1.0.3"
    },
    "identity": {
        "manufacturer": 117,
        "device_type": 90,
        "device_id": "123456",
        "serial_number": 1504872,
        "hart_revision": 5
    },
    "configuration": {
        "tag": "LT-101",
        "descriptor": "WELL 3 INLET",
        "date": "2026-11-30",
        "unit": "mH2O",
        "unit_code": 171,
        "lower_range_value": 0,
        "upper_range_value": 10,
        "damping_s": 0.4,
        "output": "4-20 mA"
    },
    "limits": {
        "upper_sensor_limit": 20,
        "lower_sensor_limit": 0,
        "minimum_span": 1
    }
}
"""

CONFIGURATIONS = {
    "saved": SAVED,
    "saved_mbar": SAVED.replace(b'"mH2O"', b'"mbar"').replace(b"171", b"8"),
    "empty": b"",
    "truncated": SAVED[: len(SAVED) // 2],
    "wrong_type": SAVED.replace(b'"damping_s": 0.4', b'"damping_s": "0.4"'),
    "nan": SAVED.replace(b'"damping_s": 0.4', b'"damping_s": NaN'),
    "infinity": SAVED.replace(b'"upper_range_value": 10', b'"upper_range_value": Infinity'),
    "huge_number": SAVED.replace(b'"upper_range_value": 10', b'"upper_range_value": 1e999'),
    "unknown_unit": SAVED.replace(b'"mH2O"', b'"furlong"'),
    "unit_case": SAVED.replace(b'"mH2O"', b'"MH2O"'),
    "long_tag": SAVED.replace(b'"LT-101"', b'"' + b"T" * 300 + b'"'),
    "control_tag": SAVED.replace(b'"LT-101"', b'"LT\\u0007\\n101"'),
    "duplicate_key": SAVED.replace(b'"tag": "LT-101",', b'"tag": "LT-101",\n        "tag": "LT-999",'),
    "not_object": b"[1, 2, 3]",
}

# The reply decoders: byte 0 is the command, the rest the reply's data field.
REPLIES = {
    "cmd0": h("00 FE 75 5A 05 05 01 01 10 00 12 34 56"),
    "cmd0_hart7": h("00 FE 26 06 05 07 03 64 00 78 9A BC 05 00 00 00 00 01 26"),
    "cmd2": h("02 41 40 00 00 42 48 00 00"),
    "cmd13": h("0D 30 D3 CF 38 20 82 08 20 82 08 20 82 08 20 82 08 20 82 1E 0B 7E"),
    "cmd14": h("0E 16 F6 A8 AB 41 A0 00 00 00 00 00 00 3F 80 00 00"),
    "cmd15": h("0F 00 00 AB 41 20 00 00 00 00 00 00 3E CC CC CD 00 75"),
    "cmd15_short": h("0F 00 00 AB 41 20"),
    "cmd48": h("30 00 00 00 00 00 00"),
    "cmd129": h("81 00 01"),
    "cmd40": h("28 41 40 00 00"),
    "cmd150": h("96 01"),
    "unknown": h("C8 01 02 03"),
}

TIMINGS = {
    "one_key": b"rt1=600",
    "two_keys": b"rt1=600,allowance=100",
    "spaces": b" rt1 = 600 , rt2 = 80 ",
    "every_key": b"rt1=305,rt1-secondary=376,allowance=50,gap=60,rt2=75,quiet=60,"
                 b"max-listen=1000,retries=2,send-watchdog=2000,longest-reply=2604",
    "bad_key": b"rtl=600",
    "negative": b"rt1=-5",
    "huge": b"rt1=99999999999999999999",
    "empty_value": b"rt1=",
    "no_equals": b"rt1",
}


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


def main():
    # Plans for the parser: whole-ish chunks, single bytes, the line's 4-byte groups, lazy drain.
    for name, data in FRAMES.items():
        for plan in (0x03, 0x00, 0x05):
            write("frame_parser", "%s_%02x" % (name, plan), bytes([plan]) + data)
    # Plans for the reader: read as is (0x00), append a deciding line (0x10 | length << 5),
    # write and read back (0x01), blown up past the size limit (0x0F).
    for name, data in INI.items():
        write("settings_file", name, b"\x00" + data)
        write("settings_file", name + "_decided", bytes([0x10 | (2 << 5)]) + data + b"12")
        write("settings_file", name + "_write", b"\x01" + data)
    write("settings_file", "huge", b"\x0f" + b'"3"\r\n"11",')
    for name, data in CONFIGURATIONS.items():
        write("configuration_file", name, data)
    for name, data in REPLIES.items():
        write("reply_decoders", name, data)
    for name, data in TIMINGS.items():
        write("link_timing", name, data)
    return 0


if __name__ == "__main__":
    sys.exit(main())
