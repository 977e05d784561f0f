#!/usr/bin/env python3
"""Check that tarnwick.exe asks for no more than an i486.

    cpu_audit.py check EXE [--map MAP]
        Disassembles the code in EXE's .text and lists every instruction an
        i486 does not have, with its address, the object it came from and the
        function it sits in (both from the GNU ld link map of the same link).
        Prints a count per origin and a total; exit 0 when there is none,
        1 when there are, 2 when the map does not describe the exe.

    cpu_audit.py ud2 EXE OUT [--map MAP]
        Writes a copy of EXE in which the first two bytes of each of those
        instructions are 0F 0B (UD2).  An i486 raises the same invalid-opcode
        fault on the real instruction, so running the copy shows whether one
        is ever executed.

    cpu_audit.py selftest
        Assembles and links a small sample with the MinGW tools and checks
        both commands on it.

MAP defaults to EXE with the extension .map.  The exe is stripped, so the
names come from the map, which lists every input section with its address
and every global symbol in it.

The linker's script puts data into .text as well: the exception tables
(.gcc_except_table), up to binutils 2.40 the constructor and destructor
lists (___CTOR_LIST__ and ___DTOR_LIST__: a LONG -1, the .ctors/.dtors
pointers, a LONG 0; 2.44 puts them in .rdata), and *fill* bytes pad between
input sections.  Those bytes are left out: a pointer that happens to
read 0F 4x is no cmov.  Only input sections whose names say code (.text,
.text$*, .text.*, .init, .fini) are disassembled, each run of them from its
first byte.

The exe is read with pe_image.py (python3-pefile) and disassembled with
python3-capstone (4.x on Debian 12, 5.x on 13); instructions are told apart
by capstone's instruction ids, and where one id covers an i486 form and a
later one (the string MOVSD and SSE2's MOVSD, NOP and the P6's multi-byte
NOP), by the opcode byte.  The self-test needs the MinGW assembler and
linker; c++filt, when present, names C++ functions.
"""

import bisect
import collections
import os
import re
import shutil
import struct
import subprocess
import sys
import tempfile

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
import pe_image  # noqa: E402

capstone, = pe_image.require('capstone')

TOOL_PREFIX = 'i686-w64-mingw32-'

# --------------------------------------------------------------------------
# What an i486 executes, by capstone's instruction names (insn_name of the
# id: one name for all operand sizes of a form, no prefixes).  Anything else
# found in code is reported: the 8086 to 486 sets are closed, so a list of
# what is allowed misses nothing new, where a list of what is forbidden would
# miss whatever we did not think of.
# --------------------------------------------------------------------------

I486_INTEGER = set('''
    aaa aad aam aas adc add and arpl bound bsf bsr bswap bt btc btr bts call
    cbw cdq clc cld cli clts cmc cmp cmpsb cmpsd cmpsw cmpxchg cwd cwde daa
    das dec div enter hlt idiv imul in inc insb insd insw int int3 into invd
    invlpg iret iretd ja jae jb jbe jcxz je jecxz jg jge jl jle jmp jne jno
    jnp jns jo jp js lahf lar lcall lds lea leave les lfs lgdt lgs lidt ljmp
    lldt lmsw lodsb lodsd lodsw loop loope loopne lsl lss ltr mov movsb movsd
    movsw movsx movzx mul neg nop not or out outsb outsd outsw pop popal popaw
    popf popfd push pushal pushaw pushf pushfd rcl rcr ret retf rol ror sahf
    sal sar sbb scasb scasd scasw seta setae setb setbe sete setg setge setl
    setle setne setno setnp setns seto setp sets sgdt shl shld shr shrd sidt
    sldt smsw stc std sti stosb stosd stosw str sub test verr verw wbinvd
    xadd xchg xlatb xor
'''.split())

