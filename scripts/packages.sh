# The Debian 12 packages each command needs; sourced by the scripts.
build_packages=(cmake make g++ qt6-base-dev qt6-base-dev-tools)
# Times New Roman's metric twin with Cyrillic, and Qt's native Wayland support.
run_packages=(fonts-liberation qt6-wayland)
test_packages=(libgtest-dev desktop-file-utils appstream clang libclang-rt-14-dev)
bench_packages=(libbenchmark-dev xvfb xauth)
