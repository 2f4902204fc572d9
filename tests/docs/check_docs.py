#!/usr/bin/env python3
"""Checks what the docs show against the real tools.

- Every ```toml block of docs/*.md and README.md is built with corvelbuild
  and the result verified; a block without [product] is a fragment and is
  built on top of the smallest manifest.
- Every command of a ```sh block is run (corvelbuild) or checked: scripts and
  their options exist, test names given to -R match a test, programs run
  under Wine are built from a source of this tree, shell functions exist.
- Every key that a table of docs/manifest.md lists is one the builder reads.
"""
import argparse
import os
import re
import shlex
import subprocess
import sys
import tomllib
from pathlib import Path

BASE_MANIFEST = """[product]
name = "Hello Notes 1.0"

[variables]
InstallPath = "<ProgramFiles>\\\\Hello Notes"
UninstallerFileName = "uninstall.exe"

[[files]]
source = "files"
destination = "%InstallPath%"
"""

FENCE = re.compile(r"^```(\w*)\s*$")


def blocks(text):
    """(language, first line number, body) of every fenced block."""
    found, language, start, body = [], None, 0, []
    for number, line in enumerate(text.splitlines(), 1):
        match = FENCE.match(line.strip())
        if language is None and match:
            language, start, body = match.group(1), number + 1, []
        elif language is not None and line.strip() == "```":
            found.append((language, start, "\n".join(body) + "\n"))
            language = None
        elif language is not None:
            body.append(line)
    return found