# The 387's set, which the i486DX has on the chip.  FWAIT is "wait"; the
# waiting forms (fstsw, fclex, ...) come as wait and the fn- form.
# Capstone 5 has no faddp of its own: it is an fadd there.
I486_FPU = set('''
    f2xm1 fabs fadd faddp fbld fbstp fchs fcom fcomp fcompp fcos fdecstp
    fdiv fdivp fdivr fdivrp ffree fiadd ficom ficomp fidiv fidivr fild fimul
    fincstp fist fistp fisub fisubr fld fld1 fldcw fldenv fldl2e fldl2t
    fldlg2 fldln2 fldpi fldz fmul fmulp fnclex fninit fnop fnsave fnstcw
    fnstenv fnstsw fpatan fprem fprem1 fptan frndint frstor fscale fsin
    fsincos fsqrt fst fstp fsub fsubp fsubr fsubrp ftst fucom fucomp fucompp
    fxam fxch fxtract fyl2x fyl2xp1 wait
'''.split())

# Names capstone gives both an i486 form and a later one, with the opcode
# byte (after the prefixes) of the i486 form: the string MOVSD and CMPSD
# (A5, A7) against SSE2's (F2 0F 10/11, F2 0F C2), NOP (90) against the P6's
# multi-byte NOP (0F 1F /0) and hint NOPs (0F 18 to 0F 1E).
I486_OPCODE = {'movsd': 0xa5, 'cmpsd': 0xa7, 'nop': 0x90}

# Later instructions whose bytes an i486 runs with the same effect, or that
# fault there just as they were meant to.
HARMLESS_LATER = {
    # F3 90: an older CPU ignores the REP prefix and runs a NOP.
    'pause': 'rep nop',
    # F3 0F BC: an older CPU ignores the REP prefix and runs BSF, which GCC
    # relies on: it emits this only for a count of trailing zeros of a
    # non-zero value, where both give the same result.
    'tzcnt': 'rep bsf',
    # Later 486s and every Pentium have it; code must first see that the
    # EFLAGS.ID bit can be flipped, as libstdc++'s random_device does.
    'cpuid': 'present on later 486s, used after the EFLAGS.ID test',
    # 0F 0B is undefined on the 486 as well: the same fault either way.
    'ud2': 'a deliberate invalid-opcode fault',
}

# Prefixes capstone writes as words of their own before the mnemonic.
PREFIXES = {'rep', 'repz', 'repnz', 'repe', 'repne', 'lock', 'data16', 'addr16',
            'bnd', 'notrack', 'xacquire', 'xrelease'}
LEGACY_PREFIX_BYTES = frozenset(b'\x26\x2e\x36\x3e\x64\x65\x66\x67\xf0\xf2\xf3')
# One spelling in the report whichever capstone decoded: 5.x writes these
# three differently from 4.x.
SPELLING = {'fcompi': 'fcomip', 'fucompi': 'fucomip', 'ud2b': 'ud1'}


def beyond_i486(instruction):
    """True when an i486 cannot execute the instruction as it is meant."""
    kind = instruction.kind
    if kind in I486_OPCODE:
        return instruction.opcode != I486_OPCODE[kind]
    return not (kind in I486_INTEGER or kind in I486_FPU or kind in HARMLESS_LATER)


class AuditError(Exception):
    """The exe or the map cannot be read, or they do not belong together."""


def run_tool(args):
    try:
        return subprocess.run(args, check=True, capture_output=True, text=True).stdout
    except (OSError, subprocess.CalledProcessError) as e:
        raise AuditError('%s failed: %s' % (args[0], getattr(e, 'stderr', '') or e))


# --------------------------------------------------------------------------
# The link map's .text output section.
# --------------------------------------------------------------------------

