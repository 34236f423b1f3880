#!/usr/bin/env bash
# What Zentrin installs, checked as a desktop and a package manager see it.
#   install_test.sh metadata|destdir|package SOURCE_DIR BUILD_DIR
set -euo pipefail
check=$1
source_dir=$2
build_dir=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# The program as a timer or a terminal without a desktop starts it.
headless() {
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_DATA_HOME HOME="$work/home" "$@"
}

# Every file a desktop installation needs, under the prefix folder given.
expect_files() {
  local root=$1
  local files=(
    bin/zentrin
    share/applications/com.vozaz.zentrin.desktop
    share/metainfo/com.vozaz.zentrin.metainfo.xml
    share/icons/hicolor/48x48/apps/com.vozaz.zentrin.png
    share/icons/hicolor/128x128/apps/com.vozaz.zentrin.png
    share/icons/hicolor/256x256/apps/com.vozaz.zentrin.png
    share/icons/hicolor/scalable/apps/com.vozaz.zentrin.svg
    share/man/man1/zentrin.1
    share/zentrin/zentrin-update.service
    share/zentrin/zentrin-update.timer
  )
  for f in "${files[@]}"; do
    [ -s "$root/$f" ] || fail "$root/$f is missing or empty"
  done
  [ -x "$root/bin/zentrin" ] || fail "$root/bin/zentrin is not executable"
  for size in 48 128 256; do
    file "$root/share/icons/hicolor/${size}x${size}/apps/com.vozaz.zentrin.png" |
      grep -q "PNG image data, $size x $size" || fail "the ${size}px icon is not ${size}x${size}"
  done
}

# An installed program runs with no display and keeps its data among the user's.
expect_runs() {
  local root=$1 prefix=$2
  local version
  version=$(headless "$root$prefix/bin/zentrin" --version) || fail "--version failed"
  [[ $version =~ ^Zentrin\ 2\.0( \(.+\))?$ ]] || fail "--version printed '$version'"
  local help
  help=$(headless "$root$prefix/bin/zentrin" --help) || fail "--help failed"
  grep -q -- "--update" <<<"$help" || fail "--help does not list --update"
  grep -qF "Data folder: $work/home/.local/share/Zentrin (your application data)" <<<"$help" ||
    fail "--help names another data folder: $(grep 'Data folder' <<<"$help")"
  [ ! -e "$work/home/.local/share/Zentrin" ] || fail "--help made the data folder"
  grep -qx "ExecStart=$prefix/bin/zentrin --update" "$root$prefix/share/zentrin/zentrin-update.service" ||
    fail "the service does not start $prefix/bin/zentrin --update"
  grep -qx "OnCalendar=\*-\*-\* 07:30:00" "$root$prefix/share/zentrin/zentrin-update.timer" ||
    fail "the timer does not run at 07:30"
}

case $check in
  metadata)
    desktop-file-validate "$source_dir/data/com.vozaz.zentrin.desktop"
    appstreamcli validate --no-net --pedantic "$source_dir/data/com.vozaz.zentrin.metainfo.xml"
    man --warnings -l "$source_dir/data/zentrin.1" >/dev/null 2>"$work/man.log" || true
    [ ! -s "$work/man.log" ] || fail "the man page: $(cat "$work/man.log")"
    # The calendar expression systemd reads, where systemd is there to read it.
    if command -v systemd-analyze >/dev/null; then
      systemd-analyze calendar "$(sed -n 's/^OnCalendar=//p' "$source_dir/data/zentrin-update.timer")" \
        >/dev/null || fail "the timer's OnCalendar"
    fi
    ;;
  destdir)
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build_dir/CMakeCache.txt")
    DESTDIR="$work/root" cmake --install "$build_dir" >"$work/install.log" ||
      fail "cmake --install: $(cat "$work/install.log")"
    expect_files "$work/root$prefix"
    expect_runs "$work/root" "$prefix"
    # Nothing else: no libraries, headers or test programs.
    unexpected=$(cd "$work/root$prefix" && find . -type f | grep -v -e '^./share/' -e '^./bin/zentrin$' || true)
    [ -z "$unexpected" ] || fail "installed besides the program: $unexpected"
    ;;
  package)
    cpack --config "$build_dir/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 ||
      fail "cpack: $(cat "$work/cpack.log")"
    deb=$(ls "$work"/package/zentrin_2.0_*.deb)
    info=$(dpkg-deb --info "$deb")
    grep -q "Package: zentrin" <<<"$info" || fail "no package name: $info"
    grep -q "Version: 2.0" <<<"$info" || fail "no version: $info"
    # shlibdeps found the libraries the program links.
    grep -E "Depends:.*libqt6widgets6" <<<"$info" >/dev/null || fail "no Qt dependency: $info"
    prefix=$(sed -n 's/^CMAKE_INSTALL_PREFIX:PATH=//p' "$build_dir/CMakeCache.txt")
    contents=$(dpkg-deb --contents "$deb")
    for f in bin/zentrin share/applications/com.vozaz.zentrin.desktop \
      share/metainfo/com.vozaz.zentrin.metainfo.xml share/man/man1/zentrin.1 \
      share/zentrin/zentrin-update.timer share/icons/hicolor/256x256/apps/com.vozaz.zentrin.png; do
      grep -q " \.$prefix/$f\$" <<<"$contents" || fail "the package lacks $prefix/$f"
    done
    dpkg-deb -x "$deb" "$work/unpacked"
    expect_files "$work/unpacked$prefix"
    expect_runs "$work/unpacked" "$prefix"
    ;;
  *)
    fail "no check named $check"
    ;;
esac
echo "install/$check: passed"
