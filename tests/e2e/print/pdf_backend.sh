#!/bin/sh
# CUPS backend of the print tests: each job becomes a PDF in the folder that
# the device URI names (farspan-pdf:/FOLDER), named TITLE-job_ID.pdf as
# cups-pdf would name it. It gets the job as PostScript, as cups-pdf does,
# and converts it the same way (Ghostscript's pdfwrite). The file appears
# under its final name only when it is complete.
#   farspan-pdf JOB USER TITLE COPIES OPTIONS [FILE]   (no arguments: describe the device)
PATH=/usr/bin:/bin
if [ $# -eq 0 ]; then
  echo 'file farspan-pdf "Unknown" "PDF files for the print tests"'
  exit 0
fi
[ $# -ge 5 ] || { echo "ERROR: usage: farspan-pdf JOB USER TITLE COPIES OPTIONS [FILE]" >&2; exit 1; }
folder=${DEVICE_URI#farspan-pdf:}
[ -d "$folder" ] || { echo "ERROR: no folder $folder" >&2; exit 1; }
title=$(printf '%s' "$3" | tr -c 'A-Za-z0-9._-' '_')
part="$folder/.job_$1.part"
gs -q -dNOPAUSE -dBATCH -dSAFER -sDEVICE=pdfwrite -sOutputFile="$part" "${6:--}" >&2 ||
  { echo "ERROR: Ghostscript failed on job $1" >&2; rm -f "$part"; exit 1; }
mv "$part" "$folder/${title:-untitled}-job_$1.pdf"