CODE_SECTION = re.compile(r'^\.(text|init|fini)([$.].*)?$|^\.gnu\.linkonce\.t\.')
DATA_SECTION = re.compile(r'^\.(ctors?|dtors?)(\..*)?$|^\.gcc_exc$|^\.gcc_except_table')
DATA_STATEMENT = re.compile(r'^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s+(BYTE|SHORT|LONG|QUAD|SQUAD)\s+0x([0-9a-f]+)')
INPUT_SECTION = re.compile(r'^ (\S+)\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s*(.*)$')
WRAPPED_REST = re.compile(r'^\s+0x([0-9a-f]+)\s+0x([0-9a-f]+)\s*(.*)$')
SYMBOL = re.compile(r'^\s{10,}0x([0-9a-f]+)\s+(?!0x)(\S.*?)\s*$')


class Piece:
    """A stretch of .text: one input section, fill or data statement."""

    def __init__(self, start, size, kind, section, origin):
        self.start, self.size, self.kind = start, size, kind
        self.section, self.origin = section, origin
        self.symbols = []  # (address, name), in map order
        self.value = None  # for data statements

    @property
    def end(self):
        return self.start + self.size


class LinkMap:
    def __init__(self, text_start, pieces):
        self.text_start, self.pieces = text_start, pieces
        self.starts = [p.start for p in pieces]

    def piece_at(self, address):
        i = bisect.bisect_right(self.starts, address) - 1
        if i >= 0 and address < self.pieces[i].end:
            return self.pieces[i]
        return None

    def all_symbols(self):
        return {name: a for p in self.pieces for a, name in p.symbols}


def read_map(path):
    """The .text output section of a GNU ld map."""
    try:
        with open(path, encoding='utf-8', errors='replace') as f:
            lines = f.read().splitlines()
    except OSError as e:
        raise AuditError('cannot read the map: %s' % e)
    header = next((i for i, l in enumerate(lines) if re.match(r'^\.text\s+0x', l)), None)
    if header is None:
        raise AuditError('%s: no .text output section' % path)
    text_start = int(lines[header].split()[1], 16)
    pieces, pending = [], None
    for line in lines[header + 1:]:
        if line[:1] not in ('', ' '):
            break  # the next output section
        if pending is not None:  # a long section name wraps its numbers
            m = WRAPPED_REST.match(line)
            if m:
                add_piece(pieces, pending, *m.groups())
            pending = None
            continue
        m = DATA_STATEMENT.match(line)
        if m:
            piece = Piece(int(m.group(1), 16), int(m.group(2), 16), 'data', m.group(3), '')
            piece.value = int(m.group(4), 16)
            pieces.append(piece)
            continue
        m = INPUT_SECTION.match(line)
        if m:
            add_piece(pieces, *m.groups())
            continue
        if re.match(r'^ [.\w$]\S*$', line):
            pending = line.strip()
            continue
        m = SYMBOL.match(line)
        if m and not m.group(2).endswith('= .'):  # not a script's assignment
            address = int(m.group(1), 16)
            if pieces and pieces[-1].start <= address <= pieces[-1].end:
                pieces[-1].symbols.append((address, m.group(2)))
    pieces = sorted((p for p in pieces if p.size), key=lambda p: p.start)
    return LinkMap(text_start, pieces)


def add_piece(pieces, name, start, size, origin):
    if name == '*fill*':
        kind = 'fill'
    elif CODE_SECTION.match(name):
        kind = 'code'
    elif DATA_SECTION.match(name):
        kind = 'data'
    else:
        # Unknown to us: counting it is safer than hiding it.
        print('cpu_audit: note: %s at 0x%s taken as code' % (name, start), file=sys.stderr)
        kind = 'code'
    pieces.append(Piece(int(start, 16), int(size, 16), kind, name, origin.strip()))


