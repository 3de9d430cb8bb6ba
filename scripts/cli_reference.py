#!/usr/bin/env python3
"""Writes rokuban-cli's manual page or its bash completion from the built
program's own help, so that neither can drift from the command line.

usage: cli_reference.py CLI man|bash OUT
"""
import os
import re
import subprocess
import sys
import tempfile

OPTION = re.compile(r"(?<![\w-])(--?[A-Za-z][\w-]*)")
PLACEHOLDER = re.compile(r"(?<![\w-])([A-Z][A-Z0-9:_-]*)(?![\w-])")


def run(cli, *args):
    return subprocess.run([cli, *args], check=True, capture_output=True, text=True).stdout


def blocks(text):
    """The help's 'Title:' blocks: {title: [indented lines]}."""
    found, title = {}, None
    for line in text.splitlines():
        if line and not line.startswith(" ") and line.endswith(":"):
            title = line[:-1]
            found[title] = []
        elif title and line.startswith("  "):
            found[title].append(line.strip())
        elif not line:
            title = None
    return found


def entries(lines):
    """'--ini FILE     the settings file' -> ('--ini FILE', 'the settings file')."""
    for line in lines:
        name, _, text = line.partition("  ")
        yield name, text.strip()


class Help:
    def __init__(self, cli):
        self.main = run(cli, "--help")
        self.version = run(cli, "--version").split()[-1]
        top = blocks(self.main)
        self.options = list(entries(top["Options before the verb"]))
        self.verbs = list(entries(top["Verbs"]))
        self.usage = self.main.splitlines()[0].removeprefix("usage: ")
        self.exit_codes = next(l for l in self.main.splitlines() if l.startswith("Exit codes:"))
        self.verb_help = {verb: run(cli, "help", verb) for verb, _ in self.verbs}
        # The setting keys, as "config" prints them for a settings file
        # that does not exist (nothing is written).
        with tempfile.TemporaryDirectory() as scratch:
            listed = run(cli, "--ini", os.path.join(scratch, "Rokuban.ini"), "config")
        self.setting_keys = [line.split("=", 1)[0] for line in listed.splitlines() if "=" in line]

    def verb_usage(self, verb):
        return self.verb_help[verb].splitlines()[0].removeprefix("usage: ")

    def verb_options(self, verb):
        return list(entries(blocks(self.verb_help[verb]).get("Options", [])))

    def verb_example(self, verb):
        return blocks(self.verb_help[verb]).get("Example", [])

    def verb_summary(self, verb):
        lines = self.verb_help[verb].splitlines()
        return lines[2] if len(lines) > 2 else ""


def roff_escaped(text):
    return text.replace("\\", "\\e").replace("-", "\\-")


def roff_text(text):
    """A line of text: a leading dot or quote would read as a request."""
    text = roff_escaped(text)
    return "\\&" + text if text[:1] in (".", "'") else text


def in_font(pattern, font, token):
    """The token escaped, the pattern's matches set in the font (B or I)."""
    pieces = pattern.split(token)  # the one group's matches at odd places
    return "".join("\\f%s%s\\fR" % (font, roff_escaped(p)) if i % 2 else roff_escaped(p)
                   for i, p in enumerate(pieces))


def roff_usage(text):
    """Options bold, placeholders italic."""
    parts = []
    for token in re.split(r"(\s+)", text):
        if OPTION.fullmatch(token.strip("[]|.,")):
            parts.append(in_font(OPTION, "B", token))
        elif not token.startswith("rokuban"):
            parts.append(in_font(PLACEHOLDER, "I", token))
        else:
            parts.append(roff_escaped(token))
    return "".join(parts)


def command_usage(text):
    return roff_usage(text).replace("rokuban\\-cli", "\\fBrokuban\\-cli\\fR", 1)


