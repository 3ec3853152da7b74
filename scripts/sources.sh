# Sourced by what builds from the sources as a release holds them.

# Writes to standard output, as a tar, what git archive puts in a release: the
# files git tracks, of COMMIT or else as they stand in the working tree. In an
# unpacked release (no git), its files, less what builds leave.
# Usage: release_sources SOURCE_DIR [COMMIT [PREFIX/]]
release_sources() {
  if git -C "$1" rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    local tree=${2:-$(git -C "$1" stash create)}
    git -C "$1" archive --format=tar --prefix="${3:-}" "${tree:-HEAD}"
  else
    tar -C "$1" --exclude='./build*' --exclude=./dist -cf - .
  fi
}