def check_agreement(link_map, text, entry, data, map_path):
    """The map must be the one of this exe's link: same .text place and end,
    the LONG markers of the constructor lists hold their values, and the
    entry point is a symbol of the map."""
    if not link_map.pieces:
        raise AuditError('%s: its .text output section lists nothing' % map_path)
    problems = []
    if link_map.text_start != text.vma:
        problems.append('.text at 0x%x in the exe, 0x%x in the map' % (text.vma, link_map.text_start))
    end = max(p.end for p in link_map.pieces)
    if end != text.vma + text.size:
        problems.append('.text ends at 0x%x in the exe, 0x%x in the map' % (text.vma + text.size, end))
    for p in link_map.pieces:
        if p.value is None:
            continue
        at = p.start - text.vma
        got = int.from_bytes(data[at:at + p.size], 'little')
        if got != p.value & ((1 << (8 * p.size)) - 1):
            problems.append('%s at 0x%x holds 0x%x, the map says 0x%x' % (p.section, p.start, got, p.value))
    if entry not in link_map.all_symbols().values():
        problems.append('the entry point 0x%x is no symbol of the map' % entry)
    if problems:
        raise AuditError('%s does not describe this exe: %s' % (map_path, '; '.join(problems)))


# --------------------------------------------------------------------------
# Disassembly.
# --------------------------------------------------------------------------

_DECODER = capstone.Cs(capstone.CS_ARCH_X86, capstone.CS_MODE_32)


class Instruction:
    """kind: capstone's name of the instruction (the id's, which the
    allow-lists use); name: the mnemonic without prefixes, for the report;
    opcode: the first byte after the legacy prefixes."""

    def __init__(self, address, size, kind, name, text, code):
        self.address, self.size, self.kind, self.name, self.text = address, size, kind, name, text
        self.opcode = next((b for b in code if b not in LEGACY_PREFIX_BYTES), None)

    @classmethod
    def decoded(cls, insn):
        prefixes, words = [], insn.mnemonic.split() or ['?']
        while len(words) > 1 and words[0] in PREFIXES:
            prefixes.append(words.pop(0))
        name = SPELLING.get(words[0], words[0])
        kind = _DECODER.insn_name(insn.id) or name
        text = ' '.join(prefixes + [name] + words[1:] + [insn.op_str]).strip()
        return cls(insn.address, insn.size, kind, name, text, bytes(insn.bytes))

    @classmethod
    def undecodable(cls, address, byte):
        return cls(address, 1, '(bad)', '(bad)', '(bad) %02x' % byte, bytes([byte]))


def disassemble(data, base, start, stop):
    """The instructions from address start up to stop, where data is the
    section that begins at address base.  A byte capstone cannot decode is
    one "(bad)" instruction, and decoding goes on after it (capstone itself
    would stop there)."""
    found, at = [], start
    while at < stop:
        for insn in _DECODER.disasm(data[at - base:stop - base], at):
            found.append(Instruction.decoded(insn))
            at = insn.address + insn.size
        if at < stop:
            found.append(Instruction.undecodable(at, data[at - base]))
            at += 1
    return found


def runs_of(pieces, kinds):
    """Contiguous stretches of pieces of the given kinds, as (start, end, pieces)."""
    runs = []
    for p in pieces:
        if p.kind not in kinds:
            continue
        if runs and runs[-1][1] == p.start:
            runs[-1][1] = p.end
            runs[-1][2].append(p)
        else:
            runs.append([p.start, p.end, [p]])
    return runs


def disassemble_code(data, base, link_map):
    """Every instruction in the code pieces.  Each run of code is decoded
    from its first byte; should a piece inside a run not begin on an
    instruction (data at the end of the one before), decoding restarts there."""
    found = []
    for start, stop, members in runs_of(link_map.pieces, ('code',)):
        listing = disassemble(data, base, start, stop)
        starts = {i.address for i in listing}
        for p in members[1:]:
            if p.start not in starts:
                listing = [i for i in listing if i.address < p.start] + disassemble(data, base, p.start, stop)
                starts = {i.address for i in listing}
        found += listing
    return found


# --------------------------------------------------------------------------
# The check.
# --------------------------------------------------------------------------


class Finding:
    def __init__(self, instruction, piece, function):
        self.instruction, self.piece, self.function = instruction, piece, function


def split_origin(piece):
    """('/usr/.../libstdc++.a', 'tree.o') or ('/usr/.../crt2.o', None)."""
    m = re.match(r'^(.*?)\((.*)\)$', piece.origin)
    return (m.group(1), m.group(2)) if m else (piece.origin, None)