def man_page(help):
    out = [
        '.\\" -*- coding: UTF-8 -*-',
        '.\\" Made from "rokuban-cli --help" at build time by scripts/cli_reference.py.',
        '.TH ROKUBAN\\-CLI 1 "" "Rokuban %s" "User Commands"' % roff_text(help.version),
        ".nh",
        ".SH NAME",
        "rokuban\\-cli \\- keep a week of television programme guide, and serve it",
        ".SH SYNOPSIS",
        command_usage(help.usage),
        ".SH DESCRIPTION",
        "The Rokuban engine without a window: it crawls the guide into a cache of",
        "table files, shows and searches it, exports it as XMLTV or JSON, and",
        "serves it to browsers and to other machines.",
        ".SH OPTIONS",
    ]
    for name, text in help.options:
        out += [".TP", roff_usage(name), roff_text(text)]
    out.append(".SH VERBS")
    for verb, text in help.verbs:
        out += [".SS %s" % roff_text(verb), roff_text(help.verb_summary(verb) or text), ".PP",
                command_usage(help.verb_usage(verb))]
        values = dict(re.findall(r"(--[\w-]+) ([A-Z\"][^\s\]]*(?: [A-Z][^\s\]]*\")?)", help.verb_usage(verb)))
        for name, option_text in help.verb_options(verb):
            tag = name + (" " + values[name] if name in values else "")
            out += [".TP", roff_usage(tag), roff_text(option_text)]
        example = help.verb_example(verb)
        if example:
            out += [".PP", "Example:", ".RS", ".nf"] + [roff_text(l) for l in example] + [".fi", ".RE"]
    out += [
        ".SH GUIDE SOURCE",
        "Out of the box no guide source is set, and \\fBcrawl\\fR says so. A home server",
        "takes its guide from an XMLTV document: set \\fBxmltvsource\\fR to a file or an",
        "\\fBhttp://\\fR URL, for a tuner server such as Mirakurun",
        "\\fIhttp://HOST:40772/api/iptv/xmltv\\fR:",
        ".PP",
        ".RS",
        ".nf",
        "rokuban\\-cli config set xmltvsource http://192.168.1.10:40772/api/iptv/xmltv",
        ".fi",
        ".RE",
        ".PP",
        "Every \\fBcrawl\\fR then reads it again; \\fBimport\\-xmltv\\fR reads one once.",
        ".SH EXIT STATUS",
        roff_text(help.exit_codes.removeprefix("Exit codes: ")),
        ".SH FILES",
        ".TP",
        "\\fI$XDG_CONFIG_HOME/rokuban/Rokuban.ini\\fR",
        "the settings file when \\fB\\-\\-ini\\fR is not given (without the variable,",
        "\\fI~/.config/rokuban/Rokuban.ini\\fR).",
        ".TP",
        "\\fIRokuban\\fR",
        "the cache folder: the setting \\fBdirectory\\fR, a relative one taken from",
        "the settings file's folder.",
        ".SH SEE ALSO",
        "The user units \\fBrokuban\\-crawl.timer\\fR, \\fBrokuban\\-guide\\-server.service\\fR and",
        "\\fBrokuban\\-sync\\-server.service\\fR (\\fBsystemctl \\-\\-user enable \\-\\-now\\fR).",
    ]
    return "\n".join(out) + "\n"


def subcommands(usage, verb):
    """Plain lower-case words of a verb's usage that name a sub-command:
    'export xmltv|json', 'config [get KEY | set KEY VALUE]', 'watch add ... | list'."""
    rest = usage.split(" %s" % verb, 1)[1]
    words, depth, group_has_bar, after_bar, first_in_group = [], 0, [False], True, False
    tokens = re.findall(r"\[|\]|[^\s\[\]]+", rest)
    for i, token in enumerate(tokens):
        if token == "[":
            depth += 1
            closing = next((j for j in range(i + 1, len(tokens)) if tokens[j] == "]"), len(tokens))
            group_has_bar.append("|" in tokens[i + 1:closing])
            first_in_group = True
            continue
        if token == "]":
            depth -= 1
            group_has_bar.pop()
            continue
        plain = re.fullmatch(r"[a-z]+(\|[a-z]+)*", token)
        if plain and (depth == 0 or after_bar or (first_in_group and group_has_bar[-1])):
            words += token.split("|")
        after_bar = token == "|"
        first_in_group = False
    return words


def top_level_segments(rest):
    """'add [--a] X | list | check [--b | --c]' -> ['add [--a] X', 'list', 'check [--b | --c]']:
    the parts between the bars outside brackets."""
    segments, depth, current = [], 0, ""
    for char in rest:
        depth += {"[": 1, "]": -1}.get(char, 0)
        if char == "|" and depth == 0:
            segments.append(current.strip())
            current = ""
        else:
            current += char
    return segments + [current.strip()]


