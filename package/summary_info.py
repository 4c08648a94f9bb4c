"""Writes a copy of a Windows Installer package with the summary information's values
that wixl cannot be given: the package code, which it draws at random, and the times
of creation and last save, which it takes from the clock (SOURCE_DATE_EPOCH or not).
It does so through msitools' own library, so the rest of the package stays as wixl
wrote it; the copy is laid out afresh, the same way for the same package.

    summary_info.py WIXL_MSI OUT_MSI PACKAGE_CODE EPOCH_SECONDS
"""
import sys

import gi

gi.require_version("Libmsi", "1.0")
from gi.repository import Libmsi  # noqa: E402

# A FILETIME counts 100-nanosecond steps from 1601-01-01, 11644473600 s before 1970.
FILETIME_PER_SECOND = 10_000_000
FILETIME_UNIX_EPOCH = 11_644_473_600 * FILETIME_PER_SECOND


def main(source, target, package_code, epoch):
    database = Libmsi.Database.new(source, Libmsi.DbFlags.TRANSACT, target)
    summary = Libmsi.SummaryInfo.new(database, 3)
    summary.set_string(Libmsi.Property.UUID, package_code)
    filetime = FILETIME_UNIX_EPOCH + int(epoch) * FILETIME_PER_SECOND
    summary.set_filetime(Libmsi.Property.CREATED_TM, filetime)
    summary.set_filetime(Libmsi.Property.LASTSAVED_TM, filetime)
    summary.persist()
    database.commit()


if __name__ == "__main__":
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    main(*sys.argv[1:])
