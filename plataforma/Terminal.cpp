#include "Terminal.h"

#include <cstdio>

#ifdef _WIN32
#include <io.h>

bool ErroPadraoEhTerminal() { return _isatty(_fileno(stderr)) != 0; }
#else
#include <unistd.h>

bool ErroPadraoEhTerminal() { return isatty(fileno(stderr)) != 0; }
#endif
