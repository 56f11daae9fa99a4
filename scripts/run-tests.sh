#!/usr/bin/env bash
# Installs what is missing, builds everything, and runs the whole test suite.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
kelvara_install_packages
kelvara_build
cd "$KELVARA_BUILD"
ctest --output-on-failure --timeout 300 -j"$(nproc)" "$@"
