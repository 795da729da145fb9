"""Checks the Authenticode signature of the installer as the build signed it.

    signature_test.py OSSLSIGNCODE SIGNED UNSIGNED CA_FILE WORK_DIR

SIGNED is the installer, UNSIGNED the copy kept from before signing, CA_FILE
the certificates to trust (empty: osslsigncode's default list). Checks that
the signature verifies, that signing only appended the signature (every other
byte is the linked file's, so the payload and resources are untouched), and
that changing any one byte the signature covers breaks verification.
"""

import os
import shutil
import struct
import subprocess
import sys


def verify(osslsigncode, path, ca_file):
    command = [osslsigncode, "verify"]
    if ca_file:
        command += ["-CAfile", ca_file]
    result = subprocess.run(command + ["-in", path], capture_output=True, text=True)
    return result.returncode, result.stdout + result.stderr


def pe_layout(data):
    """Offsets of the checksum and of the certificate table's directory entry,
    and the table's (file offset, size)."""
    header = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[header:header + 4] == b"PE\0\0", "not a PE file"
    optional = header + 24
    magic = struct.unpack_from("<H", data, optional)[0]
    assert magic == 0x20B, f"not a PE32+ (64-bit) image: magic {magic:#x}"
    checksum = optional + 64
    security_entry = optional + 112 + 4 * 8  # data directory 4, after 112 bytes of PE32+ fields
    table = struct.unpack_from("<II", data, security_entry)
    return checksum, security_entry, table


def masked(data, checksum, security_entry):
    """The bytes without the two header fields that signing rewrites."""
    copy = bytearray(data)
    copy[checksum:checksum + 4] = b"\0" * 4
    copy[security_entry:security_entry + 8] = b"\0" * 8
    return bytes(copy)


def main():
    osslsigncode, signed_path, unsigned_path, ca_file, work = sys.argv[1:6]
    os.makedirs(work, exist_ok=True)
    failures = []

    def check(condition, message):
        if not condition:
            failures.append(message)

    code, output = verify(osslsigncode, signed_path, ca_file)
    check(code == 0, f"the signed installer does not verify (exit {code}):\n{output}")
    check("Signature verification: ok" in output, "verification did not report 'ok'")
    check("Number of verified signatures: 1" in output, "not exactly one signature")
    check("SHA256" in output, "the signature's digest is not SHA-256")

    code, output = verify(osslsigncode, unsigned_path, ca_file)
    check(code != 0, "the unsigned copy passes verification: the check cannot tell signed from unsigned")

    with open(signed_path, "rb") as f:
        signed = f.read()
    with open(unsigned_path, "rb") as f:
        unsigned = f.read()
    checksum, security_entry, table = pe_layout(signed)
    _, _, unsigned_table = pe_layout(unsigned)
    check(unsigned_table == (0, 0), f"the unsigned copy has a certificate table {unsigned_table}")
    offset, size = table
    check(size > 0 and offset + size == len(signed), f"the certificate table {table} does not end the file")
    # Signing appends the table (after padding to 8 bytes) and rewrites the
    # checksum and the table's directory entry; every other byte stays.
    check(offset >= len(unsigned) and offset - len(unsigned) < 8 and not any(signed[len(unsigned):offset]),
          f"the table starts at {offset}, the linked file is {len(unsigned)} bytes")
    check(masked(signed[:len(unsigned)], checksum, security_entry) == masked(unsigned, checksum, security_entry),
          "signing changed bytes of the linked file besides the checksum and the certificate entry")

    # One changed byte anywhere the signature covers: in the middle of the
    # file (the code or the embedded payload) and in the PE header's time stamp.
    header = struct.unpack_from("<I", signed, 0x3C)[0]
    for name, where in (("middle", len(unsigned) // 2), ("header", header + 8)):
        tampered = os.path.join(work, f"tampered-{name}.exe")
        shutil.copyfile(signed_path, tampered)
        with open(tampered, "r+b") as f:
            f.seek(where)
            byte = f.read(1)[0]
            f.seek(where)
            f.write(bytes([byte ^ 0x01]))
        code, output = verify(osslsigncode, tampered, ca_file)
        check(code != 0, f"a change of the byte at {where} ({name}) still verifies:\n{output}")
        check("MISMATCH" in output, f"the change at {where} ({name}) was not reported as a digest mismatch")

    print(f"{signed_path}: {len(unsigned)} bytes linked, {len(signed)} signed "
          f"(+{len(signed) - len(unsigned)}), certificate table {size} bytes at {offset}")
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