def origin_of(piece):
    """'libstdc++.a', 'crt2.o', ...: the archive or the object file, marked
    when it is ours.  The system's libraries come with absolute paths, our
    objects and archives relative to the build folder."""
    path, _ = split_origin(piece)
    if not path:
        return '(linker)'
    return os.path.basename(path) + ('' if os.path.isabs(path) else '  (ours)')


def member_of(piece):
    path, member = split_origin(piece)
    return '%s(%s)' % (os.path.basename(path), member) if member else os.path.basename(path)


def function_at(piece, address, demangled):
    """The nearest symbol at or before address in its input section; for a
    static function without one, the name in the section's name."""
    best = None
    for a, name in piece.symbols:
        if a <= address and (best is None or a > best[0]):
            best = (a, name)
    if best is None:
        name = function_in_section_name(piece.section) or piece.section
        best = (piece.start, demangled.get(name, name))
    offset = address - best[0]
    return best[1] + ('+0x%x' % offset if offset else '')


def function_in_section_name(section):
    """'_Znwj' of '.text$_Znwj' or '.text.unlikely._Znwj' (one function
    per section), else None."""
    m = re.match(r'^\.text(?:\$|\.(?:(?:unlikely|startup|hot|exit)\.)?)(.+)$', section)
    name = m.group(1) if m else None
    return None if name in ('unlikely', 'startup', 'hot', 'exit') else name


def demangle(names):
    names = sorted(n for n in names if n.startswith('_Z'))
    if not names:
        return {}
    try:
        out = run_tool([TOOL_PREFIX + 'c++filt'] + names).splitlines()
    except AuditError:
        return {}
    return dict(zip(names, out)) if len(out) == len(names) else {}


class Audit:
    """Everything the two commands need from one exe and its map."""

    def __init__(self, exe, map_path):
        try:
            image = pe_image.PeImage(exe)
        except pe_image.PeError as e:
            raise AuditError(str(e))
        if image.machine != pe_image.MACHINE_I386:
            raise AuditError('%s: not a 32-bit x86 exe (machine 0x%x)' % (exe, image.machine))
        self.text = image.section('.text')
        if self.text is None:
            raise AuditError('%s: no .text section' % exe)
        self.link_map = read_map(map_path)
        self.data = image.section_bytes(self.text)
        check_agreement(self.link_map, self.text, image.entry, self.data, map_path)
        self.exe = exe
        instructions = disassemble_code(self.data, self.text.vma, self.link_map)
        self.instruction_count = len(instructions)
        self.allowed_later = collections.Counter(
            i.kind for i in instructions if i.kind in HARMLESS_LATER)
        beyond = [(i, self.link_map.piece_at(i.address)) for i in instructions if beyond_i486(i)]
        demangled = demangle(filter(None, (function_in_section_name(p.section) for _, p in beyond)))
        self.findings = [Finding(i, p, function_at(p, i.address, demangled)) for i, p in beyond]

    def left_out(self):
        """What was not decoded, in groups: [(what, pieces)]."""
        groups = {}
        for p in self.link_map.pieces:
            if p.kind == 'code':
                continue
            if p.kind == 'fill':
                what = 'fill between input sections'
            elif p.section.startswith('.gcc_exc'):
                what = 'exception tables (%s)' % p.section
            else:
                what = 'constructor/destructor lists (LONG markers, .ctors, .dtors)'
            groups.setdefault(what, []).append(p)
        return sorted(groups.items(), key=lambda g: g[1][0].start)

    def decoded_data(self):
        """The left-out pieces decoded as if they were code, each from its
        first byte."""
        return [i for p in self.link_map.pieces if p.kind != 'code'
                for i in disassemble(self.data, self.text.vma, p.start, p.end)]

    def decoys(self):
        """How many 'instructions beyond the i486' the left-out data would
        have shown, had it been decoded."""
        return sum(beyond_i486(i) for i in self.decoded_data())


