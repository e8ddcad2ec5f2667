#!/usr/bin/env bash
# The core's folders depend downwards only. Each folder may include its own headers and
# those of the folders before it in this order, never one after it:
#   common      byte order, bounds-checked readers, text and path rules (standard library)
#   platform    files, folders, volumes, code pages, processes, large buffers
#   ui          the seams through which commands reach a window system
#   scan        the GOP table every subsystem shares, and the VOB scanner
#   dvd         the IFO readers
#   preview     the MPEG-2 decoder of the preview picture
#   state       the state record and the settings it holds
#   mute play project   the subsystems that work on an opened title
#   timing      title time: the presentation-time map, spans from EDL and subtitle files
#   words       placing listed words in their cues' sound (speech behind seams)
#   timed       muting by title time: a request read into a plan, a plan written
#   app         the application: start-up, settings store, dialogs' models, commands
# Prints every include that goes upwards and fails when there is one.
#   tests/core_include_direction.sh SRC_CORE_DIR
set -euo pipefail
core=${1:?usage: core_include_direction.sh SRC_CORE_DIR}
order=(common platform ui scan dvd preview state mute play project timing words timed app)

rank() {
  local i
  for i in "${!order[@]}"; do [[ ${order[$i]} == "$1" ]] && { echo "$i"; return; }; done
  echo -1
}

bad=0
while IFS= read -r hit; do
  file=${hit%%:*}
  folder=${file#"$core"/}
  folder=${folder%%/*}
  target=$(sed -E 's/.*#[[:space:]]*include[[:space:]]*"([^/"]+)\/.*/\1/' <<<"${hit#*:}")
  from=$(rank "$folder")
  to=$(rank "$target")
  if [[ $from -lt 0 ]]; then
    echo "core folder '$folder' is not in the include order: ${hit}"
    bad=1
  elif [[ $to -lt 0 || $to -gt $from ]]; then
    echo "upward include from $folder to $target: ${hit}"
    bad=1
  fi
done < <(grep -rnE '#[[:space:]]*include[[:space:]]*"[^/"]+/' "$core" --include='*.h' --include='*.cpp')
[[ $bad -eq 0 ]] && echo "core includes go downwards only"
exit "$bad"
