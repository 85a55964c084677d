#!/usr/bin/env bash
# Checks the files that make Tessarin a desktop citizen with the desktop's own validators:
#   check_desktop_files.sh SOURCE_DIR METAINFO_FILE entry|metainfo|manual|completion
set -euo pipefail
source_dir=$1
metainfo=$2
resources=$source_dir/resources
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

case $3 in
  entry)
    # The desktop entry opens .tsf files: its MIME type is the one the MIME package defines
    # for *.tsf, and the shared MIME database accepts that package.
    desktop-file-validate "$resources/tessarin.desktop"
    grep -qx 'Exec=tessarin %f' "$resources/tessarin.desktop" || fail "Exec does not take a file"
    type=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$resources/tessarin.desktop")
    [ -n "$type" ] || fail "no MimeType"
    mkdir -p "$scratch/mime/packages"
    cp "$resources/mime/tessarin.xml" "$scratch/mime/packages/"
    XDG_DATA_HOME=$scratch update-mime-database "$scratch/mime"
    grep -q ":$type:\*\.tsf$" "$scratch/mime/globs2" || fail "$type is not *.tsf"
    grep -q "^$type text/plain$" "$scratch/mime/subclasses" || fail "$type is no text file"
    # A menu in any other language shows the untranslated texts: English, with Japanese for [ja].
    for key in GenericName Comment Keywords; do
      plain=$(sed -n "s/^$key=//p" "$resources/tessarin.desktop")
      japanese=$(sed -n "s/^$key\[ja\]=//p" "$resources/tessarin.desktop")
      [ -n "$plain" ] && ! LC_ALL=C grep -q '[^ -~]' <<<"$plain" || fail "$key is not English: $plain"
      LC_ALL=C.UTF-8 grep -qP '\p{Han}|\p{Katakana}' <<<"$japanese" || fail "$key[ja] is not Japanese"
    done
    ;;
  metainfo)
    appstreamcli validate --no-net "$metainfo"
    grep -q '<launchable type="desktop-id">tessarin.desktop</launchable>' "$metainfo" \
      || fail "metainfo does not launch the desktop entry"
    # Every paragraph of the description has its Japanese translation.
    english=$(grep -c '^ *<p>' "$metainfo")
    japanese=$(grep -c '^ *<p xml:lang="ja">' "$metainfo")
    [ "$english" -eq "$japanese" ] || fail "$japanese of $english paragraphs translated"
    ;;
  manual)
    # Any output of groff is a warning about the page.
    for page in "$resources/man/tessarin.1" "$resources/man/ja/tessarin.1"; do
      out=$(groff -Kutf8 -Tutf8 -man -ww -z "$page" 2>&1)
      [ -z "$out" ] || fail "$page: $out"
    done
    out=$(groff -man -ww -z "$resources/man/tessarin.1" 2>&1)
    [ -z "$out" ] || fail "$out"
    # Set on one long line per paragraph, the Japanese page shows every space its source makes:
    # none may stand between Japanese characters or beside Japanese punctuation, and a bracket
    # closes with the width it opened with.
    text=$(groff -Kutf8 -Tutf8 -man -rLL=1000n "$resources/man/ja/tessarin.1" \
      | LC_ALL=C.UTF-8 sed 's/\x1b\[[0-9;]*m//g; s/.\x08//g')
    ja='[\p{Han}\p{Hiragana}\p{Katakana}ー、。（）「」]'
    stray=$(LC_ALL=C.UTF-8 grep -P "$ja $ja|[、。（「] | [、。）」]" <<<"$text" || true)
    [ -z "$stray" ] || fail "stray spaces in the Japanese page: $stray"
    mixed=$(LC_ALL=C.UTF-8 grep -P '\([^()（）]*）|（[^()（）]*\)' <<<"$text" || true)
    [ -z "$mixed" ] || fail "half-width and full-width brackets paired: $mixed"
    ;;
  completion)
    touch "$scratch/a.tsf" "$scratch/b.clc" "$scratch/c.txt"
    complete_line() {
      (cd "$scratch" && bash -c 'source /usr/share/bash-completion/bash_completion
        source "$0"
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tessarin
        printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "' \
        "$resources/completion/tessarin" "$@")
    }
    check() {
      local want=$1
      shift
      local got
      got=$(complete_line "$@")
      [ "$got" = "$want" ] || fail "tessarin $* completes to '$got', not '$want'"
    }
    check "--help --hex --hsize " tessarin --h
    check "a.tsf " tessarin --sheet ""
    check "b.clc " tessarin --constants ""
    check "0 3 4 " tessarin --comma ""
    check "a.tsf " tessarin ""
    ;;
  *)
    fail "unknown check $3"
    ;;
esac
echo "ok: $3"
