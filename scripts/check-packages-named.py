"""Every external command the build, the artwork, the packaging and the tests
run, and every system file they read, must come from a Debian package that
scripts/install-deps.sh names, so that a machine with things installed by hand
can never hide a missing step of the install script.

The commands are read from the tree, not listed here: the first word of every
command in the shell scripts, the Makefile's recipes and here-documents; what
CMake runs (COMMAND, find_program, the compilers a toolchain file names); the
programs the C++ tests and tools start (the string literals of files that call
system, popen or posix_spawn). The files are the absolute /usr/share and /usr/lib
paths the tree names that exist on this machine.

A command is looked up in the PATH of a fresh Debian system; from there every
link of the chain (/usr/bin/c++ -> /etc/alternatives/c++ -> /usr/bin/g++ ...)
is given to dpkg -S. The command passes when an owner along the chain is
allowed: a package the script names, a package a named one depends on
directly (its first choice), or one that every Debian system has (essential,
or of priority required).

Usage: check-packages-named.py ROOT [INSTALL_SCRIPT]   (INSTALL_SCRIPT: default
ROOT/scripts/install-deps.sh; tests/scripts/packages_named.sh gives it a copy with one package left
out to see the check fail)."""
import os
import re
import shutil
import subprocess
import sys

SYSTEM_PATH = "/usr/sbin:/usr/bin:/sbin:/bin"
# The compilers CMake runs when a project names none.
CMAKE_DEFAULT_COMPILERS = ["cc", "c++"]
SKIPPED_FOLDERS = {".git", "build", "build-asan", "build-fuzz", "__pycache__"}


def named_packages(install_script):
    text = open(install_script, encoding="utf-8").read()
    block = re.search(r"^packages=\((.*?)^\)", text, re.S | re.M)
    if not block:
        sys.exit("check-packages-named: no packages=( ... ) list in " + install_script)
    words = re.sub(r"#[^\n]*", "", block.group(1)).split()
    return set(words)


def dpkg_query(fields, packages):
    if not packages:
        return []
    run = subprocess.run(["dpkg-query", "-W", "-f=" + fields] + sorted(packages),
                         capture_output=True, text=True)
    return run.stdout.splitlines()


def allowed_packages(named):
    allowed = set(named)
    for line in dpkg_query("${Depends}, ${Pre-Depends}\n", named):
        for choice in line.split(","):
            first = choice.split("|")[0].strip()
            name = re.split(r"[\s:(]", first, maxsplit=1)[0]
            if name:
                allowed.add(name)
    # What every Debian system has: the essential packages and those of priority required.
    everywhere = subprocess.run(["dpkg-query", "-W", "-f=${Package} ${Essential} ${Priority}\n"],
                                capture_output=True, text=True).stdout
    for line in everywhere.splitlines():
        parts = line.split()
        if len(parts) == 3 and (parts[1] == "yes" or parts[2] == "required"):
            allowed.add(parts[0])
    return allowed


def tree_files(root):
    for folder, subfolders, files in os.walk(root):
        subfolders[:] = [s for s in subfolders if s not in SKIPPED_FOLDERS and not s.startswith("build")]
        for name in files:
            yield os.path.join(folder, name)


def without_comment(line):
    # A '#' that starts a word begins a comment (not ${#x}, $#, "a#b").
    out, quote = [], None
    for i, c in enumerate(line):
        if quote:
            if c == quote:
                quote = None
        elif c in "'\"":
            quote = c
        elif c == "#" and (i == 0 or line[i - 1] in " \t;|&(") and not line[i - 1:i] == "$":
            break
        out.append(c)
    return "".join(out)


# Where a new command starts inside a line of shell (outside quotes).
SEPARATOR = re.compile(r"\|\||&&|;;|[;|&(){}`]|\$\(")
# Words after which a new command starts.
OPENERS = {"then", "do", "else", "if", "elif", "while", "until", "time", "!"}
# Words that run the command after them: their own options and operands are skipped.
PREFIXES = {"exec": 0, "command": 0, "nice": 0, "nohup": 0, "sudo": 0, "$SUDO": 0, "env": 0,
            "timeout": 1, "setpriv": 0, "xvfb-run": 0, "unshare": 0, "stdbuf": 0}
