// pow as glibc 2.28 and older have it, for the released program, which must start on them.
// glibc 2.29 added a faster pow under a new symbol version and kept the earlier one; the static
// libpng asks for pow, and the link sends its calls here (--wrap=pow), to the earlier version.
#include <math.h>

extern "C" {

double OldGlibcPow(double Base, double Exponent);
__asm__(".symver OldGlibcPow, pow@GLIBC_2.2.5");

double __wrap_pow(double Base, double Exponent) {
  return OldGlibcPow(Base, Exponent);
}
}
