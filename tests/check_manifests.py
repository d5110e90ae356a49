"""The winget and Scoop manifests beside a Windows zip install that zip: its
hash, its address under the project's page, its version, and the program
it holds under the command name drapeno.
Usage: check_manifests.py ZIP HOMEPAGE_URL VERSION (the manifests beside ZIP)"""
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
        text = f.read()
    return text, (json.loads(text) if file.endswith(".json") else yaml.safe_load(text))


# winget's file names: the identifier, then the kind of the two others.
identifier = "Drapeno.Drapeno"
winget = {"version": read(f"{identifier}.yaml"), "installer": read(f"{identifier}.installer.yaml")}
winget["defaultLocale"] = read(f"{identifier}.locale.{winget['version'][1]['DefaultLocale']}.yaml")
manifest_version = winget["version"][1]["ManifestVersion"]
installer = winget["installer"][1]
x64 = installer["Installers"][0]
nested = installer["NestedInstallerFiles"][0]
url = x64.get("InstallerUrl", "")
locale = winget["defaultLocale"][1]
scoop = read("drapeno.json")[1]
program = nested.get("RelativeFilePath", "").replace("\\", "/")
scoop_x64 = scoop["architecture"]["64bit"]
scoop_program = f"{scoop_x64['extract_dir']}/{scoop['bin'][0][0]}"
next_x64 = scoop["autoupdate"]["architecture"]["64bit"]
checked = (re.search(scoop["checkver"]["regex"], name) or [None, None])[1]


def same(what, got, want):
    return what, got == want, f"{got!r}, not {want!r}"


cases = [
    (f"winget's url {url}", url.startswith(homepage + "/") and url.endswith(f"/v{version}/{name}"),
     f"not under {homepage}/, or not ending in /v{version}/{name}"),
    same("winget's hash", x64.get("InstallerSha256", "").lower(), sha256),
    same("winget's installers", [i.get("Architecture") for i in installer["Installers"]], ["x64"]),
    same("winget's installer types", (installer["InstallerType"], installer["NestedInstallerType"]),
         ("zip", "portable")),
    (f"winget's program {program}", program in inside, "not in the zip"),
    same("winget's command", nested.get("PortableCommandAlias"), "drapeno"),
    same("winget's page", locale["PackageUrl"], homepage),
    (f"winget's manifest version {manifest_version}",
     tuple(map(int, manifest_version.split("."))) >= (1, 10, 0), "older than 1.10.0"),
    same("Scoop's url", scoop_x64["url"], url),
    same("Scoop's hash", scoop_x64["hash"], sha256),
    (f"Scoop's program {scoop_program}", scoop_program in inside, "not in the zip"),
    same("Scoop's command", scoop["bin"][0][1:], ["drapeno"]),
    same("Scoop's page", scoop["homepage"], homepage),
    same("Scoop's version", scoop["version"], version),
    same("Scoop's version check, on the zip's name", checked, version),
]
# Scoop's update takes the next release's names from this one's with its
# $version in place of the version.
for field in "url", "extract_dir":
    cases.append(same(f"Scoop's next {field}, for this version",
                      (next_x64[field].replace("$version", version), "$version" in next_x64[field]),
                      (scoop_x64[field], True)))
# The three winget files agree on what they describe, and each names in its
# header the schema of its own type and version (winget compares the two).
for kind, (text, manifest) in winget.items():
    schema = f"$schema=https://aka.ms/winget-manifest.{kind}.{manifest_version}.schema.json"
    cases.append(same(f"winget's {kind} manifest: identifier, version, type, header",
                      (manifest["PackageIdentifier"], manifest["PackageVersion"], manifest["ManifestType"],
                       manifest["ManifestVersion"], schema.lower() in text.lower()),
                      (identifier, version, kind, manifest_version, True)))

failed = [(what, detail) for what, ok, detail in cases if not ok]
for what, detail in failed:
    print(f"{name}: {what}: {detail}", file=sys.stderr)
sys.exit(1 if failed else 0)