# Options of those prefixes that take the next word as their value.
VALUED = {"-s", "-u", "-n", "--reuid", "--regid", "-e", "-k"}
WORD = re.compile(r"^[A-Za-z0-9_][A-Za-z0-9_.+-]*$")


def segments(line):
    """The line's commands: split at the separators outside quotes. A quoted
    string given to `-c` (bash -c '...') is a script: it is read as one."""
    parts, current, quote = [], [], None
    i = 0
    while i < len(line):
        c = line[i]
        if quote:
            if c == quote:
                quote = None
            current.append(c)
            i += 1
            continue
        if c in "'\"":
            if re.search(r"(^|\s)-c\s*$", "".join(current)):
                i += 1
                continue
            quote = c
            current.append(c)
            i += 1
            continue
        m = SEPARATOR.match(line, i)
        if m:
            parts.append("".join(current))
            current = []
            i = m.end()
            continue
        current.append(c)
        i += 1
    parts.append("".join(current))
    return parts


def first_command(words):
    i = 0
    while i < len(words):
        w = words[i]
        if w in OPENERS:
            i += 1
        elif re.match(r"^[A-Za-z_][A-Za-z0-9_]*=", w):
            # CC=clang cmake ...: the compiler named is run too.
            name, value = w.split("=", 1)
            value = value.strip("'\"")
            if name in ("CC", "CXX") and WORD.match(value):
                return [value] + first_command(words[i + 1:])
            i += 1
        elif w in PREFIXES:
            # The prefix is a command too.
            operands = PREFIXES[w]
            i += 1
            while i < len(words) and (words[i].startswith("-") or re.match(r"^[A-Za-z_]\w*=", words[i])):
                i += 2 if words[i] in VALUED else 1
            i += operands
            return ([w] if WORD.match(w) else []) + first_command(words[i:])
        else:
            return [w] if WORD.match(w) else []
    return []


def shell_commands(text):
    found = set()
    lines = iter(text.replace("\\\n", " ").splitlines())
    for line in lines:
        # Python given to python3 on its standard input is not shell.
        here = re.search(r"python3\b.*<<-?\s*'?(\w+)'?", line)
        if here:
            for body in lines:
                if body.strip() == here.group(1):
                    break
        line = without_comment(line)
        for segment in segments(line):
            found.update(first_command(segment.split()))
    return found


def cmake_commands(text):
    variables = dict(re.findall(r"set\(\s*([A-Za-z_]\w*)\s+([^\s()$]+)\s*\)", text))

    def expand(word):
        return re.sub(r"\$\{(\w+)\}", lambda m: variables.get(m.group(1), m.group(0)), word)

    found = set()
    for word in re.findall(r"\bCOMMAND\s+(\S+)", text):
        found.add(expand(word))
    for word in re.findall(r"find_program\(\s*\w+\s+(?:NAMES\s+)?([^\s)]+)", text):
        found.add(expand(word))
    for word in re.findall(r"set\(\s*CMAKE_(?:C|CXX|RC)_COMPILER\s+([^\s)]+)", text):
        found.add(expand(word))
    return {w for w in found if WORD.match(w)}


def started_programs(text):
    # C and C++ that start programs: the first word of each string literal.
    if not re.search(r"\b(system|popen|posix_spawnp?)\s*\(", text):
        return set()
    return {m for m in re.findall(r'"([A-Za-z][A-Za-z0-9_.+-]*)[ "]', text)}