def report(audit, out=sys.stdout):
    name = os.path.basename(audit.exe)
    for f in audit.findings:
        i = f.instruction
        print('  0x%08x  %-40s %-34s %s' % (i.address, i.text[:40], member_of(f.piece), f.function), file=out)
    if audit.findings:
        print('by origin:', file=out)
        for origin, n in collections.Counter(origin_of(f.piece) for f in audit.findings).most_common():
            print('  %5d  %s' % (n, origin), file=out)
        mnemonics = collections.Counter(f.instruction.name for f in audit.findings)
        print('by instruction:', file=out)
        print('  ' + ', '.join('%s %d' % kv for kv in mnemonics.most_common()), file=out)
    for mnemonic, n in sorted(audit.allowed_later.items()):
        print('allowed: %s %d (%s)' % (mnemonic, n, HARMLESS_LATER[mnemonic]), file=out)
    print('left out as data in .text:', file=out)
    for what, pieces in audit.left_out():
        size = sum(p.size for p in pieces)
        print('  %6d bytes in %d pieces from 0x%x: %s' % (size, len(pieces), pieces[0].start, what), file=out)
    print('  (decoded, they would have added %d instructions beyond the i486)' % audit.decoys(), file=out)
    print('total: %d of %d instructions in %s beyond the i486 set' %
          (len(audit.findings), audit.instruction_count, name), file=out)


def write_ud2_copy(audit, out_path):
    """The exe with each finding's first two bytes replaced by 0F 0B."""
    with open(audit.exe, 'rb') as f:
        image = bytearray(f.read())
    for f in audit.findings:
        at = f.instruction.address - audit.text.vma + audit.text.file_offset
        image[at:at + 2] = b'\x0f\x0b'
    os.makedirs(os.path.dirname(os.path.abspath(out_path)), exist_ok=True)
    tmp = out_path + '.tmp'
    with open(tmp, 'wb') as f:
        f.write(image)
    shutil.copymode(audit.exe, tmp)
    os.replace(tmp, out_path)


# --------------------------------------------------------------------------
# Self-test: a sample with one instruction per case under a global label of
# its own, data in .ctors and .gcc_except_table whose bytes read as a cmov,
# and one more case after that data.  The sample's own linker script puts
# the data inside .text, as binutils 2.40's default script does with the
# constructor lists and 2.44's still does with the exception tables, so the
# test does not depend on what the installed linker's default does.
# --------------------------------------------------------------------------