def subcommand_options(help, verb):
    """{sub-command: its options} for a verb whose usage parts its
    sub-commands by bars ('watch add ... | check ...'). An option's help
    says which it belongs to ('check, explain: ...'); one that says none
    belongs to the sub-commands whose part names it or takes
    '[query options]'."""
    segments = top_level_segments(help.verb_usage(verb).split(" %s" % verb, 1)[1])
    if len(segments) < 2:
        return {}
    found = {}
    for segment in segments:
        sub = segment.split()[0]
        owned = []
        for name, text in help.verb_options(verb):
            owners = re.match(r"([a-z]+(?:, [a-z]+)*): ", text)
            if owners:
                if sub in owners.group(1).split(", "):
                    owned.append(name.split()[0])
            elif name.split()[0] in segment or "options]" in segment:
                owned.append(name.split()[0])
        found[sub] = owned
    return found


def bash_completion(help):
    verbs = [verb for verb, _ in help.verbs]
    global_options = sorted({o for name, _ in help.options for o in re.findall(r"--?[\w-]+", name)})
    cases = []
    for verb in verbs:
        options = " ".join(name.split()[0] for name, _ in help.verb_options(verb))
        words = " ".join(subcommands(help.verb_usage(verb), verb))
        valued = " ".join(sorted(set(re.findall(r"(--[\w-]+) [A-Z\"]", help.verb_usage(verb)))))
        cases.append('    %s) options="%s" valued="%s" words="%s" ;;' % (verb, options, valued, words))
    sub_cases = ['    "%s %s") options="%s" ;;' % (verb, sub, " ".join(owned))
                 for verb in verbs for sub, owned in subcommand_options(help, verb).items()]
    file_options = sorted({m for line in [help.usage] + [help.verb_usage(v) for v in verbs]
                           for m in re.findall(r"(--[\w-]+) FILE", line)})
    return """# bash completion for rokuban-cli; made from "rokuban-cli --help" at build
# time by scripts/cli_reference.py.
_rokuban_cli() {
  local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD-1]}
  local verb= verb_at=0 i options valued words before=0
  for ((i = 1; i < COMP_CWORD; i++)); do
    case ${COMP_WORDS[i]} in
      --ini) i=$((i + 1)) ;;
      -*) ;;
      *) verb=${COMP_WORDS[i]} verb_at=$i; break ;;
    esac
  done
  case $prev in
    %(file_options)s) COMPREPLY=($(compgen -f -- "$cur")); return ;;
  esac
  if [ -z "$verb" ]; then
    COMPREPLY=($(compgen -W "%(global)s %(verbs)s" -- "$cur"))
    return
  fi
  case $verb in
    help) options="" valued="" words="%(verbs)s" ;;
%(cases)s
    *) options="" valued="" words="" ;;
  esac
  # The words between the verb and this one, option values left out: a
  # sub-command is offered only as the first.
  local sub=
  for ((i = verb_at + 1; i < COMP_CWORD; i++)); do
    case " $valued " in
      *" ${COMP_WORDS[i]} "*) i=$((i + 1)) ;;
      *) [[ ${COMP_WORDS[i]} == -* ]] || { before=$((before + 1)); [ -n "$sub" ] || sub=${COMP_WORDS[i]}; } ;;
    esac
  done
  # A sub-command takes its own options; a setting's name follows get and set.
  case "$verb $sub" in
%(sub_cases)s
    "config get"|"config set") [ "$before" -eq 1 ] && [[ $cur != -* ]] && { COMPREPLY=($(compgen -W "%(keys)s" -- "$cur")); return; } ;;
  esac
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options --help" -- "$cur"))
  elif [ "$before" -eq 0 ] && [ -n "$words" ]; then
    COMPREPLY=($(compgen -W "$words" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
}
complete -F _rokuban_cli rokuban-cli
""" % {"file_options": "|".join(file_options), "global": " ".join(global_options),
       "verbs": " ".join(verbs), "cases": "\n".join(cases), "sub_cases": "\n".join(sub_cases),
       "keys": " ".join(help.setting_keys)}


def main():
    if len(sys.argv) != 4 or sys.argv[2] not in ("man", "bash"):
        sys.exit(__doc__.strip().splitlines()[-1])
    cli, kind, out = sys.argv[1:]
    help = Help(cli)
    text = man_page(help) if kind == "man" else bash_completion(help)
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)


if __name__ == "__main__":
    main()
