#!/usr/bin/env bash
# Writes the expected bytes that the text tests compare against. The code-page parts come from
# iconv, so they are the published tables, not a copy of ours; the repair tables' own choices
# (symbols and box drawing turned into ASCII) are listed here one by one. Run once by hand when the
# data must change; the tests only read the files.
set -euo pipefail
cd "$(dirname "$0")"

# bytes HEX... : the raw bytes
bytes() { perl -e 'print map { chr hex } @ARGV' "$@"; }
# range FIRST LAST : every byte from FIRST to LAST (hex)
range() { perl -e 'print map { chr } hex($ARGV[0]) .. hex($ARGV[1])' "$1" "$2"; }

# The 66 Russian letters in the order the tests use: А..Я, а..я, Ё, ё.
letters='АБВГДЕЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯабвгдежзийклмнопрстуфхцчшщъыьэюяЁё'
for cp in CP866 CP1251 KOI8-R ISO-8859-5; do
  printf '%s' "$letters" | iconv -f UTF-8 -t "$cp" > "letters.$cp"
done
{ bytes FF FE; printf '%s' "$letters" | iconv -f UTF-8 -t UTF-16LE; } > letters.UTF-16
for cp in CP866 CP1251 ISO-8859-5; do # KOI8-R has no numero sign
  printf '№' | iconv -f UTF-8 -t "$cp" > "numero.$cp"
done

# What each byte 80..FF of the three tables beside Windows-1251 means, as UTF-16 with the mark.
for cp in CP866 KOI8-R ISO-8859-5; do
  { bytes FF FE; range 80 FF | iconv -f "$cp" -t UTF-16LE; } > "upper-half.$cp.UTF-16"
done

# KOI8-R read as Windows-1251, repaired: byte i of koi-repair.bin is the repair of byte 80 + i.
koi_repair() {
  local b
  for b in $(seq 128 255); do
    case $b in
      154) bytes DA ;;                                   # 9A: Ъ
      176) bytes 9C ;;                                   # B0: њ
      191) bytes B9 ;;                                   # BF: №
      156|158|163|179) bytes "$(printf %X "$b")" | iconv -f KOI8-R -t CP1251 ;;  # ° · ё Ё
      164|167|180|183) bytes "$(printf %X "$b")" | iconv -f KOI8-U -t CP1251 ;;  # є ї Є Ї
      *) if ((b >= 192)); then bytes "$(printf %X "$b")" | iconv -f KOI8-R -t CP1251
         else bytes "$(printf %X "$b")"; fi ;;           # everything else in 80..BF stays
    esac
  done
}
koi_repair > koi-repair.bin

# Code page 866 read as Windows-1251, repaired. Box drawing goes to ASCII by its shape.
dos_repair() {
  local b
  for b in $(seq 128 255); do
    local hex; hex=$(printf %X "$b")
    if ((b <= 0xAF || (b >= 0xE0 && b <= 0xF8) || b == 0xFA || b == 0xFC || b == 0xFD)); then
      bytes "$hex" | iconv -f CP866 -t CP1251
    else
      case $hex in
        B0|B1|B2) bytes 20 ;;                                    # shades: blank
        B3|B4|B5|B6|B9|BA|C6|C7|CC) bytes A6 ;;                  # vertical pieces: broken bar
        C1|C2|C4|CA|CB|CD|CF|D0|D1|D2) bytes 2D ;;               # horizontal pieces: "-"
        B7|B8|BB|BC|BD|BE|BF|C0|C3|C5|C8|C9|CE|D3|D4|D5|D6|D7|D8|D9|DA) bytes 2B ;;  # corners, crossings: "+"
        DB|DC|DD|DE|DF|FB|FE|FF) bytes 5F ;;                     # blocks, root, square, no-break space: "_"
        F9) bytes B7 ;;                                          # bullet operator: middle dot
        *) echo "unlisted byte $hex" >&2; exit 1 ;;
      esac
    fi
  done
}
dos_repair > dos-repair.bin