# (AT&T source, name the check must report, or None when it must pass)
SAMPLE_CASES = [
    ('cmovl %ecx, %eax', 'cmovl'),
    ('cmovne (%ebx), %edx', 'cmovne'),
    ('fcmovb %st(1), %st', 'fcmovb'),
    ('fcomip %st(1), %st', 'fcomip'),
    ('fucomip %st(1), %st', 'fucomip'),
    ('fucomi %st(2), %st', 'fucomi'),
    ('cmpxchg8b (%esi)', 'cmpxchg8b'),
    ('rdtsc', 'rdtsc'),
    ('sysenter', 'sysenter'),
    ('fxsave (%eax)', 'fxsave'),
    ('emms', 'emms'),
    ('pshufw $1, %mm1, %mm0', 'pshufw'),
    ('pminub %mm2, %mm3', 'pminub'),
    ('movntq %mm0, (%edi)', 'movntq'),
    ('movaps %xmm0, %xmm1', 'movaps'),
    ('movd %xmm0, %eax', 'movd'),
    ('movsd %xmm1, %xmm0', 'movsd'),
    ('cmpsd $1, %xmm1, %xmm0', 'cmpltsd'),
    ('prefetchnta (%eax)', 'prefetchnta'),
    ('sfence', 'sfence'),
    ('ldmxcsr (%esp)', 'ldmxcsr'),
    ('fisttpl (%eax)', 'fisttp'),
    ('nopl 0(%eax)', 'nop'),
    ('nopw %cs:0(%eax,%eax,1)', 'nop'),
    ('endbr32', 'endbr32'),
    ('rdrand %eax', 'rdrand'),
    ('lzcnt %ecx, %eax', 'lzcnt'),
    ('.byte 0x0f, 0x04, 0x90', '(bad)'),
    ('nop', None),
    ('xchg %ax, %ax', None),
    ('lea 0(%esi), %esi', None),
    ('pause', None),
    ('rep bsf %ecx, %eax', None),
    ('cpuid', None),
    ('ud2', None),
    ('bswap %eax', None),
    ('lock cmpxchg %ecx, (%edx)', None),
    ('lock xadd %eax, (%edx)', None),
    ('rep movsl', None),
    ('movsl', None),
    ('repz cmpsl', None),
    ('cmpsb', None),
    ('rep stosl', None),
    ('rep ret', None),
    ('lcall *(%eax)', None),
    ('xlat', None),
    ('faddp %st, %st(1)', None),
    ('fsubrp %st, %st(1)', None),
    ('fucomp %st(1)', None),
    ('fnstsw %ax', None),
    ('fstsw %ax', None),
    ('fildll (%eax)', None),
    ('fldcw (%esp)', None),
    ('fsincos', None),
    ('movzbl (%eax), %ecx', None),
    ('shld $3, %eax, %edx', None),
]
AFTER_DATA = ('cmovge %edx, %eax', 'cmovge')
DECOY = 0x90c14c0f  # 0F 4C C1 90: cmovl %ecx, %eax; nop
SAMPLE_SCRIPT = """
SECTIONS
{
  .text __image_base__ + __section_alignment__ :
  {
    *(.text)
    ___CTOR_LIST__ = .;
    LONG (-1);
    KEEP (*(.ctors))
    LONG (0);
    KEEP (*(.gcc_except_table))
    *(.text.after)
  }
}
"""


def build_sample(folder):
    lines = ['.text', '.globl _start', '_start:']
    for n, (source, _) in enumerate(SAMPLE_CASES):
        lines += ['.globl case_%d' % n, 'case_%d:' % n, '  ' + source]
    lines += ['  ret',
              '.section .ctors,"w"', '  .long 0x%x' % DECOY,
              # The table ends in an opcode escape: code decoded on from here
              # would start out of step.
              '.section .gcc_except_table,"r"', '  .long 0x%x, 0x%x' % (DECOY, DECOY), '  .byte 0x0f',
              '.section .text.after,"x"', '.globl after_data', 'after_data:', '  ' + AFTER_DATA[0], '  ret']
    source, script = os.path.join(folder, 'sample.s'), os.path.join(folder, 'sample.ld')
    with open(source, 'w') as f:
        f.write('\n'.join(lines) + '\n')
    with open(script, 'w') as f:
        f.write(SAMPLE_SCRIPT)
    obj, exe = os.path.join(folder, 'sample.o'), os.path.join(folder, 'sample.exe')
    run_tool([TOOL_PREFIX + 'as', '--32', '-o', obj, source])
    run_tool([TOOL_PREFIX + 'ld', '-T', script, '-e', '_start', '-Map', os.path.join(folder, 'sample.map'),
              '-o', exe, obj])
    return exe


