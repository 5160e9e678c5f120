# What the scripts of this folder and .ci/run share. Sourced from the top of the checkout,
# not run.

readonly sched_programs=(priority_sched srtf_sched fcfs_sched fcfs_fixed sum_cases)

# The presets leave parallelism to the machine: builds and test runs use every core here
# unless the caller says otherwise.
export CMAKE_BUILD_PARALLEL_LEVEL=${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}
export CTEST_PARALLEL_LEVEL=${CTEST_PARALLEL_LEVEL:-$(nproc)}
sched_checkout=$PWD
readonly sched_checkout

fail() {
	echo "$(basename "$0"): $*" >&2
	exit 1
}

# apt_install PACKAGE...: installs Debian packages. A fresh machine may have no package
# lists yet, and another apt-get may be running: the lists are read first, and the lock
# waited for.
apt_install() {
	echo "== installing $*"
	local apt=(apt-get -q -y -o DPkg::Lock::Timeout=600)
	DEBIAN_FRONTEND=noninteractive "${apt[@]}" update >/dev/null
	DEBIAN_FRONTEND=noninteractive "${apt[@]}" install --no-install-recommends "$@" >/dev/null
}

# ensure_tools COMMAND=PACKAGES...: installs the Debian packages (separated by blanks) of
# each command that is missing.
ensure_tools() {
	local pair missing=()
	for pair in "$@"; do
		# shellcheck disable=SC2206 # the package list splits on blanks by design
		command -v "${pair%%=*}" >/dev/null || missing+=(${pair#*=})
	done
	((${#missing[@]} == 0)) || apt_install "${missing[@]}"
}

# check_examples FOLDER EXAMPLES [SUFFIX [LAUNCHER...]]: EXAMPLES holds the shipped examples
# unchanged, and each program FOLDER/PROGRAM.SUFFIX, started through LAUNCHER if given,
# prints the report EXAMPLES/PROGRAM.out for EXAMPLES/PROGRAM.txt.
check_examples() {
	local folder=$1 examples=$2 suffix=${3-} program file
	local launcher=("${@:4}")
	for program in "${sched_programs[@]}"; do
		for file in "$program.txt" "$program.out"; do
			cmp -s "$sched_checkout/examples/$file" "$examples/$file" ||
				fail "$examples/$file is not the shipped examples/$file"
		done
		"${launcher[@]}" "$folder/$program$suffix" <"$examples/$program.txt" | cmp -s - "$examples/$program.out" ||
			fail "$folder/$program$suffix does not print $examples/$program.out"
	done
	echo "$folder: the ${#sched_programs[@]} programs print their examples' reports"
}

# The project's version, from the cache of a configured build folder.
project_version() {
	sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$1/CMakeCache.txt"
}

# check_checksum PACKAGE: the SHA-256 checksum file beside PACKAGE matches it.
check_checksum() {
	(cd "$(dirname "$1")" && sha256sum --quiet --strict -c "$(basename "$1").sha256") ||
		fail "$1 does not match $1.sha256"
}
