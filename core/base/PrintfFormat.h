#pragma once
// Checks a printf-style function's format against its arguments at compile time. On Windows
// the program uses MinGW's C99 printf (__USE_MINGW_ANSI_STDIO), not Microsoft's, so formats are
// checked as on Linux there too ("%zu", "%lld").

#ifdef __MINGW32__
#define PLANDOR_PRINTF_FORMAT(index, first) __attribute__((__format__(gnu_printf, index, first)))
#else
#define PLANDOR_PRINTF_FORMAT(index, first) __attribute__((__format__(printf, index, first)))
#endif
