# Sourced by the test script: holds the processes it starts from now on to a share of one
# processor, as a busy machine would. With root and a processor quota of the kernel's control
# groups (cgroup v2 cpu.max, or v1 cpu.cfs_quota_us) the shell moves into a group of its own with
# that quota, and everything it starts after inherits it. Otherwise it says so and starts busy
# loops beside the tests instead, twice as many as the machine has processors.

CPU_SHARE_GROUP=""
CPU_SHARE_PARENT=""
CPU_SHARE_LOOPS=()

# $1: the share, in percent of one processor (1 to 100).
hold_to_cpu_share() {
  local share="$1"
  if ! [[ "$share" =~ ^[0-9]+$ ]] || [ "$share" -lt 1 ] || [ "$share" -gt 100 ]; then
    echo "test.sh: --cpu takes a whole percentage of one processor, 1 to 100, not '$share'" >&2
    exit 2
  fi
  local quota=$((share * 1000)) period=100000 group
  if [ "$(id -u)" = 0 ]; then
    # cgroup v2: the processor controller has to be handed down to the groups below the root.
    if [ -f /sys/fs/cgroup/cgroup.controllers ] && grep -qw cpu /sys/fs/cgroup/cgroup.controllers; then
      echo +cpu >/sys/fs/cgroup/cgroup.subtree_control 2>/dev/null || true
      group=/sys/fs/cgroup/qvr-tests-$$
      if mkdir "$group" 2>/dev/null; then
        if echo "$quota $period" >"$group/cpu.max" 2>/dev/null &&
           echo $$ >"$group/cgroup.procs" 2>/dev/null; then
          CPU_SHARE_GROUP="$group"; CPU_SHARE_PARENT=/sys/fs/cgroup
          echo "test.sh: the tests are held to ${share}% of a processor (cgroup v2 cpu.max)" >&2
          return
        fi
        rmdir "$group" 2>/dev/null || true
      fi
    fi
    # cgroup v1: the processor controller's own hierarchy.
    local root
    for root in /sys/fs/cgroup/cpu /sys/fs/cgroup/cpu,cpuacct; do
      [ -f "$root/cpu.cfs_quota_us" ] || continue
      group="$root/qvr-tests-$$"
      mkdir "$group" 2>/dev/null || continue
      if echo "$period" >"$group/cpu.cfs_period_us" 2>/dev/null &&
         echo "$quota" >"$group/cpu.cfs_quota_us" 2>/dev/null &&
         echo $$ >"$group/cgroup.procs" 2>/dev/null; then
        CPU_SHARE_GROUP="$group"; CPU_SHARE_PARENT="$root"
        echo "test.sh: the tests are held to ${share}% of a processor (cgroup v1 cpu.cfs_quota_us)" >&2
        return
      fi
      rmdir "$group" 2>/dev/null || true
    done
  fi
  local loops=$(($(nproc) * 2)) i
  echo "test.sh: cannot hold the tests to ${share}% of a processor here (that needs root and a" \
       "processor quota of cgroup v2 or v1); running $loops busy loops beside them instead" >&2
  for ((i = 0; i < loops; i++)); do
    (while :; do :; done) &
    CPU_SHARE_LOOPS+=($!)
  done
}

# Undone at the end: the busy loops stop, and the group goes once the shell left it.
release_cpu_share() {
  local pid
  for pid in "${CPU_SHARE_LOOPS[@]}"; do kill "$pid" 2>/dev/null || true; done
  CPU_SHARE_LOOPS=()
  if [ -n "$CPU_SHARE_GROUP" ]; then
    echo $$ >"$CPU_SHARE_PARENT/cgroup.procs" 2>/dev/null || true
    rmdir "$CPU_SHARE_GROUP" 2>/dev/null || true
    CPU_SHARE_GROUP=""
  fi
}
