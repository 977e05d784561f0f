#!/bin/bash
# Checks that an exe can load on a bare Windows 95 OSR2 and on 98 SE to 11: PE
# versions 4.0, the system's own DLLs only (no C runtime DLL, which a bare
# Windows 95 lacks), no imported function that those DLLs lack, no unwind
# tables or base relocations, and a size limit. Every run first checks the
# checker on made-up import tables and on an exe it links. The work is done
# by tools/pe_imports.py, which reads the PE file itself (python3-pefile).
#   check-imports.sh <exe>
#   check-imports.sh --self-test
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
exec python3 "$here/../tools/pe_imports.py" "$@"