class Checker:
    def __init__(self, arguments):
        self.root = Path(arguments.root).resolve()
        self.builder = str(Path(arguments.builder).resolve())
        self.stub = str(Path(arguments.stub).resolve())
        self.work = Path(arguments.work).resolve()
        self.passed = 0
        self.failures = []
        self.test_names = self.known_tests(arguments.host_tree)

    def known_tests(self, host_tree):
        names = []
        for folder, prefix in (("unit", "unit."), ("e2e", "e2e.")):
            names += [prefix + p.stem for p in (self.root / "tests" / folder).glob("*_test.cpp")]
        # Entries of the Windows tree beyond one per test program (the language walks).
        for tree in (Path(host_tree), Path(host_tree).parent / "win64"):
            if tree.is_dir():
                listing = subprocess.run(["ctest", "-N"], cwd=tree, capture_output=True, text=True).stdout
                names += re.findall(r"Test\s+#\d+: (\S+)", listing)
        return names

    def check(self, where, ok, message):
        if ok:
            self.passed += 1
        else:
            self.failures.append(f"{where}: {message}")

    def run(self, command, folder):
        return subprocess.run(command, cwd=folder, capture_output=True, text=True)

    # ---- manifests ------------------------------------------------------
    def build_manifest(self, where, text, folder):
        folder.mkdir(parents=True, exist_ok=True)
        if "[product]" not in text:
            text = BASE_MANIFEST + "\n" + text
        try:
            manifest = tomllib.loads(text)
        except tomllib.TOMLDecodeError as error:
            self.check(where, False, f"not TOML: {error}")
            return
        # The build machine's files the manifest names.
        for group in manifest.get("files", []):
            if "source" in group:
                source = folder / group["source"]
                source.mkdir(parents=True, exist_ok=True)
                (source / "notes.txt").write_text("Notes.\n")
            for name in group.get("list", []):
                (folder / name).parent.mkdir(parents=True, exist_ok=True)
                (folder / name).write_text("A listed file.\n")
        for key in ("licence", "license", "readme"):
            if key in manifest:
                (folder / manifest[key]).parent.mkdir(parents=True, exist_ok=True)
                (folder / manifest[key]).write_text(f"The {key} text.\n")
        (folder / "manifest.toml").write_text(text)
        out = folder / "setup.exe"
        built = self.run([self.builder, "build", "manifest.toml", "-o", str(out), "--stub", self.stub, "--quiet"], folder)
        self.check(where, built.returncode == 0, f"does not build:\n{built.stdout}{built.stderr}")
        if built.returncode == 0:
            verified = self.run([self.builder, "verify", str(out)], folder)
            self.check(where, verified.returncode == 0, f"builds an installer that does not verify: {verified.stdout}")

    # ---- commands -------------------------------------------------------
    def check_script(self, where, words):
        script = self.root / words[0]
        if not (script.is_file() and os.access(script, os.X_OK)):
            self.check(where, False, f"{words[0]} is not an executable script")
            return
        text = script.read_text()
        for position, word in enumerate(words[1:], 1):
            if word.startswith("--"):
                self.check(where, word in text, f"{words[0]} knows no option {word}")
            if word == "-R" and position + 1 < len(words):
                pattern = re.compile(words[position + 1])
                self.check(where, any(pattern.search(name) for name in self.test_names),
                           f"-R {words[position + 1]} matches no test")
        self.passed += 1

    def check_windows_program(self, where, words, workspace):
        program = words[0]
        if program == "reg":
            self.check(where, len(words) > 2 and words[1] in ("add", "delete", "query"), "unknown reg command")
            return
        match = re.match(r"build/win64/(tests/\w+)/(\w+)\.exe$", program)
        if match:
            source = self.root / match.group(1) / (match.group(2) + ".cpp")
            self.check(where, source.is_file(), f"{program} is built from no source ({source})")
            return
        # Anything else must be an installer an earlier command built.
        self.check(where, (workspace / program).is_file(), f"{program} was not built by an earlier command")

    def check_command(self, where, command, workspace):
        words = shlex.split(command, comments=True)
        if not words:
            return
        head = words[0]
        if head == "corvelbuild":
            arguments = words[1:]
            if arguments[:1] == ["build"] and "--stub" not in arguments:
                arguments += ["--stub", self.stub, "--quiet"]
            done = self.run([self.builder] + arguments, workspace)
            self.check(where, done.returncode == 0, f"`{command}` failed:\n{done.stdout}{done.stderr}")
        elif head.startswith("scripts/"):
            self.check_script(where, words)
        elif head in (".", "source"):
            self.check(where, (self.root / words[1]).is_file(), f"{words[1]} does not exist")
        elif head in ("start_wine_session", "stop_wine_session"):
            text = (self.root / "scripts" / "wine-env").read_text()
            self.check(where, f"{head}()" in text, f"scripts/wine-env defines no {head}")
        elif head in ("wine", "$WINELOADER"):
            self.check_windows_program(where, words[1:], workspace)
        else:
            self.check(where, False, f"`{command}`: a command this check does not know")

    def check_commands(self, where, body, workspace):
        for offset, line in enumerate(body.splitlines()):
            for command in line.split("&&"):
                self.check_command(f"{where}+{offset}", command.strip(), workspace)

    # ---- the manifest reference against the builder ---------------------
    def check_reference_keys(self):
        reference = self.root / "docs" / "manifest.md"
        sources = "".join(p.read_text() for p in (self.root / "builder").glob("*.cpp"))
        header = None
        for number, line in enumerate(reference.read_text().splitlines(), 1):
            if line.startswith("| Key |") or line.startswith("| Variable |"):
                header = line
                continue
            if not line.startswith("|"):
                header = None
                continue
            if header is None or not line.startswith("| `"):
                continue
            for key in re.findall(r"`([a-z][a-z0-9-]*)`", line.split("|")[1]):
                self.check(f"docs/manifest.md:{number}", f'"{key}"' in sources,
                           f"the builder reads no key `{key}`")

    def check_all(self):
        documents = sorted((self.root / "docs").glob("*.md")) + [self.root / "README.md"]
        for document in documents:
            name = document.relative_to(self.root)
            workspace = self.work / document.stem
            workspace.mkdir(parents=True, exist_ok=True)
            examples = workspace / "examples"
            if not examples.is_symlink():
                examples.symlink_to(self.root / "examples")
            for count, (language, line, body) in enumerate(blocks(document.read_text())):
                where = f"{name}:{line}"
                if language == "toml":
                    self.build_manifest(where, body, workspace / f"snippet-{count}")
                elif language == "sh":
                    self.check_commands(where, body, workspace)
        self.check_reference_keys()


def main():
    parser = argparse.ArgumentParser()
    for option in ("--root", "--builder", "--stub", "--work", "--host-tree"):
        parser.add_argument(option, required=True)
    checker = Checker(parser.parse_args())
    checker.check_all()
    for failure in checker.failures:
        print("FAILED", failure)
    print(f"{checker.passed} passed, {len(checker.failures)} failed")
    return 1 if checker.failures else 0


if __name__ == "__main__":
    sys.exit(main())
