#!/bin/sh
# Scenarios on the real USB path: the emulated mouse on dummy_hcd, the kernel's
# usbhid and hidraw, hidapi and orbic40-cli. Each prints one RESULT line.
CLI=/bin/orbic40-cli
GADGET=/bin/orbic40-gadget-mouse
IMAGE1=/bench/ORBIC5xData_Cfg1.bin
IMAGE2=/bench/ORBIC5xData_Cfg2.bin
DUMP=/tmp/dump.bin
GPID=""
KPID=""

pass() { echo "RESULT PASS $1"; }
fail() { echo "RESULT FAIL $1: $2"; }

# Hundredths of a second since boot.
now() { cut -d' ' -f1 /proc/uptime | tr -d .; }
ms_since() { echo $((($(now) - $1) * 10)); }

# The mouse's hidraw nodes (its boot mouse and its command interface), one a line.
mouse_nodes() {
  for uevent in /sys/class/hidraw/hidraw*/device/uevent; do
    [ -e "$uevent" ] || continue
    if grep -q 'HID_ID=0003:00001BCF:0000' "$uevent"; then
      node=${uevent#/sys/class/hidraw/}
      echo "/dev/${node%%/*}"
    fi
  done
}

# Waits until both of the mouse's nodes exist (or, with "gone", until none does).
wait_node() {
  tries=0
  while [ $tries -lt 100 ]; do
    count=0
    for node in $(mouse_nodes); do
      [ -e "$node" ] && count=$((count + 1))
    done
    if [ "$1" = gone ]; then
      [ $count = 0 ] && return 0
    else
      [ $count = 2 ] && return 0
      # A mouse program that ended will not bring a node.
      [ -n "$GPID" ] && ! kill -0 "$GPID" 2>/dev/null && return 1
    fi
    sleep 0.1
    tries=$((tries + 1))
  done
  return 1
}

start_mouse() {
  rm -f "$DUMP"
  $GADGET --dump "$DUMP" "$@" 2>>/tmp/gadget.log &
  GPID=$!
  if ! wait_node present; then
    echo "BENCH: the mouse's node did not appear ($*)"
    dmesg | tail -15 | sed 's/^/BENCH:   kernel: /'
  fi
  sleep 0.3  # let usbhid finish binding the second interface
}

stop_mouse() {
  [ -n "$GPID" ] && kill "$GPID" 2>/dev/null && wait "$GPID" 2>/dev/null
  GPID=""
  wait_node gone
}

start_keyboard() {
  $GADGET --uhid-keyboard 2>>/tmp/gadget.log &
  KPID=$!
  sleep 0.5
}

stop_keyboard() {
  [ -n "$KPID" ] && kill "$KPID" 2>/dev/null && wait "$KPID" 2>/dev/null
  KPID=""
}

scenario_devices() {
  start_mouse
  out=$($CLI --json devices)
  stop_mouse
  if echo "$out" | grep -q '"mouse": true' && echo "$out" | grep -q '"version": 260' &&
     echo "$out" | grep -q '"featureLength": 8' && echo "$out" | grep -q '"vendorId": 7119'; then
    pass devices
  else
    fail devices "$out"
  fi
}

scenario_read() {
  start_mouse
  for run in 1 2 3; do
    rm -f /tmp/read.bin
    t0=$(now)
    $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
    rc=$?
    echo "MEASURE read_ms $(ms_since "$t0")"
    [ $rc = 0 ] || break
  done
  stop_mouse
  if [ $rc = 0 ] && cmp -s /tmp/read.bin "$IMAGE1"; then pass read; else fail read "rc=$rc $(cat /tmp/out.txt)"; fi
}

scenario_apply() {
  $CLI image set "$IMAGE1" /tmp/new.bin dpi.count=4 dpi.2.step=7 led.on=0 >/dev/null 2>&1
  start_mouse
  for run in 1 2 3; do
    t0=$(now)
    $CLI apply /tmp/new.bin >/tmp/out.txt 2>&1
    rc=$?
    echo "MEASURE apply_ms $(ms_since "$t0")"
    [ $rc = 0 ] || break
  done
  stop_mouse
  if [ $rc = 0 ] && cmp -s "$DUMP" /tmp/new.bin && ! cmp -s "$DUMP" "$IMAGE1"; then
    pass apply
  else
    fail apply "rc=$rc $(cat /tmp/out.txt)"
  fi
}

scenario_preset() {
  start_mouse
  $CLI preset 2 >/tmp/out.txt 2>&1
  rc=$?
  stop_mouse
  if [ $rc = 0 ] && cmp -s "$DUMP" "$IMAGE2"; then pass preset; else fail preset "rc=$rc $(cat /tmp/out.txt)"; fi
}

scenario_flaky_byte_repaired() {
  $CLI image set "$IMAGE1" /tmp/new.bin dpi.count=5 >/dev/null 2>&1
  start_mouse --flaky 0x30=2
  $CLI apply /tmp/new.bin >/tmp/out.txt 2>&1
  rc=$?
  stop_mouse
  if [ $rc = 0 ] && cmp -s "$DUMP" /tmp/new.bin; then pass flaky_byte_repaired; else fail flaky_byte_repaired "rc=$rc $(cat /tmp/out.txt)"; fi
}

scenario_stuck_byte_fails() {
  $CLI image set "$IMAGE1" /tmp/new.bin dpi.count=5 >/dev/null 2>&1
  start_mouse --stuck 0x30=5A
  $CLI apply /tmp/new.bin >/tmp/out.txt 2>&1
  rc=$?
  stop_mouse
  if [ $rc = 1 ] && grep -q '^Fail' /tmp/out.txt && grep -q 'still differ' /tmp/out.txt; then
    pass stuck_byte_fails
  else
    fail stuck_byte_fails "rc=$rc $(cat /tmp/out.txt)"
  fi
}

# Variants that are never opened: another release, or a command report of another length.
scenario_never_opened() {
  for variant in "--version 0105" "--feature-length 9"; do
    start_mouse $variant
    out=$($CLI --json devices)
    rm -f /tmp/read.bin
    $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
    rc=$?
    stop_mouse
    if echo "$out" | grep -q '"mouse": true' || [ $rc != 1 ] || [ -e /tmp/read.bin ] ||
       ! grep -q 'Please Connect the USB Device' /tmp/out.txt; then
      fail "never_opened ($variant)" "rc=$rc $out $(cat /tmp/out.txt)"
      return
    fi
  done
  pass never_opened
}

# The command collection shares its interface with a 65-byte feature report.
scenario_longer_report_beside() {
  start_mouse --extra-feature
  out=$($CLI --json devices)
  $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
  rc=$?
  stop_mouse
  if echo "$out" | grep -q '"mouse": true' && [ $rc = 0 ] && cmp -s /tmp/read.bin "$IMAGE1"; then
    pass longer_report_beside
  else
    fail longer_report_beside "rc=$rc $out $(cat /tmp/out.txt)"
  fi
}

scenario_lost_acknowledgements() {
  $CLI image set "$IMAGE1" /tmp/new.bin dpi.count=3 >/dev/null 2>&1
  start_mouse --lost-ack 3
  $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
  rc1=$?
  $CLI apply /tmp/new.bin >>/tmp/out.txt 2>&1
  rc2=$?
  stop_mouse
  if [ $rc1 = 0 ] && cmp -s /tmp/read.bin "$IMAGE1" && [ $rc2 = 0 ] && cmp -s "$DUMP" /tmp/new.bin; then
    pass lost_acknowledgements
  else
    fail lost_acknowledgements "rc=$rc1/$rc2 $(cat /tmp/out.txt)"
  fi
}

scenario_unplug_during_read() {
  start_mouse --unplug-after 300
  rm -f /tmp/read.bin
  t0=$(now)
  $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
  rc=$?
  elapsed=$(ms_since "$t0")
  stop_mouse
  echo "MEASURE read_unplug_to_error_ms $elapsed"
  if [ $rc = 1 ] && [ ! -e /tmp/read.bin ] && grep -q 'pulled out' /tmp/out.txt && [ "$elapsed" -lt 10000 ]; then
    pass unplug_during_read
  else
    fail unplug_during_read "rc=$rc ${elapsed}ms $(cat /tmp/out.txt)"
  fi
}

scenario_unplug_during_apply() {
  $CLI image set "$IMAGE1" /tmp/new.bin dpi.count=6 >/dev/null 2>&1
  # The connection read takes about 700 packets; this is in the write.
  start_mouse --unplug-after 1100
  t0=$(now)
  $CLI apply /tmp/new.bin >/tmp/out.txt 2>&1
  rc=$?
  elapsed=$(ms_since "$t0")
  stop_mouse
  echo "MEASURE apply_unplug_to_error_ms $elapsed"
  if [ $rc = 1 ] && grep -q 'Please Connect the USB Device' /tmp/out.txt && ! grep -q '^Fail' /tmp/out.txt; then
    pass unplug_during_apply
  else
    fail unplug_during_apply "rc=$rc ${elapsed}ms $(cat /tmp/out.txt)"
  fi
}

scenario_replug() {
  start_mouse --unplug-after 300 --replug-after-ms 1000
  $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
  rc1=$?
  wait_node gone
  wait_node present
  sleep 0.5
  rm -f /tmp/read.bin
  $CLI read /tmp/read.bin >>/tmp/out.txt 2>&1
  rc2=$?
  stop_mouse
  if [ $rc1 = 1 ] && [ $rc2 = 0 ] && cmp -s /tmp/read.bin "$IMAGE1"; then
    pass replug
  else
    fail replug "rc=$rc1/$rc2 $(cat /tmp/out.txt)"
  fi
}

scenario_unrelated_device() {
  start_keyboard
  out=$($CLI --json devices)
  $CLI read /tmp/read.bin >/tmp/out.txt 2>&1
  rc=$?
  stop_keyboard
  if echo "$out" | grep -q '"vendorId": 1133' && ! echo "$out" | grep -q '"mouse": true' &&
     [ $rc = 1 ] && grep -q 'Please Connect the USB Device' /tmp/out.txt; then
    pass unrelated_device
  else
    fail unrelated_device "rc=$rc $out $(cat /tmp/out.txt)"
  fi
}

# As an ordinary user: refused with the way to grant access, then allowed once
# the node has what the udev rule gives (group access for the user at the seat).
scenario_permission() {
  start_mouse
  for node in $(mouse_nodes); do
    chown root:root "$node"
    chmod 600 "$node"
  done
  su bench -s /bin/sh -c "$CLI read /tmp/user.bin" >/tmp/out1.txt 2>&1
  rc1=$?
  for node in $(mouse_nodes); do
    chgrp bench "$node"
    chmod 660 "$node"
  done
  su bench -s /bin/sh -c "$CLI read /tmp/user.bin" >/tmp/out2.txt 2>&1
  rc2=$?
  stop_mouse
  if [ $rc1 = 1 ] && grep -q 'cannot be opened' /tmp/out1.txt && grep -q 'udev-rule' /tmp/out1.txt &&
     [ $rc2 = 0 ] && cmp -s /tmp/user.bin "$IMAGE1"; then
    pass permission
  else
    fail permission "rc=$rc1/$rc2 $(cat /tmp/out1.txt /tmp/out2.txt)"
  fi
}

# From the emulated plug-in to a completed connection start, and the loss; with
# the udev monitor, and polling alone.
scenario_watch() {
  watch_once "" watch
  watch_once --poll-only watch_poll_only
}

watch_once() {
  name=$2
  $CLI --json watch $1 >/tmp/watch.log 2>&1 &
  WPID=$!
  sleep 1
  t0=$(now)
  start_mouse
  tries=0
  while ! grep -q '"event":"read"' /tmp/watch.log && [ $tries -lt 200 ]; do sleep 0.1; tries=$((tries + 1)); done
  plug=$(ms_since "$t0")
  t1=$(now)
  stop_mouse
  tries=0
  while ! grep -q '"event":"lost"' /tmp/watch.log && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
  lost=$(ms_since "$t1")
  kill "$WPID" 2>/dev/null
  wait "$WPID" 2>/dev/null
  echo "MEASURE ${name}_plug_to_read_ms $plug"
  echo "MEASURE ${name}_unplug_to_lost_ms $lost"
  sed "s/^/BENCH:   $name: /" /tmp/watch.log
  if grep -q '"event":"found"' /tmp/watch.log && grep -q '"event":"read"' /tmp/watch.log &&
     grep -q '"event":"lost"' /tmp/watch.log; then
    pass "$name"
  else
    fail "$name" "$(cat /tmp/watch.log)"
  fi
}

# The shipped udev rule, matched as udev matches ATTRS (the node's own device,
# then each parent): it takes the mouse's two hidraw nodes and no other node,
# with the unrelated keyboard plugged in beside it.
scenario_udev_rule() {
  start_mouse
  start_keyboard
  rule=$($CLI udev-rule | grep -v '^#')
  vendor=$(echo "$rule" | sed -n 's/.*ATTRS{idVendor}=="\([0-9a-f]*\)".*/\1/p')
  product=$(echo "$rule" | sed -n 's/.*ATTRS{idProduct}=="\([0-9a-f]*\)".*/\1/p')
  matched=""
  others=""
  for class in /sys/class/hidraw/hidraw*; do
    dir=$(readlink -f "$class/device")
    hit=""
    while [ -n "$dir" ] && [ "$dir" != "/" ] && [ "$dir" != "/sys" ]; do
      if [ -f "$dir/idVendor" ]; then
        [ "$(cat "$dir/idVendor")" = "$vendor" ] && [ "$(cat "$dir/idProduct")" = "$product" ] && hit=1
        break
      fi
      dir=$(dirname "$dir")
    done
    if [ -n "$hit" ]; then matched="$matched /dev/${class##*/}"; else others="$others /dev/${class##*/}"; fi
  done
  expected=$(mouse_nodes | sort | tr '\n' ' ')
  got=$(echo $matched | tr ' ' '\n' | sort | tr '\n' ' ')
  stop_keyboard
  stop_mouse
  if echo "$rule" | grep -q 'SUBSYSTEM=="hidraw"' && echo "$rule" | grep -q 'TAG+="uaccess"' &&
     [ -n "$vendor" ] && [ -n "$product" ] && [ -n "$others" ] && [ "$got" = "$expected" ] &&
     [ -n "$got" ]; then
    pass udev_rule
  else
    fail udev_rule "rule vendor=$vendor product=$product matched:$matched others:$others mouse:$expected"
  fi
}

for scenario in ${BENCH_SCENARIOS:-devices read apply preset flaky_byte_repaired stuck_byte_fails never_opened \
  longer_report_beside lost_acknowledgements unplug_during_read unplug_during_apply replug \
  unrelated_device permission udev_rule watch}; do
  echo "BENCH: scenario $scenario"
  "scenario_$scenario"
done
echo "BENCH: gadget log:"
sed 's/^/BENCH:   /' /tmp/gadget.log | tail -20
