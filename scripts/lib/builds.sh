# Shared by the README's commands: where the two builds live and how they are made.
# shellcheck shell=bash
native_build="$root/build/native"
windows_build="$root/build/windows"
run_build="$root/build/run-windows"
jobs=$(nproc)

configure_and_build_native() {
    echo "== Native build"
    cmake -S "$root" -B "$native_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug >/dev/null
    cmake --build "$native_build" -j "$jobs"
}

configure_and_build_windows() {
    echo "== Windows build (MinGW-w64)"
    cmake -S "$root" -B "$windows_build" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
        -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" >/dev/null
    cmake --build "$windows_build" -j "$jobs"
    "$root/scripts/lib/wine-prefix" "$windows_build/wineprefix"
}

# Runs a command in one Wine session of the Windows build's prefix (see wine-session).
run_in_wine_session() {
    "$root/scripts/lib/wine-session" "$windows_build/wineprefix" "$@"
}

# The optimised Windows build that scripts/run runs, stand-ins included, without the tests.
# Runs started at once take turns to build it.
configure_and_build_for_run() {
    mkdir -p "$root/build"
    (
        flock 6
        cmake -S "$root" -B "$run_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
            -DPARTWRIGHT_TESTS=OFF -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
            >/dev/null
        cmake --build "$run_build" -j "$jobs"
    ) 6>"$run_build.lock"
    "$root/scripts/lib/wine-prefix" "$run_build/wineprefix"
}
