#!/bin/sh
# Registers the editor with the desktop for the current user: the menu entry, the ".xiu"
# file type and its icons, all under ~/.local/share (or $XDG_DATA_HOME). Nothing is
# registered unless this script is run.
#
#   scripts/install-desktop.sh [PATH/TO/brenmark]   install (default: build/brenmark)
#   scripts/install-desktop.sh --uninstall          remove what install put there
set -eu

here=$(cd "$(dirname "$0")/.." && pwd)
data=${XDG_DATA_HOME:-$HOME/.local/share}
mime_type=application/x-brenmark-pattern
desktop_file=brenmark.desktop

apps=$data/applications
mime_packages=$data/mime/packages
icons=$data/icons/hicolor/scalable

refresh() {
    if command -v update-mime-database >/dev/null 2>&1; then
        update-mime-database "$data/mime"
    else
        echo "install-desktop: update-mime-database not found; the file type is known after the next login" >&2
    fi
    if command -v update-desktop-database >/dev/null 2>&1; then
        update-desktop-database "$apps"
    fi
    if command -v gtk-update-icon-cache >/dev/null 2>&1; then
        gtk-update-icon-cache -q -t "$data/icons/hicolor" || true
    fi
}

if [ "${1:-}" = "--uninstall" ]; then
    rm -f "$apps/$desktop_file" "$mime_packages/brenmark-xiu.xml" \
          "$icons/apps/brenmark.svg" "$icons/mimetypes/application-x-brenmark-pattern.svg"
    list=${XDG_CONFIG_HOME:-$HOME/.config}/mimeapps.list
    if [ -f "$list" ]; then
        sed -i "\|^$mime_type=$desktop_file\$|d" "$list"
    fi
    if [ -d "$data/mime" ]; then
        refresh
    fi
    echo "install-desktop: removed"
    exit 0
fi

program=${1:-$here/build/brenmark}
if [ ! -x "$program" ]; then
    echo "install-desktop: no program at $program (build it first, or name it)" >&2
    exit 1
fi
program=$(cd "$(dirname "$program")" && pwd)/$(basename "$program")

mkdir -p "$apps" "$mime_packages" "$icons/apps" "$icons/mimetypes"
cp "$here/packaging/brenmark-xiu.xml" "$mime_packages/brenmark-xiu.xml"
cp "$here/packaging/brenmark.svg" "$icons/apps/brenmark.svg"
cp "$here/packaging/brenmark.svg" "$icons/mimetypes/application-x-brenmark-pattern.svg"

# The entry runs this very program; a path with blanks is quoted as the entry format asks.
case $program in
    *[[:space:]]*) exec_program="\"$program\"" ;;
    *) exec_program=$program ;;
esac
escaped=$(printf '%s\n' "$exec_program" | sed 's/[\\&|]/\\&/g')
sed "s|^Exec=brenmark |Exec=$escaped |" "$here/packaging/$desktop_file" > "$apps/$desktop_file"

refresh
if command -v xdg-mime >/dev/null 2>&1; then
    xdg-mime default "$desktop_file" "$mime_type"
else
    # What xdg-mime would write: this program opens the type by default.
    list=${XDG_CONFIG_HOME:-$HOME/.config}/mimeapps.list
    mkdir -p "$(dirname "$list")"
    touch "$list"
    if ! grep -q "^$mime_type=" "$list"; then
        if grep -q '^\[Default Applications\]' "$list"; then
            sed -i "/^\[Default Applications\]/a $mime_type=$desktop_file" "$list"
        else
            printf '[Default Applications]\n%s=%s\n' "$mime_type" "$desktop_file" >> "$list"
        fi
    fi
fi
echo "install-desktop: $program opens .xiu files"