def commands_of_tree(root):
    """{command: the first file that runs it}, and the names the tree makes itself."""
    commands = {c: "CMake's default compilers" for c in CMAKE_DEFAULT_COMPILERS}
    own_names = set()
    functions = set()
    for path in tree_files(root):
        name = os.path.basename(path)
        own_names.add(name)
        try:
            text = open(path, encoding="utf-8").read()
        except (UnicodeDecodeError, OSError):
            continue
        found = set()
        if name.endswith(".sh") or name == "Makefile":
            if name == "Makefile":
                text = "\n".join(l[1:] for l in text.splitlines() if l.startswith("\t"))
            found = shell_commands(text)
            functions |= set(re.findall(r"^\s*([A-Za-z_][\w-]*)\s*\(\)", text, re.M))
        elif name == "CMakeLists.txt" or name.endswith(".cmake"):
            found = cmake_commands(text)
            own_names |= set(re.findall(r"add_(?:executable|custom_target)\(\s*([\w-]+)", text))
        elif name.endswith((".c", ".cpp")) and ("/tests/" in path or "/tools/" in path):
            found = started_programs(text)
        for c in found:
            commands.setdefault(c, os.path.relpath(path, root))
    for f in functions:
        commands.pop(f, None)
    return commands, own_names


def system_files(root):
    files = set()
    for path in tree_files(root):
        try:
            text = open(path, encoding="utf-8").read()
        except (UnicodeDecodeError, OSError):
            continue
        for f in re.findall(r"/usr/(?:share|lib)/[A-Za-z0-9_./+-]*[A-Za-z0-9_+-]", text):
            if os.path.exists(f) and not f.startswith(("/usr/share/quillmead", "/usr/share/doc/quillmead")):
                files.add(f)
    return files


def chain(path):
    """path and every link it leads through, each also under its other name on a
    merged /usr (dpkg may know a file under /bin or /usr/bin)."""
    names, seen = [], set()
    while path and path not in seen:
        seen.add(path)
        names.append(path)
        for a, b in (("/usr/bin/", "/bin/"), ("/usr/sbin/", "/sbin/"), ("/usr/lib/", "/lib/")):
            if path.startswith(a):
                names.append(b + path[len(a):])
            elif path.startswith(b):
                names.append(a + path[len(b):])
        if not os.path.islink(path):
            break
        path = os.path.normpath(os.path.join(os.path.dirname(path), os.readlink(path)))
    return names


def owners_of(paths):
    """{path: the packages owning it}, from one dpkg -S for all of them."""
    owners = {p: set() for p in paths}
    if not paths:
        return owners
    run = subprocess.run(["dpkg", "-S"] + sorted(paths), capture_output=True, text=True)
    for line in run.stdout.splitlines():
        if line.startswith("diversion") or ": " not in line:
            continue
        packages, path = line.split(": ", 1)
        if path in owners:
            owners[path] |= {p.strip().split(":")[0] for p in packages.split(",")}
    return owners


def main():
    root = os.path.abspath(sys.argv[1])
    script = sys.argv[2] if len(sys.argv) > 2 else os.path.join(root, "scripts", "install-deps.sh")
    named = named_packages(script)
    allowed = allowed_packages(named)
    commands, own = commands_of_tree(root)
    shell_words = set(subprocess.run(["bash", "-c", "compgen -b; compgen -k"], capture_output=True,
                                     text=True).stdout.split())
    problems = []
    # What to look up: {thing checked: (where the tree uses it, its chain of links)}.
    checks = {}
    for command, user in sorted(commands.items()):
        if command in shell_words or command in own:
            continue
        where = shutil.which(command, path=SYSTEM_PATH)
        if where:
            checks[command + " (" + where + ")"] = (user, chain(where))
        elif shutil.which(command):
            # Only outside the system's folders: installed by hand.
            problems.append(f"{command} ({shutil.which(command)}, run by {user}): no package provides it")
        # Anything else is no command at all (a word the scan took for one) or one the build makes.
    for f in sorted(system_files(root)):
        checks[f] = ("the tree", chain(f))
    owners = owners_of({p for _, names in checks.values() for p in names})
    for thing, (user, names) in checks.items():
        packages = set().union(*(owners[n] for n in names))
        if not packages & allowed:
            problems.append(f"{thing}, used by {user}: from {', '.join(sorted(packages)) or 'no package'}, "
                            f"which the install script does not name")
    for p in problems:
        print("check-packages-named: " + p, file=sys.stderr)
    print(f"check-packages-named: {len(checks)} commands and files checked, {len(problems)} not from a named package")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
