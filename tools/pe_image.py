"""What the exe checks need from a 32-bit PE file, read with pefile.

Shared by pe_imports.py (the import check) and cpu_audit.py (the i486
audit).  pefile reads the headers and the section table and maps addresses
to file offsets; the import tables are walked here, entry by entry, so that
nothing in them is left out unseen: pefile's own import parser skips names
it finds odd and names ordinals after its own tables.

Needs Debian's python3-pefile (and python3-capstone for cpu_audit.py).  A
python3 found earlier in PATH (pyenv, a venv) does not see Debian's
packages; require() then runs the script again with /usr/bin/python3.
"""

import importlib
import os
import struct
import sys

SYSTEM_PYTHON = '/usr/bin/python3'
_AGAIN = 'TARNWICK_PE_TOOLS_SYSTEM_PYTHON'


def require(*names):
    """The named modules, imported; exits with status 2 if they are missing
    from both this python3 and Debian's."""
    try:
        return [importlib.import_module(n) for n in names]
    except ImportError as e:
        missing = e
    here = os.path.realpath(sys.executable or '')
    if (not os.environ.get(_AGAIN) and os.access(SYSTEM_PYTHON, os.X_OK)
            and here != os.path.realpath(SYSTEM_PYTHON)):
        os.environ[_AGAIN] = '1'
        sys.stdout.flush()
        os.execv(SYSTEM_PYTHON, [SYSTEM_PYTHON, os.path.abspath(sys.argv[0])] + sys.argv[1:])
    print('%s: %s; install the Debian packages python3-pefile and python3-capstone'
          % (os.path.basename(sys.argv[0]), missing), file=sys.stderr)
    sys.exit(2)


pefile, = require('pefile')

MACHINE_I386 = 0x14c
IMPORT_DIRECTORY = 1
# Far more than any real table; a bound on what a damaged one makes us read.
MOST_ENTRIES = 100000
LONGEST_NAME = 512


class PeError(Exception):
    """The file is no PE image we can read in full."""


class Section:
    def __init__(self, name, vma, size, file_offset):
        self.name, self.vma, self.size, self.file_offset = name, vma, size, file_offset

    @property
    def end(self):
        return self.vma + self.size


class Import:
    """One imported function: by name (ordinal None) or by ordinal (name None)."""

    def __init__(self, dll, name=None, ordinal=None):
        self.dll, self.name, self.ordinal = dll, name, ordinal

    def __repr__(self):
        return '%s!%s' % (self.dll, self.name if self.name is not None else '#%d' % self.ordinal)


class PeImage:
    """A PE file's header fields, sections and imports."""

    def __init__(self, path):
        self.path = path
        try:
            with open(path, 'rb') as f:
                self.data = f.read()
        except OSError as e:
            raise PeError('cannot read %s: %s' % (path, e.strerror or e))
        try:
            pe = pefile.PE(data=self.data, fast_load=True)
        except (pefile.PEFormatError, struct.error, ValueError) as e:
            raise PeError('%s: not a PE file (%s)' % (path, getattr(e, 'value', e)))
        self._pe = pe
        header, optional = pe.FILE_HEADER, pe.OPTIONAL_HEADER
        self.size = len(self.data)
        self.machine = header.Machine
        self.image_base = optional.ImageBase
        self.entry = optional.ImageBase + optional.AddressOfEntryPoint
        self.os_version = (optional.MajorOperatingSystemVersion, optional.MinorOperatingSystemVersion)
        self.subsystem_version = (optional.MajorSubsystemVersion, optional.MinorSubsystemVersion)
        self.sections = [self._section(s) for s in pe.sections]
        try:
            self.imports = self._imports()
        except (pefile.PEFormatError, struct.error) as e:
            raise PeError('%s: the import tables cannot be read: %s' % (path, getattr(e, 'value', e)))

    def section(self, name):
        """The first section of that name, or None."""
        return next((s for s in self.sections if s.name == name), None)

    def section_bytes(self, section):
        return self.data[section.file_offset:section.file_offset + section.size]

    # -- sections --------------------------------------------------------

    def _section(self, s):
        name = s.Name.rstrip(b'\0').decode('latin-1')
        if name.startswith('/') and name[1:].isdigit():
            name = self._long_name(int(name[1:])) or name
        # As the loader and the GNU tools see it: the bytes in the file, up to
        # the virtual size when that is the smaller (the rest is padding).
        size = s.SizeOfRawData
        if 0 < s.Misc_VirtualSize < size:
            size = s.Misc_VirtualSize
        return Section(name, self.image_base + s.VirtualAddress, size, s.PointerToRawData)

    def _long_name(self, offset):
        """A name longer than eight bytes, "/N" in the table: N is its offset
        in the COFF string table, which follows the symbol table."""
        header = self._pe.FILE_HEADER
        if not header.PointerToSymbolTable:
            return None
        at = header.PointerToSymbolTable + 18 * header.NumberOfSymbols + offset
        end = self.data.find(b'\0', at, at + LONGEST_NAME)
        return self.data[at:end].decode('latin-1') if end > at else None

    # -- imports ---------------------------------------------------------

    def _imports(self):
        entry = self._pe.OPTIONAL_HEADER.DATA_DIRECTORY[IMPORT_DIRECTORY]
        if not entry.VirtualAddress:
            return []
        found = []
        for n in range(MOST_ENTRIES):
            raw = self._bytes(entry.VirtualAddress + 20 * n, 20)
            if raw == bytes(20):
                return found
            lookup, _, _, name, addresses = struct.unpack('<5I', raw)
            dll = self._string(name)
            if not dll:
                raise PeError('%s: import table entry %d names no DLL' % (self.path, n))
            # Some linkers leave the lookup table out: the address table then
            # holds the same entries until the loader fills it in.
            found += self._functions(dll, lookup or addresses)
        raise PeError('%s: an import table without end' % self.path)

    def _functions(self, dll, thunks):
        found = []
        for i in range(MOST_ENTRIES):
            value, = struct.unpack('<I', self._bytes(thunks + 4 * i, 4))
            if value == 0:
                return found
            if value & 0x80000000:
                found.append(Import(dll, ordinal=value & 0xffff))
                continue
            name = self._string(value + 2)  # after the two-byte hint
            if not name:
                raise PeError('%s: import %d from %s has no name' % (self.path, i, dll))
            found.append(Import(dll, name=name))
        raise PeError('%s: the imports from %s have no end' % (self.path, dll))

    def _bytes(self, rva, length):
        data = self._pe.get_data(rva, length)
        if len(data) != length:
            raise PeError('%s: %d bytes at RVA 0x%x lie outside the file' % (self.path, length, rva))
        return data

    def _string(self, rva):
        data = self._pe.get_data(rva, LONGEST_NAME)
        end = data.find(b'\0')
        if end < 0:
            raise PeError('%s: no string end at RVA 0x%x' % (self.path, rva))
        return data[:end].decode('latin-1')
