#!/usr/bin/env bash
# The kernel bench: boots Debian's own kernel under QEMU (plain TCG, no KVM)
# with a small initramfs, makes the simulated mouse a USB device there
# (dummy_hcd + gadgetfs), and runs orbic40-cli against it through usbhid,
# hidraw and hidapi. Safe to run again: downloads and builds are kept in
# build/kernel-bench. Exits non-zero when any scenario fails.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
work="$root/build/kernel-bench"
build="$root/build/default"
mkdir -p "$work"

say() { echo "==> $*"; }

packages=(qemu-system-x86 busybox-static kmod cpio)
missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  say "Installing: ${missing[*]}"
  $sudo apt-get update -q
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

say "Building orbic40-cli and the emulated mouse"
if [ ! -f "$build/CMakeCache.txt" ]; then
  cmake --preset default >/dev/null
fi
cmake --build "$build" --target orbic40-cli orbic40-gadget-mouse -j"$(nproc)" >/dev/null

# Debian's kernel, the one linux-image-amd64 points at.
kernelPackage=$(apt-cache depends linux-image-amd64 2>/dev/null |
  awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
if [ -z "$kernelPackage" ]; then
  apt-get update -q >/dev/null
  kernelPackage=$(apt-cache depends linux-image-amd64 | awk '/Depends: linux-image-[0-9]/ {print $2; exit}')
fi
release=${kernelPackage#linux-image-}
kernelRoot="$work/kernel-$release"
if [ ! -f "$kernelRoot/boot/vmlinuz-$release" ]; then
  say "Fetching $kernelPackage"
  (cd "$work" && rm -f linux-image-*.deb && apt-get download "$kernelPackage" >/dev/null)
  rm -rf "$kernelRoot"
  dpkg -x "$work"/"$kernelPackage"_*.deb "$kernelRoot"
  /sbin/depmod -b "$kernelRoot" "$release"
fi
modules="$kernelRoot/lib/modules/$release/kernel"

say "Making the initramfs"
initramfs="$work/initramfs"
rm -rf "$initramfs"
mkdir -p "$initramfs"/{bin,sbin,etc,proc,sys,dev,tmp,modules,bench,lib64,lib/x86_64-linux-gnu}
cp /bin/busybox "$initramfs/bin/busybox"
for applet in $("$initramfs/bin/busybox" --list); do
  [ "$applet" = busybox ] || ln -sf busybox "$initramfs/bin/$applet"
done
for module in drivers/usb/common/usb-common drivers/usb/core/usbcore \
  drivers/usb/gadget/udc/udc-core drivers/usb/gadget/udc/dummy_hcd \
  drivers/usb/gadget/legacy/gadgetfs drivers/hid/hid drivers/hid/usbhid/usbhid \
  drivers/hid/hid-generic drivers/hid/uhid; do
  source="$modules/$module.ko"
  [ -f "$source" ] || source="$modules/$module.ko.xz"
  case "$source" in
    *.xz) xz -dc "$source" >"$initramfs/modules/$(basename "$module").ko" ;;
    *) cp "$source" "$initramfs/modules/" ;;
  esac
done
binaries=("$build/src/cli/orbic40-cli" "$build/tools/gadget-mouse/orbic40-gadget-mouse")
cp "${binaries[@]}" "$initramfs/bin/"
for library in $(ldd "${binaries[@]}" | awk '/=>/ {print $3} /ld-linux/ {print $1}' | sort -u); do
  case "$library" in
    /lib64/*) cp -L "$library" "$initramfs/lib64/" ;;
    /*) cp -L "$library" "$initramfs/lib/x86_64-linux-gnu/" ;;
  esac
done
cp "$root/tests/kernel/init" "$initramfs/init"
cp "$root/tests/kernel/scenarios.sh" "$initramfs/bench/"
cp "$root"/resources/ORBIC5xData_Cfg{1,2}.bin "$initramfs/bench/"
chmod +x "$initramfs/init"
# BENCH_SCENARIOS="read apply" runs only those.
if [ -n "${BENCH_SCENARIOS:-}" ]; then
  echo "$BENCH_SCENARIOS" >"$initramfs/bench/only"
fi
# An ordinary user for the permission scenario.
printf 'root:x:0:0:root:/:/bin/sh\nbench:x:1000:1000:bench:/tmp:/bin/sh\n' >"$initramfs/etc/passwd"
printf 'root:x:0:\nbench:x:1000:\n' >"$initramfs/etc/group"
(cd "$initramfs" && find . | cpio -o -H newc --quiet | gzip -1) >"$work/initramfs.gz"

say "Booting $release under QEMU (TCG); the scenarios take a few minutes"
log="$work/console.log"
start=$(date +%s)
set +e
timeout 900 qemu-system-x86_64 -machine q35,accel=tcg -cpu max -smp 1 -m 1024 \
  -kernel "$kernelRoot/boot/vmlinuz-$release" -initrd "$work/initramfs.gz" \
  -append "console=ttyS0 quiet loglevel=3 panic=-1" \
  -nographic -no-reboot -serial stdio -monitor none -display none </dev/null >"$log" 2>&1
status=$?
set -e
tr -d '\r' <"$log" >"$log.txt"
grep -E '^(BENCH|RESULT|MEASURE)' "$log.txt" || true
say "The VM ran $(($(date +%s) - start)) s (QEMU status $status); console log: $log.txt"

passed=$(grep -c '^RESULT PASS' "$log.txt" || true)
failed=$(grep -c '^RESULT FAIL' "$log.txt" || true)
if ! grep -q '^BENCH-END' "$log.txt"; then
  echo "The bench did not finish (see $log.txt)."
  failed=$((failed + 1))
fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ] && [ "$passed" -gt 0 ]
