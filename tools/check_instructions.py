#!/usr/bin/env python3
"""Fails when SETUP.EXE holds an instruction that a 386 cannot execute
outside the functions that processor and system feature bits choose.

Wine runs on the build machine's processor and forgives every newer
instruction; a 486, a Pentium or an AMD K6 stops with an illegal
instruction. So the linked program is disassembled with its symbols and
every instruction beyond the 386 set is attributed to its function. Only
the functions of the list (tools/feature_chosen_functions.txt) may use
newer instructions, each only of the kinds its line names; a function that
asks CPUID must itself test that EFLAGS.ID can be toggled (386s and early
486s have no CPUID and fault on it).

Usage: check_instructions.py OBJDUMP SHIPPED_EXE SYMBOLS_EXE FUNCTION_LIST
SYMBOLS_EXE is the same link before stripping; its code must equal the
shipped program's byte for byte.
"""
import re
import subprocess
import sys

# Newer than the 386, by the processor that brought them.
I486 = {"bswap", "cmpxchg", "xadd", "invd", "wbinvd", "invlpg"}
PENTIUM = {"cpuid", "rdtsc", "cmpxchg8b", "rdmsr", "wrmsr", "rsm"}
PENTIUM_PRO = {"ud2", "ud2a", "ud1", "ud0", "rdpmc", "fcomi", "fcomip", "fucomi", "fucomip", "sysenter", "sysexit"}
BMI = {"andn", "bextr", "blsi", "blsmsk", "blsr", "tzcnt"}
BMI2 = {"bzhi", "mulx", "pdep", "pext", "rorx", "sarx", "shlx", "shrx"}
LATER = {"popcnt", "lzcnt", "movbe", "crc32", "xgetbv", "xsetbv", "xsave", "xsaveopt", "xrstor", "rdrand",
         "rdseed", "adcx", "adox", "endbr32", "fxsave", "fxrstor", "emms", "femms", "ldmxcsr", "stmxcsr",
         "sfence", "lfence", "mfence", "clflush", "movnti", "prefetchnta", "prefetcht0", "prefetcht1",
         "prefetcht2", "prefetchw"}

# How the kinds that a feature-chosen function may list read in a finding.
BROUGHT_BY = {"cmov": "Pentium Pro cmov", "cpuid": "Pentium cpuid", "xgetbv": "xgetbv", "sse2": "SSE/SSE2",
              "mmx": "MMX", "pclmul": "PCLMULQDQ", "avx512": "AVX/AVX-512", "bmi": "BMI1", "bmi2": "BMI2"}


def kind_of(mnemonic, operands):
    """The kind of a newer instruction, or None for a 386 one."""
    m = re.sub(r"^(lock|rep[nez]*|data16|addr16|cs|ds|es|ss|fs|gs)\s+", "", mnemonic)
    if re.search(r"%zmm|%ymm|%k[0-7]\b", operands) or m.startswith("vpclmul"):
        return "avx512"
    if m.startswith("pclmul"):
        return "pclmul"
    if re.search(r"%xmm", operands):
        return "sse2"
    if re.search(r"%mm[0-7]", operands):
        return "mmx"
    if m == "cpuid":
        return "cpuid"
    if m in ("xgetbv",):
        return "xgetbv"
    if m in BMI:
        return "bmi"
    if m in BMI2:
        return "bmi2"
    if m in I486:
        return "486 " + m
    if m in PENTIUM or m.startswith("cmpxchg8b"):
        return "Pentium " + m
    if m.startswith("cmov"):
        return "cmov"
    if m.startswith("fcmov") or m in PENTIUM_PRO:
        return "Pentium Pro " + m
    # The long NOP (0F 1F) takes an operand; the 386's NOP has none.
    if m.startswith("nop") and operands.strip():
        return "Pentium Pro long nop"
    # x87 floating point: a 386 without a 387 has none, and Windows
    # emulates it slowly; the program needs none.
    if re.match(r"f[a-z0-9]+$", m) and m not in ("fxsave", "fxrstor", "femms"):
        return "x87 " + m
    if m in LATER or m.startswith("prefetch"):
        return "later " + m
    return None


def function_name(header):
    """The bare name of a symbol header such as
    '(anonymous namespace)::FastLoopWide(DecoderState&, ...) [clone .constprop.0]'."""
    name = header.replace("(anonymous namespace)::", "")
    name = re.sub(r"\s*\[clone [^\]]*\]", "", name)
    name = name.split("(")[0]
    name = re.sub(r"@\d+$", "", name)
    return name.split("::")[-1].lstrip("_") or header


def read_list(path):
    allowed = {}
    for line in open(path, encoding="utf-8"):
        line = line.split("#")[0].strip()
        if not line:
            continue
        parts = line.split()
        allowed[parts[0]] = set(parts[1].split(","))
    return allowed


def code_bytes(objdump, exe):
    return subprocess.run([objdump, "-s", "-j", ".text", exe], check=True, capture_output=True,
                          text=True).stdout.split("\n", 3)[-1]


def main():
    objdump, shipped, symbols, list_path = sys.argv[1:5]
    allowed = read_list(list_path)
    status = 0
    if code_bytes(objdump, shipped) != code_bytes(objdump, symbols):
        print(f"{symbols} is not the same code as {shipped}")
        status = 1
    dump = subprocess.run([objdump, "-d", "-C", "--no-show-raw-insn", symbols], check=True,
                          capture_output=True, text=True).stdout
    current = None
    found = {}          # function -> {kind: count}
    toggles_id = set()  # functions that flip EFLAGS.ID before asking CPUID
    instructions = 0
    for line in dump.splitlines():
        header = re.match(r"^[0-9a-f]+ <(.*)>:$", line)
        if header:
            current = function_name(header.group(1))
            continue
        insn = re.match(r"^\s*[0-9a-f]+:\s+(\S+)\s*(.*)$", line)
        if not insn or current is None:
            continue
        mnemonic, operands = insn.group(1), insn.group(2)
        if mnemonic.startswith("(bad)") or mnemonic == "...":
            continue
        instructions += 1
        if mnemonic.startswith("xor") and "$0x200000" in operands:
            toggles_id.add(current)
        kind = kind_of(mnemonic, operands)
        if kind:
            found.setdefault(current, {}).setdefault(kind, 0)
            found[current][kind] += 1
    for function, kinds in sorted(found.items()):
        for kind, count in sorted(kinds.items()):
            if kind not in allowed.get(function, set()):
                if kind.startswith("x87"):
                    print(f"{function}: {count} x {kind} instruction(s): floating point, which a 386 without "
                          "a 387 lacks")
                else:
                    print(f"{function}: {count} x {BROUGHT_BY.get(kind, kind)} instruction(s) beyond the 386")
                status = 1
        if "cpuid" in kinds and function not in toggles_id:
            print(f"{function}: asks CPUID without testing EFLAGS.ID first")
            status = 1
    for function in sorted(set(allowed) - set(found)):
        print(f"note: {function} is listed but holds no newer instruction")
    chosen = sum(sum(k.values()) for f, k in found.items() if f in allowed)
    print(f"{instructions} instructions; {chosen} newer ones, all in {len(set(found) & set(allowed))} "
          f"feature-chosen functions" if status == 0 else "SETUP.EXE needs more than a 386")
    return status


if __name__ == "__main__":
    sys.exit(main())
