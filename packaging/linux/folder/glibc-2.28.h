/* Forced into every C and C++ file of the build that carries its own Qt:
 * glibc 2.29 gave exp, exp2, log, log2 and pow new symbol versions, which
 * older systems (glibc 2.28, Astra Linux SE 1.7) lack. Their older versions
 * are the same functions, only slower on some inputs. */
#if defined(__x86_64__) && defined(__linux__) && !defined(__ASSEMBLER__)
__asm__(".symver exp,exp@GLIBC_2.2.5");
__asm__(".symver exp2,exp2@GLIBC_2.2.5");
__asm__(".symver log,log@GLIBC_2.2.5");
__asm__(".symver log2,log2@GLIBC_2.2.5");
__asm__(".symver pow,pow@GLIBC_2.2.5");
#endif
