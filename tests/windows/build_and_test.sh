#!/usr/bin/env bash
# Cross-builds torvex.exe with mingw-w64, runs the tests under wine, and
# checks the zip that cpack writes.
# Usage: tests/windows/build_and_test.sh [BUILD_DIR]   (default build-windows)
set -euo pipefail
cd "$(dirname "$0")/../.."
build=${1:-build-windows}
bash scripts/install-deps windows
cmake -S . -B "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake
cmake --build "$build" -j2
bash tests/windows/run_under_wine.sh "$build/torvex.exe"
version=$(sed -n 's/^project(torvex VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
(cd "$build" && cpack -G ZIP)
python3 - "$build/torvex-$version-win64.zip" "torvex-$version-win64" <<'PYTHON'
import sys, zipfile
names = set(zipfile.ZipFile(sys.argv[1]).namelist())
wanted = {f"{sys.argv[2]}/{name}" for name in ("torvex.exe", "README.md", "torvex.txt")}
missing = wanted - names
if missing:
    sys.exit(f"{sys.argv[1]} lacks {sorted(missing)}; it holds {sorted(names)}")
print(f"{sys.argv[1]}: {', '.join(sorted(names))}")
PYTHON
