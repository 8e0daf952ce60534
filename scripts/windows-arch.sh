# Sourced by the build and Wine scripts: which Windows build the tests run. The release is the
# 32-bit program, and the tests run it under 32-bit Wine wherever the kernel runs 32-bit code.
# Some kernels run 64-bit user code only (a 32-bit program fails with "Exec format error"):
# there the tests build the same sources for 64-bit Windows and run them under 64-bit Wine.
# KVR_WINDOWS_ARCH=i686 or x86_64 chooses by hand.
if [ -z "${KVR_WINDOWS_ARCH:-}" ]; then
    if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
        KVR_WINDOWS_ARCH=i686
    else
        KVR_WINDOWS_ARCH=x86_64
    fi
fi
export KVR_WINDOWS_ARCH
if [ "$KVR_WINDOWS_ARCH" = x86_64 ]; then
    export WINEARCH=win64
else
    export WINEARCH=win32
fi
if [ "$KVR_WINDOWS_ARCH" = x86_64 ]; then
    case ":$PATH:" in
        *":$(dirname "${BASH_SOURCE[0]}")/wine64:"*) ;;
        *) PATH="$(cd "$(dirname "${BASH_SOURCE[0]}")/wine64" && pwd):$PATH" ;;
    esac
    export PATH
fi
