#!/usr/bin/env bash
# Runs a LibreOffice test in the Chinese UI under a Chinese locale, as most of
# our users have it: the UI's font makes rows taller there, which once moved
# the frozen split a row down. Fails with the install hint when the locale or
# the UI package is missing (scripts/setup.sh installs both).
#   in_chinese_ui.sh COMMAND...
set -uo pipefail
if ! locale -a 2>/dev/null | grep -qix 'zh_CN\.utf-\?8'; then
  echo "the zh_CN.UTF-8 locale is not generated; scripts/setup.sh generates it" \
       "(or: echo 'zh_CN.UTF-8 UTF-8' >>/etc/locale.gen && locale-gen)" >&2
  exit 1
fi
if [[ ! -e /usr/lib/libreoffice/share/registry/Langpack-zh-CN.xcd ]]; then
  echo "LibreOffice's Chinese UI is not installed: apt-get install libreoffice-l10n-zh-cn (scripts/setup.sh does)" >&2
  exit 1
fi
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 LANGUAGE=zh_CN
exec "$@"
