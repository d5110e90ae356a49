"""The winget and Scoop manifests beside a Windows zip install that zip: its
hash, its address under the project's page, its version, and the program it
holds. Usage: check_manifests.py ZIP HOMEPAGE_URL VERSION"""
import hashlib
import json
import os
import re
import sys
import zipfile

import yaml

zip_path, homepage, version = sys.argv[1:4]
folder, name = os.path.split(zip_path)
with open(zip_path, "rb") as f:
    sha256 = hashlib.sha256(f.read()).hexdigest()
with zipfile.ZipFile(zip_path) as z:
    inside = set(z.namelist())


def read(file):
    with open(os.path.join(folder, file), encoding="utf-8") as f:
        return json.load(f) if file.endswith(".json") else yaml.safe_load(f)


winget = [read(f"Drapeno.Drapeno{kind}.yaml") for kind in ("", ".installer", ".locale.en-US")]
installer = winget[1]["Installers"][0]
url = installer["InstallerUrl"]
program = winget[1]["NestedInstallerFiles"][0]["RelativeFilePath"].replace("\\", "/")
scoop = read("drapeno.json")
x64 = scoop["architecture"]["64bit"]
update = scoop["autoupdate"]["architecture"]["64bit"]
versions = [manifest["PackageVersion"] for manifest in winget]
checked = (re.search(scoop["checkver"]["regex"], name) or [None, None])[1]

cases = [
    ("winget's url", url.startswith(homepage + "/") and url.endswith(f"/v{version}/{name}"), url),
    ("winget's hash", installer["InstallerSha256"].lower() == sha256, installer["InstallerSha256"]),
    ("winget's program in the zip", program in inside, program),
    ("winget's versions", versions == [version] * 3, versions),
    ("Scoop's url", x64["url"] == url, x64["url"]),
    ("Scoop's hash", x64["hash"] == sha256, x64["hash"]),
    ("Scoop's program in the zip", f"{x64['extract_dir']}/{scoop['bin'][0][0]}" in inside,
     (x64["extract_dir"], scoop["bin"][0][0])),
    ("Scoop's version", scoop["version"] == version, scoop["version"]),
    ("Scoop's version check on the zip's name", checked == version, checked),
] + [  # Scoop's update: this release's names with $version in place of the version
    (f"Scoop's next {field} for this version",
     "$version" in update[field] and update[field].replace("$version", version) == x64[field], update[field])
    for field in ("url", "extract_dir")]

failed = [(what, got) for what, ok, got in cases if not ok]
for what, got in failed:
    print(f"{name} ({sha256}), version {version}: {what}: {got!r}", file=sys.stderr)
sys.exit(1 if failed else 0)
