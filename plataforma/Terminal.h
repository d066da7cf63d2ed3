#pragma once

// True when the process's standard error goes to a terminal (a console window on Windows),
// not to a file or a pipe: progress meant for a person is shown only then.
bool ErroPadraoEhTerminal();
