# docs/changelog, Debian's form, in RPM's: each entry's trailer line
# " -- Name <mail>  Tue, 08 Dec 2026 05:16:12 +0000" becomes its heading
# "* Tue Dec 08 2026 Name <mail> - 1.0.0-1", its items "- " lines.
# Usage: awk -v release=1 -f rpm_changelog.awk docs/changelog
/^[a-z0-9.+-]+ \(/ { version = substr($2, 2, length($2) - 2); items = ""; next }
/^  \* / { items = items "- " substr($0, 5) "\n"; next }
/^    [^ ]/ { items = items "  " substr($0, 5) "\n"; next }
/^ -- / {
    split($0, part, "  ")
    split(part[2], date, /,? /)
    printf "* %s %s %s %s %s - %s-%s\n%s\n", date[1], date[3], date[2], date[4], substr(part[1], 5), version, release, items
}
