#!/usr/bin/env bash
# The program's folders are layers: each includes only folders below it. Fails,
# naming the file and the include, when one reaches sideways or up.
#   layers_test.sh SOURCE_DIR
set -u
. "$(dirname "$0")/check_support.sh"
check_begin layers
cd "$1"

# Layer of each folder, lowest first; folders of one layer do not include each other.
declare -A layer=([resources]=0 [common]=1 [calendar]=2 [lessons]=3 [study_log]=4 [view]=5
                  [calendar_dialog]=6 [output]=6 [shell]=7 [tools]=7)

for folder in "${!layer[@]}"; do
  for file in "$folder"/*.h "$folder"/*.cpp; do
    [ -e "$file" ] || continue
    while IFS= read -r target; do
      [ "$target" = "$folder" ] && continue
      below=${layer[$target]:-}
      [ -z "$below" ] && continue  # generated headers, not a folder of ours
      [ "$below" -lt "${layer[$folder]}" ] || fail "$file includes $target/, which is not below $folder/"
    done < <(sed -n 's|^#include "\([a-z_]*\)/.*|\1|p' "$file")
  done
done
check_end "layers: every folder includes only folders below it"
