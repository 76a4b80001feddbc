# The Windows kit: what a user unzips onto a Firebird server (filled in below).
