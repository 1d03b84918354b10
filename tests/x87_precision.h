// The x87's precision control, set as the i686 program's start-up sets it.
#pragma once

namespace qv {

// On an x87 unit, makes every operation round its result to double (53 bits), as the
// Microsoft run-time's _fpreset does at the i686 program's start-up; otherwise the
// unit rounds to 64 bits first and storing a double rounds a second time. Does nothing
// where doubles are computed with SSE2 (x86_64) or another unit.
inline void SetX87DoublePrecision() {
#if defined(__i386__) && !defined(__SSE2_MATH__)
    unsigned short control = 0;
    __asm__ volatile("fnstcw %0" : "=m"(control));
    control = static_cast<unsigned short>((control & ~0x0300u) | 0x0200u);  // precision control: 53 bits
    __asm__ volatile("fldcw %0" : : "m"(control));
#endif
}

}  // namespace qv