def selftest():
    failures = []

    def expect(what, ok):
        print('%s  cpu_audit: %s' % ('pass' if ok else 'FAIL', what))
        if not ok:
            failures.append(what)

    print('cpu_audit: capstone %s, pefile %s' % (capstone.__version__, pe_image.pefile.__version__))
    with tempfile.TemporaryDirectory(prefix='cpu-audit-') as folder:
        try:
            exe = build_sample(folder)
            audit = Audit(exe, os.path.join(folder, 'sample.map'))
        except AuditError as e:
            print('FAIL  cpu_audit: the sample: %s' % e)
            print('cpu_audit self-test: FAILED')
            return 1
        found = {f.function: f.instruction.name for f in audit.findings}
        for n, (source, name) in enumerate(SAMPLE_CASES):
            got = found.pop('case_%d' % n, None)
            expect('%-28s -> %s' % (source, name or 'allowed'), got == name)
        got = found.pop('after_data', None)
        expect('%-28s -> %s, after the data' % AFTER_DATA, got == AFTER_DATA[1])

        # The decoys must really sit inside .text, or the rest proves nothing.
        placed = sorted({p.section for p in audit.link_map.pieces if p.kind == 'data'})
        expect('the map shows .ctors and .gcc_except_table inside .text %s' % placed,
               {'.ctors', '.gcc_except_table'} <= set(placed))
        expect("the exe's .text holds the three decoys", audit.data.count(struct.pack('<I', DECOY)) == 3)
        decoded = [i.name for i in audit.decoded_data()]
        expect('the data, were it decoded, would read as cmovl three times', decoded.count('cmovl') == 3)
        expect('nothing reported from the data in .ctors and .gcc_except_table %s' % sorted(found),
               not found)
        expect('findings name their origin', all(member_of(f.piece) == 'sample.o' for f in audit.findings))

        copy = os.path.join(folder, 'sample-ud2.exe')
        write_ud2_copy(audit, copy)
        with open(exe, 'rb') as f:
            before = f.read()
        with open(copy, 'rb') as f:
            after = f.read()
        patched = {audit.text.file_offset + f.instruction.address - audit.text.vma for f in audit.findings}
        changed = [i for i in range(len(before)) if before[i] != after[i]]
        expect('ud2 copy: each finding starts with 0F 0B', all(after[a:a + 2] == b'\x0f\x0b' for a in patched))
        expect('ud2 copy: no other byte changed', all(i in patched or i - 1 in patched for i in changed))
        expect('ud2 copy: the decoys are intact', after.count(struct.pack('<I', DECOY)) == 3)

        with open(os.path.join(folder, 'sample.map')) as f:
            moved = f.read().replace('0x%08x' % audit.text.vma, '0x%08x' % (audit.text.vma + 0x1000), 1)
        with open(os.path.join(folder, 'other.map'), 'w') as f:
            f.write(moved)
        for what, exe_path, map_path in (
                ('a map of another link is refused', exe, os.path.join(folder, 'other.map')),
                ('a file that is no exe is refused', os.path.join(folder, 'sample.o'),
                 os.path.join(folder, 'sample.map'))):
            try:
                Audit(exe_path, map_path)
                expect(what, False)
            except AuditError:
                expect(what, True)
    print('cpu_audit self-test: %s' % ('passed' if not failures else '%d FAILED' % len(failures)))
    return 1 if failures else 0


# --------------------------------------------------------------------------


def main(argv):
    usage = ('usage: cpu_audit.py check EXE [--map MAP]\n'
             '       cpu_audit.py ud2 EXE OUT [--map MAP]\n'
             '       cpu_audit.py selftest')
    args, map_path = list(argv), None
    if '--map' in args:
        at = args.index('--map')
        if at + 1 >= len(args):
            print(usage, file=sys.stderr)
            return 2
        map_path = args[at + 1]
        del args[at:at + 2]
    command = args[0] if args else ''
    if command == 'selftest' and len(args) == 1:
        return selftest()
    if not ((command == 'check' and len(args) == 2) or (command == 'ud2' and len(args) == 3)):
        print(usage, file=sys.stderr)
        return 2
    exe = args[1]
    try:
        audit = Audit(exe, map_path or os.path.splitext(exe)[0] + '.map')
    except AuditError as e:
        print('cpu_audit: %s' % e, file=sys.stderr)
        return 2
    if command == 'check':
        report(audit)
        return 1 if audit.findings else 0
    write_ud2_copy(audit, args[2])
    print('cpu_audit: %s: %d instructions beyond the i486 turned into UD2' % (args[2], len(audit.findings)))
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))
