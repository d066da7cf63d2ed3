#pragma once

// Start-up after the application object exists: opens the shared connection and runs the main
// window; on a connection failure shows the "Falha" box and returns without any window.
// Returns the process's exit status.
int ExecutarPrograma();
